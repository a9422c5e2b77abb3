// Dragging rows of the library lists: the model's order, the current row, the drop marker and
// the auto-scrolling while the pointer is beyond the list.
#include "ListsTestSupport.h"

using namespace brindlex;

using namespace liststest;

namespace {

class ListsDrag : public ListsFixture {};

TEST_F(ListsDrag, PressAndReleaseOnOneRowMakesItCurrentAndMovesNothing) {
    MakeGroups({1, 2, 3, 0});
    Attach();
    Click(m_groups, RowPoint(m_groups, 2));
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G0", u"G1", u"G2", u"G3"}));
    EXPECT_EQ(m_library.CurrentGroupIndex(), 2);
    ExpectCurrentRowsInStep();
    ExpectItemRowsMirrorCurrentGroup();
}

TEST_F(ListsDrag, RowsLandBeforeTheRowUnderThePointer) {
    MakeGroups({0, 1, 2, 3, 4, 5});
    Attach();
    // Row 1 released on the top half of row 4 and on its bottom half: both go before row 4.
    Drag(m_groups, RowPoint(m_groups, 1), RowPoint(m_groups, 4, 3));
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G0", u"G2", u"G3", u"G1", u"G4", u"G5"}));
    EXPECT_EQ(m_library.CurrentGroupIndex(), 3);
    ExpectCurrentRowsInStep();
    ExpectItemRowsMirrorCurrentGroup(); // the dragged group's item stays shown
    EXPECT_EQ(RowNames(m_groups), GroupNames());

    Drag(m_groups, RowPoint(m_groups, 4), RowPoint(m_groups, 1, 27));
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G0", u"G4", u"G2", u"G3", u"G1", u"G5"}));
    EXPECT_EQ(m_library.CurrentGroupIndex(), 1);
    ExpectCurrentRowsInStep();
    ExpectItemRowsMirrorCurrentGroup();
    EXPECT_EQ(RowNames(m_groups), GroupNames());
    // Every drop, a move or not, ends with LBN_SELCHANGE to the owner.
    EXPECT_EQ(m_dlg->m_nGroupSelChanges, 0) << "the list handles its own notification";
}

TEST_F(ListsDrag, ReleasingBelowTheLastRowMovesTheRowToTheEnd) {
    MakeGroups({0, 0, 0});
    Attach();
    Drag(m_groups, RowPoint(m_groups, 0), POINT{60, 150});
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G1", u"G2", u"G0"}));
    EXPECT_EQ(m_library.CurrentGroupIndex(), 2);
    ExpectCurrentRowsInStep();
}

TEST_F(ListsDrag, ReleasingOutsideMovesNothingAndTheNearestRowBecomesCurrent) {
    MakeGroups({1, 1, 1, 1});
    Attach();
    Press(m_groups, RowPoint(m_groups, 0));
    Move(m_groups, RowPoint(m_groups, 2));
    EXPECT_EQ(::GetCapture(), m_groups.GetSafeHwnd());
    const POINT beside{kListWidth + 40, RowPoint(m_groups, 3).y};
    Move(m_groups, beside);
    Release(m_groups, beside);
    EXPECT_NE(::GetCapture(), m_groups.GetSafeHwnd());
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G0", u"G1", u"G2", u"G3"}));
    EXPECT_EQ(m_library.CurrentGroupIndex(), 3);
    ExpectCurrentRowsInStep();
    ExpectItemRowsMirrorCurrentGroup();
}

TEST_F(ListsDrag, SelectionStaysOnTheDraggedRowWhileDragging) {
    MakeGroups({1, 1, 1, 1, 1});
    Attach();
    Press(m_groups, RowPoint(m_groups, 1));
    Move(m_groups, RowPoint(m_groups, 2));
    Move(m_groups, RowPoint(m_groups, 4));
    EXPECT_EQ(m_groups.GetCurSel(), 1);
    EXPECT_EQ(m_library.CurrentGroupIndex(), 1);
    ExpectCurrentRowsInStep();
    Release(m_groups, RowPoint(m_groups, 4));
    EXPECT_EQ(m_library.CurrentGroupIndex(), 3);
}

TEST_F(ListsDrag, DraggingAnItemMovesItInItsGroupToo) {
    MakeGroups({4, 2});
    Attach();
    Drag(m_items, RowPoint(m_items, 0), POINT{60, 170});
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I0.1", u"I0.2", u"I0.3", u"I0.0"}));
    EXPECT_EQ(m_library.CurrentItemIndex(), 3);
    ExpectCurrentRowsInStep();
    ExpectItemRowsMirrorCurrentGroup();

    // Another group and back: the moved order is what the group holds.
    Click(m_groups, RowPoint(m_groups, 1));
    ExpectItemRowsMirrorCurrentGroup();
    Click(m_groups, RowPoint(m_groups, 0));
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I0.1", u"I0.2", u"I0.3", u"I0.0"}));
    EXPECT_EQ(m_library.CurrentItemIndex(), 0);
    ExpectCurrentRowsInStep();
}

// The marker is drawn straight on the screen: read it back from the list's window.
TEST_F(ListsDrag, DropMarkerShowsOnTheTargetRowButNeverOnTheDraggedRow) {
    MakeGroups({0, 0, 0, 0, 0});
    Attach();
    m_groups.UpdateWindow();
    const HWND hWnd = m_groups.GetSafeHwnd();
    auto pixel = [hWnd](int x, int y) {
        HDC dc = ::GetDC(hWnd);
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(hWnd, dc);
        return c;
    };
    RECT row3{};
    m_groups.GetItemRect(3, &row3);
    RECT row1{};
    m_groups.GetItemRect(1, &row1);
    const int x = kListWidth - 20; // right of any text
    const COLORREF before = pixel(x, row3.top + 1);
    ASSERT_NE(before, CLR_INVALID);

    Press(m_groups, RowPoint(m_groups, 1));
    Move(m_groups, RowPoint(m_groups, 3));
    EXPECT_EQ(pixel(x, row3.top + 1), RGB(0, 0, 0));
    // Back on the dragged row: the marker goes away and none is drawn there.
    Move(m_groups, RowPoint(m_groups, 1));
    EXPECT_EQ(pixel(x, row3.top + 1), RGB(255, 255, 255));
    EXPECT_NE(pixel(x, row1.top + 1), RGB(0, 0, 0));
    // Below the last row: the marker runs along the bottom of the last row.
    RECT last{};
    m_groups.GetItemRect(4, &last);
    Move(m_groups, POINT{60, last.bottom + 20});
    EXPECT_EQ(pixel(x, last.bottom), RGB(0, 0, 0));
    Release(m_groups, RowPoint(m_groups, 1));
    m_groups.UpdateWindow();
    EXPECT_NE(pixel(x, last.bottom), RGB(0, 0, 0));
}

class ListsAutoScroll : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        MakeGroups(std::vector<int>(14, 0));
        Attach();
        m_hList = m_groups.GetSafeHwnd();
    }
    // Whether a timer of the list was running (it is stopped by asking).
    bool TimerWasRunning(UINT_PTR id) const { return ::KillTimer(m_hList, id) != FALSE; }
    int Height() const { return m_groups.GetClientRect().bottom; }
    HWND m_hList = nullptr;
};

TEST_F(ListsAutoScroll, BelowTheListScrollsOneRowPerBandChange) {
    Press(m_groups, RowPoint(m_groups, 2));
    Move(m_groups, RowPoint(m_groups, 4));
    EXPECT_EQ(m_groups.GetTopIndex(), 0);
    Move(m_groups, POINT{60, Height() + 10});
    EXPECT_EQ(m_groups.GetTopIndex(), 1);
    // Deeper within the same band: no step and no restart.
    Move(m_groups, POINT{60, Height() + 20});
    EXPECT_EQ(m_groups.GetTopIndex(), 1);
    // The next band scrolls at once.
    Move(m_groups, POINT{60, Height() + 40});
    EXPECT_EQ(m_groups.GetTopIndex(), 2);
    // And the timer goes on scrolling.
    EXPECT_TRUE(PumpUntil([this] { return m_groups.GetTopIndex() >= 4; }, 3000));
    // Back over the list: both timers stop, the scrolling with them.
    Move(m_groups, RowPoint(m_groups, m_groups.GetTopIndex() + 1));
    const int top = m_groups.GetTopIndex();
    EXPECT_FALSE(PumpUntil([&] { return m_groups.GetTopIndex() != top; }, 400)) << "it scrolled on";
    EXPECT_FALSE(TimerWasRunning(brindlex::kTimerScrollDown));
    EXPECT_FALSE(TimerWasRunning(brindlex::kTimerScrollUp));
    const int target = m_groups.GetTopIndex() + 1;
    Release(m_groups, RowPoint(m_groups, target));
    EXPECT_EQ(m_library.Group(target - 1).m_strName, u"G2");
    EXPECT_EQ(m_library.CurrentGroupIndex(), target - 1);
    ExpectCurrentRowsInStep();
}

TEST_F(ListsAutoScroll, AboveTheListScrollsUpAndStopsScrollingDown) {
    m_groups.SetTopIndex(8);
    Press(m_groups, RowPoint(m_groups, 10));
    Move(m_groups, RowPoint(m_groups, 9));
    Move(m_groups, POINT{60, Height() + 10});
    EXPECT_EQ(m_groups.GetTopIndex(), 9);
    // Round the side of the list to above it, in the same distance band.
    Move(m_groups, POINT{kListWidth + 30, 40});
    Move(m_groups, POINT{60, -10});
    EXPECT_EQ(m_groups.GetTopIndex(), 8);
    EXPECT_FALSE(TimerWasRunning(brindlex::kTimerScrollDown));
    EXPECT_TRUE(TimerWasRunning(brindlex::kTimerScrollUp));
    // Released outside: nothing moves, the drag is over.
    Release(m_groups, POINT{60, -10});
    EXPECT_EQ(m_library.Group(10).m_strName, u"G10");
    EXPECT_NE(::GetCapture(), m_hList);
    EXPECT_FALSE(TimerWasRunning(brindlex::kTimerScrollUp));
    ExpectCurrentRowsInStep();
}

} // namespace
