// Renaming a row in place: what opens the editor, what accepts and what cancels, and what the
// library and the owner hear about it.
#include "ListsTestSupport.h"

using namespace brindlex;

using namespace liststest;

namespace {

class ListsRename : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        MakeGroups({2, 3, 1});
        Attach();
    }
    // Insert on the list opens the editor; the text is replaced as if typed.
    HWND OpenAndType(CDragListBox& list, const std::u16string& text) {
        KeyUp(list.GetSafeHwnd(), VK_INSERT);
        const HWND editor = Editor(list);
        EXPECT_NE(editor, nullptr);
        if (editor != nullptr) {
            ::SetWindowTextW(editor, W(text));
        }
        return editor;
    }
    // A key pressed and let go as the keyboard delivers it: through the message loop, where the
    // dialog manager sees it first.
    static void Press(HWND hWnd, WPARAM vk) {
        ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
        ::PostMessageW(hWnd, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
        PumpUntil(QueueEmpty, 2000);
    }
};

TEST_F(ListsRename, EditorCoversTheCurrentRowWithItsNameSelected) {
    Click(m_groups, RowPoint(m_groups, 1));
    KeyUp(m_groups.GetSafeHwnd(), VK_INSERT);
    const HWND editor = Editor(m_groups);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetWindowTextU16(editor), u"G1");
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
    EXPECT_EQ(::GetFocus(), editor);
    EXPECT_EQ(::GetDlgCtrlID(editor), 1);
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(editor, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_MULTILINE),
              WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
    EXPECT_NE(::GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    RECT row{};
    m_groups.GetItemRect(1, &row);
    RECT r{};
    ::GetWindowRect(editor, &r);
    ::MapWindowPoints(nullptr, m_groups.GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, row.top - 2);
    EXPECT_EQ(r.bottom, row.bottom + 2);
    EXPECT_EQ(r.left, row.left);
    EXPECT_EQ(r.right, row.right);
}

TEST_F(ListsRename, EnterRenamesTheGroupAndTellsTheOwner) {
    Click(m_groups, RowPoint(m_groups, 1));
    m_items.SetCurrent(2);
    const HWND editor = OpenAndType(m_groups, u"Letters");
    Press(editor, VK_RETURN);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(m_library.Group(1).m_strName, u"Letters");
    ASSERT_EQ(m_dlg->m_nameChanges.size(), 1u);
    EXPECT_EQ(m_dlg->m_nameChanges[0].index, 1u);
    EXPECT_EQ(m_dlg->m_nameChanges[0].previous, u"G1");
    EXPECT_EQ(m_dlg->m_nOk, 0) << "Enter ends the rename, not a dialog command";
    // The group was selected again: its items are shown from the first.
    EXPECT_EQ(m_groups.GetCurrent(), 1);
    EXPECT_EQ(m_items.GetCurrent(), 0);
    ExpectRowsShowTheModel();
    EXPECT_EQ(::GetFocus(), m_groups.GetSafeHwnd());
}

TEST_F(ListsRename, EscapeCancelsWithoutHidingOrClosingAnything) {
    const HWND editor = OpenAndType(m_groups, u"Never");
    Press(editor, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(m_library.Group(0).m_strName, u"G0");
    EXPECT_TRUE(m_dlg->m_nameChanges.empty());
    EXPECT_EQ(m_dlg->m_nCancel, 0) << "Escape must not reach the dialog as IDCANCEL";
    EXPECT_TRUE(::IsWindowVisible(m_dlg->GetSafeHwnd()));
}

TEST_F(ListsRename, OnlyAChangedTextRenames) {
    m_items.SetCurrent(1);
    const HWND editor = OpenAndType(m_groups, u"G0");
    Press(editor, VK_RETURN);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_TRUE(m_dlg->m_nameChanges.empty());
    EXPECT_EQ(m_items.GetCurrent(), 1) << "the item list was not refilled";
    // A change of case is a change, and so is an empty name.
    Press(OpenAndType(m_groups, u"g0"), VK_RETURN);
    Press(OpenAndType(m_groups, u""), VK_RETURN);
    EXPECT_EQ(m_library.Group(0).m_strName, u"");
    ASSERT_EQ(m_dlg->m_nameChanges.size(), 2u);
    EXPECT_EQ(m_dlg->m_nameChanges[1].previous, u"g0");
}

TEST_F(ListsRename, LosingTheFocusAccepts) {
    const HWND editor = OpenAndType(m_groups, u"Typed so far");
    ::SetFocus(m_dlg->GetDlgItem(kButtonId));
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(m_library.Group(0).m_strName, u"Typed so far");
    EXPECT_EQ(::GetFocus(), m_dlg->GetDlgItem(kButtonId)) << "the focus stays where it went";
    ASSERT_EQ(m_dlg->m_nameChanges.size(), 1u);
}

TEST_F(ListsRename, ScrollingOrResizingAccepts) {
    HWND editor = OpenAndType(m_groups, u"Scrolled");
    m_groups.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(m_library.Group(0).m_strName, u"Scrolled");

    editor = OpenAndType(m_groups, u"Resized");
    RECT r = m_groups.GetRectInParent();
    m_groups.MoveWindow(r.left, r.top, r.right - r.left + 10, r.bottom - r.top);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(m_library.Group(0).m_strName, u"Resized");
}

TEST_F(ListsRename, ClickingAnotherRowAcceptsFirstThenSelectsIt) {
    const HWND editor = OpenAndType(m_groups, u"First");
    Click(m_groups, RowPoint(m_groups, 2));
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(m_library.Group(0).m_strName, u"First");
    EXPECT_EQ(m_groups.GetCurrent(), 2);
    ExpectRowsShowTheModel();
}

TEST_F(ListsRename, ItemRenameKeepsTheRowCurrentAndIsStoredInTheGroup) {
    Click(m_groups, RowPoint(m_groups, 1));
    m_items.SetCurrent(2);
    const HWND editor = OpenAndType(m_items, u"Renamed item");
    Press(editor, VK_RETURN);
    EXPECT_EQ(m_library.Group(1).Item(2).m_strName, u"Renamed item");
    EXPECT_EQ(m_items.GetCurrent(), 2);
    ASSERT_EQ(m_dlg->m_nameChanges.size(), 1u);
    EXPECT_EQ(m_dlg->m_nameChanges[0].index, 2u);
    EXPECT_EQ(m_dlg->m_nameChanges[0].previous, u"I1.2");
    Click(m_groups, RowPoint(m_groups, 0));
    Click(m_groups, RowPoint(m_groups, 1));
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I1.0", u"I1.1", u"Renamed item"}));
}

TEST_F(ListsRename, OpeningAgainAcceptsTheOpenEditorFirst) {
    const HWND first = OpenAndType(m_groups, u"One");
    m_groups.BeginInplaceEdit();
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(m_library.Group(0).m_strName, u"One");
    const HWND second = Editor(m_groups);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetWindowTextU16(second), u"One");
}

TEST_F(ListsRename, ARowDeletedUnderTheEditorIsNotRenamed) {
    Click(m_groups, RowPoint(m_groups, 1));
    m_items.SetCurrent(0);
    const HWND editor = OpenAndType(m_items, u"Gone");
    m_library.DeleteItem(0); // from outside, the editor still open
    m_items.EndInplaceEdit(true);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I1.1", u"I1.2"}));
    EXPECT_TRUE(m_dlg->m_nameChanges.empty());
}

} // namespace

namespace {

// A list box with per-row data refuses LB_SETCOUNT: its rows are added one by one.
TEST_F(ListsRename, AListWithRowDataGoingAwayWithAnOpenEditorRenamesNothing) {
    const HWND hList = ::CreateWindowExW(
        0, L"LISTBOX", L"", kListStyle & ~LBS_NODATA, 10, 220, kListWidth, 92, m_dlg->GetSafeHwnd(),
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1100)), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hList, nullptr);
    HWND editor = nullptr;
    {
        CGroupList binding;
        CDragListBox& list = binding.List();
        ASSERT_TRUE(list.SubclassDlgItem(1100, m_dlg.get()));
        binding.SetLibrary(&m_library);
        EXPECT_EQ(RowNames(list), GroupNames());
        RECT row{};
        ASSERT_TRUE(list.GetItemRect(1, &row)); // a fixed-height list gets the rows' height too
        EXPECT_EQ(row.top, 30);
        EXPECT_EQ(row.bottom, 60);
        list.SetCurrent(2);
        list.BeginInplaceEdit();
        editor = Editor(list);
        ASSERT_NE(editor, nullptr);
        ::SetWindowTextW(editor, L"Dropped");
    }
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_TRUE(::IsWindow(hList)) << "the list box itself is given back, not destroyed";
    EXPECT_EQ(m_library.Group(2).m_strName, u"G2");
    EXPECT_TRUE(m_dlg->m_nameChanges.empty());
    m_library.MoveGroup(0, -1); // the library no longer knows the object
    EXPECT_EQ(::SendMessageW(hList, LB_GETCOUNT, 0, 0), 3);
    ::DestroyWindow(hList);
}

} // namespace
