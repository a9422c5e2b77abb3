// The group list and the item list: selection through clicks and keys, the delete questions,
// the edit request and what right clicks and double clicks do in each.
#include "ListsTestSupport.h"

using namespace brindlex;

using namespace liststest;

namespace {

class ListsGroup : public ListsFixture {};
class ListsItem : public ListsFixture {};
class ListsKeys : public ListsFixture {};

// Counts the messages sent to one window of this thread while it exists.
class CSentMessageCount {
public:
    explicit CSentMessageCount(HWND hWnd)
        : m_hook(::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId())) {
        s_hWnd = hWnd;
        s_count = 0;
    }
    ~CSentMessageCount() {
        ::UnhookWindowsHookEx(m_hook);
        s_hWnd = nullptr;
    }
    CSentMessageCount(const CSentMessageCount&) = delete;
    CSentMessageCount& operator=(const CSentMessageCount&) = delete;
    bool Hooked() const { return m_hook != nullptr; }
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->hwnd == s_hWnd) {
            ++s_count;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND s_hWnd = nullptr;
    static inline int s_count = 0;
    HHOOK m_hook;
};

TEST_F(ListsGroup, AttachingShowsTheLibraryAndSelectingAGroupRefillsTheItems) {
    MakeGroups({2, 0, 3});
    Attach();
    EXPECT_EQ(RowNames(m_groups), GroupNames());
    ExpectItemRowsMirrorCurrentGroup();
    EXPECT_EQ(m_items.GetCurrent(), 0);
    ExpectCurrentRowsInStep();

    Click(m_groups, RowPoint(m_groups, 2));
    ExpectItemRowsMirrorCurrentGroup();
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I2.0", u"I2.1", u"I2.2"}));
    EXPECT_EQ(m_items.GetCurrent(), 0);
    ExpectCurrentRowsInStep();

    // A group without items: no item rows and no current item, so Edit has nothing to edit.
    Click(m_groups, RowPoint(m_groups, 1));
    EXPECT_EQ(m_items.GetCount(), 0);
    EXPECT_EQ(m_items.GetCurrent(), -1);
    ExpectCurrentRowsInStep();
    CBoxRecorder boxes(IDOK);
    m_itemList.RequestEdit();
    ASSERT_EQ(boxes.Asked().size(), 1u);
    ExpectAsked(boxes.Asked()[0], u"No selected item", u"No selected item", MB_ICONEXCLAMATION);
    EXPECT_TRUE(EditRequests().empty());
}

TEST_F(ListsGroup, ModelChangesFromOutsideShowInTheRows) {
    MakeGroups({1, 1});
    Attach();
    // As the main window's Add button does.
    m_library.AddGroup(u"New group");
    m_library.SelectGroup(m_library.GroupCount() - 1);
    EXPECT_EQ(RowNames(m_groups), GroupNames());
    EXPECT_EQ(m_groups.GetCurrent(), 2);
    EXPECT_EQ(m_items.GetCount(), 0);
    ExpectCurrentRowsInStep();
    // A new item saved in the editor lands in the current group and is made current.
    m_library.AddItem(*m_library.CurrentGroup(), u"Fresh", 0, u"x");
    m_library.SelectGroup(2);
    m_library.SetCurrentItem(m_library.CurrentItemCount() - 1);
    ExpectItemRowsMirrorCurrentGroup();
    EXPECT_EQ(m_items.GetCurrent(), 0);
    ExpectCurrentRowsInStep();
    m_library.Clear();
    EXPECT_EQ(m_groups.GetCount(), 0);
    EXPECT_EQ(m_items.GetCount(), 0);
    EXPECT_EQ(m_groups.GetCurrent(), -1);
    EXPECT_EQ(m_items.GetCurrent(), -1);
}

TEST_F(ListsGroup, DeleteQuestionCountsTheItemsAndOnlyYesDeletes) {
    MakeGroups({0, 1, 3});
    Attach();
    const std::u16string closing = u"Are you sure to delete selected folder?";
    const std::u16string expected[] = {
        closing,
        u"The selected group contains 1 item.\r\n" + closing,
        u"The selected group contains 3 items.\r\n" + closing,
    };
    for (int g = 0; g < 3; ++g) {
        m_groups.SetCurrent(g);
        CBoxRecorder boxes(IDNO);
        m_groupList.DeleteSelectedGroup();
        ASSERT_EQ(boxes.Asked().size(), 1u);
        ExpectAsked(boxes.Asked()[0], expected[g], u"Deleting", MB_YESNO | MB_ICONEXCLAMATION);
        EXPECT_EQ(m_library.GroupCount(), 3);
        EXPECT_EQ(m_groups.GetCurrent(), g);
    }
    CBoxRecorder yes(IDYES);
    m_groupList.DeleteSelectedGroup(); // the last of three: the second becomes current
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G0", u"G1"}));
    EXPECT_EQ(RowNames(m_groups), GroupNames());
    EXPECT_EQ(m_groups.GetCurrent(), 1);
    ExpectRowsShowTheModel();
}

TEST_F(ListsGroup, DeletingTheFirstAndTheOnlyGroup) {
    MakeGroups({1, 2});
    Attach();
    CBoxRecorder yes(IDYES);
    m_groupList.DeleteSelectedGroup();
    EXPECT_EQ(GroupNames(), (std::vector<std::u16string>{u"G1"}));
    EXPECT_EQ(m_groups.GetCurrent(), 0);
    ExpectRowsShowTheModel();
    // The Delete key asks the same question.
    KeyUp(m_groups.GetSafeHwnd(), VK_DELETE);
    ASSERT_EQ(yes.Asked().size(), 2u);
    EXPECT_EQ(yes.Asked()[1].text,
              u"The selected group contains 2 items.\r\nAre you sure to delete selected folder?");
    EXPECT_EQ(m_library.GroupCount(), 0);
    EXPECT_EQ(m_groups.GetCount(), 0);
    EXPECT_EQ(m_items.GetCount(), 0);
    EXPECT_EQ(m_groups.GetCurrent(), -1);
    EXPECT_EQ(m_items.GetCurrent(), -1);
    // Nothing left to delete: no question.
    m_groupList.DeleteSelectedGroup();
    EXPECT_EQ(yes.Asked().size(), 2u);
}

TEST_F(ListsGroup, RightClickSelectsADoubleClickOnTheCurrentRowRenames) {
    MakeGroups({1, 2, 3});
    Attach();
    const HWND hWnd = m_groups.GetSafeHwnd();
    ::SendMessageW(hWnd, WM_RBUTTONUP, 0, At(RowPoint(m_groups, 2)));
    EXPECT_EQ(m_groups.GetCurrent(), 2);
    ExpectRowsShowTheModel();
    // Below the rows neither does anything.
    ::SendMessageW(hWnd, WM_RBUTTONUP, 0, At(POINT{60, 150}));
    ::SendMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(POINT{60, 150}));
    EXPECT_EQ(m_groups.GetCurrent(), 2);
    EXPECT_EQ(Editor(m_groups), nullptr);
    ::SendMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(RowPoint(m_groups, 2)));
    const HWND editor = Editor(m_groups);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetWindowTextU16(editor), u"G2");
    EXPECT_TRUE(EditRequests().empty());
}

TEST_F(ListsItem, DoubleClickAnywhereAsksToEditARightClickRenames) {
    MakeGroups({3});
    Attach();
    m_items.SetCurrent(1);
    m_itemList.RequestEdit();
    ASSERT_EQ(EditRequests().size(), 1u);
    EXPECT_EQ(EditRequests()[0], &m_library.Group(0).Item(1));
    // Empty space under the rows: still the current item.
    ::SendMessageW(m_items.GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(POINT{60, 150}));
    ASSERT_EQ(EditRequests().size(), 2u);
    EXPECT_EQ(EditRequests()[1], m_library.CurrentItem());
    EXPECT_EQ(Editor(m_items), nullptr);
    // A right click renames, but only on the current row.
    ::SendMessageW(m_items.GetSafeHwnd(), WM_RBUTTONUP, 0, At(RowPoint(m_items, 2)));
    EXPECT_EQ(Editor(m_items), nullptr);
    EXPECT_EQ(m_items.GetCurrent(), 1);
    ::SendMessageW(m_items.GetSafeHwnd(), WM_RBUTTONUP, 0, At(RowPoint(m_items, 1)));
    ASSERT_NE(Editor(m_items), nullptr);
    EXPECT_EQ(GetWindowTextU16(Editor(m_items)), u"I0.1");
}

// A fill that sent a message per row took time that grew with the square of the rows.
TEST_F(ListsItem, ABigGroupFillsWithAFewMessagesAndShowsEveryItem) {
    constexpr int kBig = 20000;
    MakeGroups({kBig, 1});
    Attach();
    ExpectItemRowsMirrorCurrentGroup();
    m_groups.SetCurrent(1);
    {
        const CSentMessageCount sent(m_items.GetSafeHwnd());
        ASSERT_TRUE(sent.Hooked());
        Click(m_groups, RowPoint(m_groups, 0)); // the big group again
        EXPECT_GT(sent.Count(), 0);
        EXPECT_LT(sent.Count(), 100);
    }
    ExpectRowsShowTheModel();
    EXPECT_EQ(m_items.GetTopIndex(), 0);

    // The last row is reached with End and drawn selected, with its name.
    KeyDown(m_items.GetSafeHwnd(), VK_END);
    EXPECT_EQ(m_items.GetCurrent(), kBig - 1);
    ExpectCurrentRowsInStep();
    RECT last{};
    ASSERT_TRUE(m_items.GetItemRect(kBig - 1, &last));
    EXPECT_GT(last.top, 0);
    EXPECT_LE(last.bottom, m_items.GetClientRect().bottom);
    const CListPicture picture(m_items.GetSafeHwnd(), RGB(255, 0, 255));
    EXPECT_EQ(picture.At(34, last.top + 10), RGB(0, 0, 255));
    EXPECT_TRUE(picture.Shows(RECT{37, last.top + 2, 120, last.bottom - 3}, RGB(25, 255, 255)));

    // Deleting it lets go of every row, and the one-item group shows.
    CBoxRecorder yes(IDYES);
    m_groupList.DeleteSelectedGroup();
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I1.0"}));
    ExpectRowsShowTheModel();
}

TEST_F(ListsItem, DeleteAsksAndRemovesTheItemFromItsGroup) {
    MakeGroups({3, 1});
    Attach();
    m_items.SetCurrent(1);
    {
        CBoxRecorder no(IDNO);
        m_itemList.DeleteSelectedItem();
        ASSERT_EQ(no.Asked().size(), 1u);
        ExpectAsked(no.Asked()[0], u"Are you sure to delete selected item?", u"Deleting",
                    MB_YESNO | MB_ICONEXCLAMATION);
        EXPECT_EQ(m_library.Group(0).ItemCount(), 3u);
        EXPECT_EQ(m_items.GetCurrent(), 1);
    }
    CBoxRecorder yes(IDYES);
    m_itemList.DeleteSelectedItem();
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I0.0", u"I0.2"}));
    EXPECT_EQ(m_items.GetCurrent(), 0);
    ExpectRowsShowTheModel();
}

TEST_F(ListsItem, DeleteKeyDeletesTheItemItselfSoItDoesNotComeBack) {
    MakeGroups({3, 1});
    Attach();
    m_items.SetCurrent(2);
    const HWND hWnd = m_items.GetSafeHwnd();
    {
        CBoxRecorder no(IDNO);
        KeyUp(hWnd, VK_DELETE);
        ASSERT_EQ(no.Asked().size(), 1u);
        EXPECT_EQ(no.Asked()[0].text, u"Are you sure to delete selected item?");
        EXPECT_EQ(m_items.GetCount(), 3);
    }
    CBoxRecorder yes(IDYES);
    KeyUp(hWnd, VK_DELETE);
    EXPECT_EQ(m_library.Group(0).ItemCount(), 2u);
    ExpectRowsShowTheModel();
    Click(m_groups, RowPoint(m_groups, 1));
    Click(m_groups, RowPoint(m_groups, 0));
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I0.0", u"I0.1"}));

    // The only item of a group: the list is left empty, and then there is nothing to delete.
    Click(m_groups, RowPoint(m_groups, 1));
    KeyUp(hWnd, VK_DELETE);
    EXPECT_EQ(m_items.GetCount(), 0);
    EXPECT_EQ(m_items.GetCurrent(), -1);
    EXPECT_EQ(m_library.Group(1).ItemCount(), 0u);
    KeyUp(hWnd, VK_DELETE);
    ASSERT_EQ(yes.Asked().size(), 3u);
    ExpectAsked(yes.Asked()[2], u"No selected item", u"No selected item", MB_ICONEXCLAMATION);
}

TEST_F(ListsKeys, UpAndDownMoveTheCurrentRowOneRowAndStopAtTheEnds) {
    MakeGroups({1, 2, 3});
    Attach();
    // Each key and the current row after it: Up on the first row and Down on the last stay.
    const struct {
        WPARAM vk;
        int current;
    } steps[] = {{VK_UP, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_DOWN, 2}, {VK_UP, 1}};
    for (const auto& step : steps) {
        KeyDown(m_groups.GetSafeHwnd(), step.vk);
        EXPECT_EQ(m_groups.GetCurrent(), step.current);
        EXPECT_EQ(m_groups.GetCaretIndex(), step.current);
        ExpectRowsShowTheModel();
    }

    KeyDown(m_items.GetSafeHwnd(), VK_DOWN);
    EXPECT_EQ(m_library.CurrentItemIndex(), 1);
    ExpectCurrentRowsInStep();
}

TEST_F(ListsKeys, OtherNavigationKeysKeepTheCurrentRowWithTheSelection) {
    MakeGroups({1, 2, 3, 4});
    Attach();
    const HWND hWnd = m_groups.GetSafeHwnd();
    KeyDown(hWnd, VK_END);
    EXPECT_EQ(m_groups.GetCurSel(), 3);
    EXPECT_EQ(m_groups.GetCurrent(), 3);
    ExpectRowsShowTheModel();
    KeyDown(hWnd, VK_HOME);
    EXPECT_EQ(m_groups.GetCurrent(), 0);
    ExpectRowsShowTheModel();
}

TEST_F(ListsKeys, KeysOnAnEmptyListDoNothing) {
    Attach();
    const HWND hWnd = m_groups.GetSafeHwnd();
    CBoxRecorder boxes(IDYES);
    KeyUp(hWnd, VK_INSERT);
    KeyUp(hWnd, VK_DELETE);
    KeyDown(hWnd, VK_DOWN);
    Click(m_groups, POINT{60, 40});
    EXPECT_EQ(Editor(m_groups), nullptr);
    EXPECT_TRUE(boxes.Asked().empty());
    EXPECT_EQ(m_groups.GetCurrent(), -1);
    m_groups.BeginInplaceEdit();
    EXPECT_EQ(Editor(m_groups), nullptr);
}

} // namespace
