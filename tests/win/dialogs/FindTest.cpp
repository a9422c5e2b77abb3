// Find in-process: a modeless CFindDlg over a small library under a test owner, with a host that
// records what Find asks of the main window and, like it, releases Find while Find reports.
#include "DialogTestSupport.h"
#include "core/library/CData.h"
#include "res/resource.h"
#include "RecordingCommandHost.h"
#include "win/dialogs/CFindDlg.h"
#include "win/framework/LocaleCaseFold.h"

#include <memory>

using namespace brindlex;

using namespace dialog_test;

namespace {

class Find : public ::testing::Test {
protected:
    void SetUp() override {
        LoadControls();
        CLibrary& library = data.m_library;
        CPasteGroup& mail = library.AddGroup(u"Mail");
        library.AddItem(mail, u"Signature", 0, u"Kind regards,\r\nAnn");
        library.AddItem(mail, u"Greeting", 0, u"Hello world,\r\n[TAB]how are you?");
        CPasteGroup& code = library.AddGroup(u"Code");
        library.AddItem(code, u"Loop", 0, u"for (;;) { greet(world); }"); // matches in its text only
        library.AddItem(code, u"Green", 0, u"#00ff00");
        library.SelectGroup(0);
        host.onCommand = [this](const AppCommand& c) {
            if (c.kind == CommandKind::FindClosed || c.kind == CommandKind::ChooseFound ||
                c.kind == CommandKind::PasteFound) {
                dlg.reset();
            }
        };
        dlg = std::make_unique<CFindDlg>(library, host);
        ASSERT_TRUE(dlg->Create(owner.GetSafeHwnd()));
        dlg->CenterWindow(owner.GetSafeHwnd());
        dlg->ShowWindow(SW_SHOW);
        PumpUntil(QueueEmpty);
    }

    HWND Dlg() const { return dlg->GetSafeHwnd(); }
    HWND Query() const { return GetDlgItem(Dlg(), IDC_FIND_QUERY); }
    HWND List() const { return GetDlgItem(Dlg(), IDC_FIND_RESULTS); }
    void Type(const std::u16string& text) const { SetWindowTextW(Query(), W(text)); }
    int Rows() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    // What the list view shows in a cell (it asks Find for it).
    std::u16string Cell(int row, int column) const {
        wchar_t buffer[256] = {};
        ListView_GetItemText(List(), row, column, buffer, 256);
        return U16(buffer);
    }
    std::u16string CountLine() const { return GetWindowTextU16(GetDlgItem(Dlg(), IDC_FIND_COUNT)); }
    void Key(WPARAM vk) const {
        PostMessageW(Query(), WM_KEYDOWN, vk, 1);
        PumpUntil(QueueEmpty);
    }
    const AppCommand* Report(CommandKind kind) const { return host.First(kind); }

    CData data;
    CRecordingCommandHost host;
    CTestOwner owner;
    std::unique_ptr<CFindDlg> dlg;
};

} // namespace

TEST_F(Find, TypingShowsEveryMatchNameMatchesFirstWithFolderAndExcerpt) {
    EXPECT_EQ(GetFocus(), Query());
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(CountLine(), u"");

    Type(u"gree wor");
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), u"Greeting");
    EXPECT_EQ(Cell(0, 1), u"Mail");
    EXPECT_EQ(Cell(0, 2), u"Hello world, [TAB]how are you?");
    EXPECT_EQ(Cell(1, 0), u"Loop"); // only its text holds "gree"
    EXPECT_EQ(Cell(1, 1), u"Code");
    EXPECT_EQ(CountLine(), u"2 of 4 items");
    EXPECT_EQ(dlg->SelectedRow(), 0);

    Type(u"GREEN");
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), u"Green");
    Type(u"nothing like it");
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(CountLine(), u"No item matches");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Dlg(), IDC_FIND_PASTE)));
}

TEST_F(Find, TheSystemFoldMatchesAccentedCapitals) {
    EXPECT_EQ(FoldForUserLocale(u"ÉTÉ Straße"), u"été straße");
    data.m_library.AddItem(data.m_library.Group(0), u"Summer", 0, u"un été chaud");
    Type(u"ÉTÉ");
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(Cell(0, 0), u"Summer");
}

TEST_F(Find, UpAndDownMoveTheSelectionAndEnterReportsTheRowOnce) {
    Type(u"gree");
    ASSERT_EQ(Rows(), 3); // Greeting, Green by name; Loop by text
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN); // stays on the last row
    EXPECT_EQ(dlg->SelectedRow(), 2);
    Key(VK_UP);
    EXPECT_EQ(dlg->SelectedRow(), 1);
    EXPECT_EQ(Cell(1, 0), u"Green");
    Key(VK_RETURN);
    const AppCommand* chosen = Report(CommandKind::ChooseFound);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->nGroup, 1); // "Code"
    EXPECT_EQ(chosen->nItem, 1);  // its second item
    EXPECT_EQ(dlg, nullptr) << "released while it reported";
    EXPECT_EQ(host.Count(CommandKind::PasteFound), 0);
}

TEST_F(Find, CtrlEnterAndPasteAskForThePasteEscapeForTheEnd) {
    Type(u"sig");
    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Key(VK_RETURN);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    const AppCommand* pasted = Report(CommandKind::PasteFound);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->nGroup, 0);
    EXPECT_EQ(pasted->nItem, 0);
    EXPECT_EQ(host.Count(CommandKind::ChooseFound), 0);

    for (const bool byButton : {true, false}) {
        host.commands.clear();
        dlg = std::make_unique<CFindDlg>(data.m_library, host);
        ASSERT_TRUE(dlg->Create(owner.GetSafeHwnd()));
        dlg->ShowWindow(SW_SHOW);
        Type(u"loop");
        if (byButton) {
            SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(IDC_FIND_PASTE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(Dlg(), IDC_FIND_PASTE)));
            ASSERT_NE(Report(CommandKind::PasteFound), nullptr);
            EXPECT_EQ(Report(CommandKind::PasteFound)->nGroup, 1);
        } else {
            Key(VK_ESCAPE);
            EXPECT_EQ(host.Count(CommandKind::FindClosed), 1);
            EXPECT_EQ(host.Count(CommandKind::PasteFound), 0);
        }
        EXPECT_EQ(dlg, nullptr);
    }
}

TEST_F(Find, RowsFollowTheLibraryAndNeverShowAFreedItem) {
    CLibrary& library = data.m_library;
    Type(u"gree");
    ASSERT_EQ(Rows(), 3);

    // Greeting deleted from the main window's list: its row goes, and a row read before the
    // posted refresh is already the library's truth.
    library.SelectGroup(0);
    library.DeleteItem(1);
    EXPECT_EQ(Cell(0, 0), u"Green");
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 2; }, 2000));
    EXPECT_EQ(CountLine(), u"2 of 3 items");

    // Renamed into and out of the results, edited, added.
    library.UpdateItem(library.Group(0).Item(0), u"Greetings card", u"Kind regards");
    library.AddItem(library.Group(0), u"Agreed", 0, u"");
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 4; }, 2000));
    EXPECT_EQ(Cell(0, 0), u"Greetings card");
    EXPECT_EQ(Cell(1, 0), u"Agreed");
    EXPECT_EQ(Cell(1, 1), u"Mail");

    // A whole folder deleted: every one of its rows goes, in one refresh.
    library.DeleteGroup(1);
    EXPECT_EQ(Cell(2, 0), u"");
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 2; }, 2000));
    EXPECT_EQ(CountLine(), u"2 of 2 items");
    EXPECT_EQ(dlg->SelectedRow(), 0);
    EXPECT_EQ(library.GroupCount(), 1) << "Find changed nothing";
}

TEST_F(Find, ResizingKeepsTheResultsFillingTheWindow) {
    SetWindowPos(Dlg(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntil(QueueEmpty);
    RECT client{};
    GetClientRect(Dlg(), &client);
    RECT list{};
    GetWindowRect(List(), &list);
    MapWindowPoints(nullptr, Dlg(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.right, client.right - 8);
    EXPECT_EQ(list.bottom, client.bottom - 40);
    const HWND close = GetDlgItem(Dlg(), IDCANCEL);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(IsWindowVisible(close));
    RECT button{};
    GetWindowRect(close, &button);
    MapWindowPoints(nullptr, Dlg(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.right, client.right - 8);
    EXPECT_EQ(button.bottom, client.bottom - 8);
    EXPECT_EQ(GetWindowTextU16(close), u"Close");

    // Moved to a screen at 200 %: the offered rectangle taken, the controls placed for that scale.
    RECT suggested{10, 20, 1410, 1020};
    SendMessageW(Dlg(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(Dlg(), &client);
    GetWindowRect(close, &button);
    MapWindowPoints(nullptr, Dlg(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.right, client.right - 16);
    EXPECT_EQ(button.bottom - button.top, 48);
}
