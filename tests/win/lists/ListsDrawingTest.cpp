// How the rows of the library lists look: colours of selected and other rows, the sunken line
// under each row, the icon and the name, and which draw actions paint anything.
#include "ListsTestSupport.h"

using namespace brindlex;

using namespace liststest;

namespace {

constexpr COLORREF kGround = RGB(255, 0, 255); // what shows where a list does not paint
constexpr COLORREF kSelBack = RGB(0, 0, 255);
constexpr COLORREF kSelText = RGB(25, 255, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kProbeX = kListWidth - 20; // right of the icon and of short names

class ListsDrawing : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        MakeGroups({3, 1, 0});
        Attach();
    }
    static RECT Row(const CDragListBox& list, int index) {
        RECT r{};
        EXPECT_TRUE(list.GetItemRect(index, &r));
        return r;
    }
    static RECT TextArea(const RECT& row) { return RECT{37, row.top + 2, 120, row.bottom - 3}; }
    static RECT IconArea(const RECT& row) { return RECT{4, row.top + 1, 32, row.top + 29}; }
};

TEST_F(ListsDrawing, SelectedRowIsBlueWithItsNameInTheSelectedColour) {
    for (CDragListBox* list : {static_cast<CDragListBox*>(&m_groups), static_cast<CDragListBox*>(&m_items)}) {
        ASSERT_EQ(list->GetCurrent(), 0);
        const CListPicture picture(list->GetSafeHwnd(), kGround);
        const RECT row = Row(*list, 0);
        EXPECT_EQ(picture.At(kProbeX, row.top + 10), kSelBack);
        EXPECT_EQ(picture.At(row.left, row.top), kSelBack);
        EXPECT_TRUE(picture.Shows(TextArea(row), kSelText));
        EXPECT_FALSE(picture.Shows(TextArea(row), RGB(0, 0, 0)));
    }
}

TEST_F(ListsDrawing, OtherRowsOfTheItemListAreWhiteAndOfTheGroupListUnfilled) {
    const CListPicture items(m_items.GetSafeHwnd(), kGround);
    const RECT itemRow = Row(m_items, 1);
    EXPECT_EQ(items.At(kProbeX, itemRow.top + 10), kWhite);
    EXPECT_TRUE(items.Shows(TextArea(itemRow), RGB(0, 0, 0)));
    EXPECT_FALSE(items.Shows(TextArea(itemRow), kSelText));

    const CListPicture groups(m_groups.GetSafeHwnd(), kGround);
    const RECT groupRow = Row(m_groups, 1);
    EXPECT_EQ(groups.At(kProbeX, groupRow.top + 10), kGround);
    EXPECT_TRUE(groups.Shows(TextArea(groupRow), RGB(0, 0, 0)));
    // The icon is drawn in both looks.
    RECT icon = IconArea(groupRow);
    bool drawn = false;
    for (int y = icon.top; y < icon.bottom && !drawn; ++y) {
        for (int x = icon.left; x < icon.right && !drawn; ++x) {
            drawn = groups.At(x, y) != kGround;
        }
    }
    EXPECT_TRUE(drawn);
    icon = IconArea(Row(m_groups, 0));
    bool selectedDrawn = false;
    for (int y = icon.top; y < icon.bottom && !selectedDrawn; ++y) {
        for (int x = icon.left; x < icon.right && !selectedDrawn; ++x) {
            selectedDrawn = groups.At(x, y) != kSelBack;
        }
    }
    EXPECT_TRUE(selectedDrawn);
}

TEST_F(ListsDrawing, SunkenLineUnderEachRowFollowsTheSetting) {
    const COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(light, kSelBack);
    const RECT row = Row(m_items, 0);
    {
        const CListPicture picture(m_items.GetSafeHwnd(), kGround);
        EXPECT_EQ(picture.At(kProbeX, row.bottom - 1), highlight);
        EXPECT_EQ(picture.At(kProbeX, row.bottom - 2), light);
        EXPECT_EQ(picture.At(kProbeX, row.bottom - 3), kSelBack);
    }
    m_items.SetDrawEdge(false);
    EXPECT_FALSE(m_items.GetDrawEdge());
    {
        const CListPicture picture(m_items.GetSafeHwnd(), kGround);
        EXPECT_EQ(picture.At(kProbeX, row.bottom - 1), kSelBack);
        EXPECT_EQ(picture.At(kProbeX, row.bottom - 2), kSelBack);
    }
    m_items.SetDrawEdge(true);
    const CListPicture picture(m_items.GetSafeHwnd(), kGround);
    EXPECT_EQ(picture.At(kProbeX, row.bottom - 1), highlight);
}

TEST_F(ListsDrawing, ANewCurrentRowIsRepaintedAndTheOldOneLosesTheSelectedLook) {
    Click(m_items, RowPoint(m_items, 2));
    m_items.UpdateWindow();
    const CListPicture picture(m_items.GetSafeHwnd(), kGround);
    EXPECT_EQ(picture.At(kProbeX, Row(m_items, 2).top + 10), kSelBack);
    EXPECT_EQ(picture.At(kProbeX, Row(m_items, 0).top + 10), kWhite);
}

// The list box's own draw requests, sent the way the list box sends them to its owner.
TEST_F(ListsDrawing, FocusChangesDrawNothingAndSelectionChangesDrawTheNewLook) {
    const CListPicture picture(m_items.GetSafeHwnd(), kGround);
    RECT area{0, 0, kListWidth - 2, 30};
    CBrushHandle ground(::CreateSolidBrush(kGround));
    ::FillRect(picture.Dc(), &area, ground.get());
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = IDC_ITEM_LIST;
    dis.itemID = 0;
    dis.hwndItem = m_items.GetSafeHwnd();
    dis.hDC = picture.Dc();
    dis.rcItem = area;
    auto draw = [&](UINT action, UINT state) {
        dis.itemAction = action;
        dis.itemState = state;
        m_dlg->SendMessage(WM_DRAWITEM, IDC_ITEM_LIST, reinterpret_cast<LPARAM>(&dis));
    };
    draw(ODA_FOCUS, ODS_FOCUS | ODS_SELECTED);
    draw(ODA_FOCUS, 0);
    EXPECT_EQ(picture.At(kProbeX, 10), kGround);
    draw(ODA_SELECT, 0);
    EXPECT_EQ(picture.At(kProbeX, 10), kWhite);
    draw(ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(picture.At(kProbeX, 10), kSelBack);
}

} // namespace
