// The quick-paste popup in-process, under a test owner, with a host that records its reports: the rows it
// shows, the keys that move and choose, and a note (a target it cannot paste into) that keeps
// Enter from choosing.
#include "DialogTestSupport.h"
#include "RecordingCommandHost.h"
#include "core/library/CData.h"
#include "res/resource.h"
#include "win/dialogs/CQuickPasteDlg.h"
#include "win/framework/WindowDpi.h"

#include <memory>

using namespace brindlex;

using namespace dialog_test;

namespace {

class QuickPasteDialog : public ::testing::Test {
protected:
    void SetUp() override {
        LoadControls();
        CPasteGroup& mail = library.AddGroup(u"Mail");
        library.AddItem(mail, u"Signature", 0, u"Kind regards");
        library.AddItem(mail, u"Greeting", 0, u"Hello");
        CPasteGroup& code = library.AddGroup(u"Code");
        library.AddItem(code, u"Green", 0, u"#00ff00");
        dlg = std::make_unique<CQuickPasteDlg>(library, recent, host);
        ASSERT_TRUE(dlg->Create(owner.GetSafeHwnd()));
    }

    void Open(const std::u16string& note = u"") {
        dlg->Open(RECT{100, 100, 100 + 300, 100 + 240}, note);
        PumpUntil(QueueEmpty);
    }
    HWND Dlg() const { return dlg->GetSafeHwnd(); }
    HWND Query() const { return GetDlgItem(Dlg(), IDC_QUICK_QUERY); }
    HWND List() const { return GetDlgItem(Dlg(), IDC_QUICK_RESULTS); }
    int Rows() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::u16string Cell(int row, int column) const {
        wchar_t buffer[256] = {};
        ListView_GetItemText(List(), row, column, buffer, 256);
        return U16(buffer);
    }
    void Key(WPARAM vk) const {
        PostMessageW(Query(), WM_KEYDOWN, vk, 1);
        PumpUntil(QueueEmpty);
    }

    CLibrary library;
    CRecentItems recent{library};
    CRecordingCommandHost host;
    CTestOwner owner;
    std::unique_ptr<CQuickPasteDlg> dlg;
};

} // namespace

TEST_F(QuickPasteDialog, RecentFirstTypingFiltersAndEnterReportsTheSelectedRow) {
    recent.Add(library.Group(1).Item(0));
    Open();
    EXPECT_EQ(GetWindowTextU16(Dlg()), u"Quick paste");
    EXPECT_EQ(GetFocus(), Query());
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 0), u"Green");
    EXPECT_EQ(Cell(0, 1), u"Code");
    EXPECT_EQ(Cell(1, 0), u"Signature");

    SetWindowTextW(Query(), L"gree");
    ASSERT_EQ(Rows(), 2); // Greeting and Green by their names, in library order
    EXPECT_EQ(Cell(0, 0), u"Greeting");
    EXPECT_EQ(dlg->SelectedRow(), 0);
    Key(VK_DOWN);
    Key(VK_DOWN); // stays on the last row
    EXPECT_EQ(dlg->SelectedRow(), 1);
    Key(VK_RETURN);
    ASSERT_EQ(host.Count(CommandKind::PasteQuickItem), 1);
    EXPECT_EQ(host.commands.back().nGroup, 1); // group Code
    EXPECT_EQ(host.commands.back().nItem, 0);  // its item Green

    // Opened again: the query is empty and the library shows again.
    Open();
    EXPECT_EQ(GetWindowTextU16(Query()), u"");
    EXPECT_EQ(Rows(), 3);
    Key(VK_ESCAPE);
    ASSERT_GE(host.Count(CommandKind::QuickPasteClosed), 1);
    EXPECT_EQ(host.commands.back().kind, CommandKind::QuickPasteClosed); // Esc gives the focus back
}

TEST_F(QuickPasteDialog, ANoteKeepsEnterFromChoosing) {
    Open(u"That window runs as administrator: Brindlex cannot paste into it.");
    EXPECT_EQ(GetWindowTextU16(GetDlgItem(Dlg(), IDC_QUICK_NOTE)),
              u"That window runs as administrator: Brindlex cannot paste into it.");
    Key(VK_RETURN);
    EXPECT_EQ(host.Count(CommandKind::PasteQuickItem), 0);
    Open();
    EXPECT_EQ(GetWindowTextU16(GetDlgItem(Dlg(), IDC_QUICK_NOTE)), u"");
    Key(VK_RETURN);
    EXPECT_EQ(host.Count(CommandKind::PasteQuickItem), 1);
}

// Moved to a screen at 200 %: the query and the list twice the size, and the two columns fill the
// wider list again.
TEST_F(QuickPasteDialog, ADpiChangeScalesTheControlsAndRefitsTheColumns) {
    Open();
    const auto width = [](HWND h) {
        RECT rc{};
        GetClientRect(h, &rc);
        return rc.right;
    };
    const int listAt96 = width(List());
    const int queryAt96 = width(Query());
    RECT suggested{100, 100, 100 + 600, 100 + 480};
    SendMessageW(Dlg(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_NEAR(width(List()), 2 * listAt96, 4);
    EXPECT_NEAR(width(Query()), 2 * queryAt96, 4);
    const int columns = ListView_GetColumnWidth(List(), 0) + ListView_GetColumnWidth(List(), 1);
    EXPECT_EQ(columns, width(List()) - SystemMetricForDpi(SM_CXVSCROLL, 192));
    EXPECT_EQ(ListView_GetColumnWidth(List(), 0), columns * 3 / 5);
}
