// The settings dialog in-process: a modeless CSettingsDlg under a test owner, with a host that
// records SettingsClosed and releases the dialog then, as the main window does; each test with a
// settings folder and a Run key of its own.
#include "DialogTestSupport.h"
#include "SettingsTestSupport.h"
#include "RecordingCommandHost.h"
#include "win/dialogs/CSettingsDlg.h"
#include "core/library/CData.h"
#include "win/library/CIni.h"
#include "res/resource.h"

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

using namespace brindlex;

using namespace dialog_test;

namespace {

// The library's owner as the dialog sees it: records each path put to it and gives the answer set.
struct CRecordingDataFileSwitch : IDataFileSwitch {
    bool SwitchDataFile(HWND hAsker, const std::u16string& path) override {
        asked.push_back(path);
        askerIsTheDialog = askerIsTheDialog && hAsker != nullptr && GetWindowTextU16(hAsker) == u"Settings";
        return accept;
    }
    std::vector<std::u16string> asked;
    bool askerIsTheDialog = true;
    bool accept = true;
};

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        LoadControls();
        data.m_strDataFile = u"D:\\old\\Brindlex.dat";
        data.m_bAutoStart = false;
        data.m_bHotkey = true;
        data.m_wHotkeyVK = 'J';
        data.m_wHotkeyMod = HOTKEYF_CONTROL | HOTKEYF_SHIFT;
        data.m_bDrawEdge = true;
        data.m_bHideAfterPaste = false;
        data.m_bHideOnStartup = true;
        data.m_bQuickPaste = true;
        data.m_wQuickPasteVK = VK_F9;
        data.m_wQuickPasteMod = HOTKEYF_CONTROL | HOTKEYF_ALT;
        host.onCommand = [this](const AppCommand& c) {
            if (c.kind == CommandKind::SettingsClosed) {
                iniExistedAtReport = store_test::Exists(IniPath());
                dlg.reset();
            }
        };
    }

    void Open() {
        dlg = std::make_unique<CSettingsDlg>(data, dataFiles, host);
        ASSERT_TRUE(dlg->Create(owner.GetSafeHwnd()));
        dlg->CenterWindow(GetDesktopWindow());
        dlg->ShowWindow(SW_SHOW);
        hDlg = dlg->GetSafeHwnd();
        PumpUntil(QueueEmpty);
    }

    std::u16string IniPath() const { return iso.Folder() + u"\\Settings.ini"; }
    std::u16string Ini(const char16_t* section, const char16_t* key) const {
        return CIni(IniPath()).ReadString(section, key, u"<none>");
    }
    bool Checked(int id) const { return SendDlgItemMessageW(hDlg, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Check(int id, bool on) const {
        SendDlgItemMessageW(hDlg, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    std::u16string Path() const { return GetWindowTextU16(GetDlgItem(hDlg, IDC_DATA_FILE)); }
    void Click(int id) const {
        SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id)));
    }

    store_test::CIsolatedSettings iso;
    CData data;
    CRecordingDataFileSwitch dataFiles;
    CRecordingCommandHost host;
    CTestOwner owner;
    std::unique_ptr<CSettingsDlg> dlg;
    HWND hDlg = nullptr;
    bool iniExistedAtReport = false;
};

} // namespace

TEST_F(SettingsDialog, ShowsTheSettingsOfCData) {
    Open();
    EXPECT_EQ(GetWindowTextU16(hDlg), u"Settings");
    EXPECT_EQ(Path(), u"D:\\old\\Brindlex.dat");
    EXPECT_FALSE(Checked(IDC_AUTOSTART));
    EXPECT_TRUE(Checked(IDC_USE_HOTKEY));
    EXPECT_TRUE(Checked(IDC_DRAW_EDGES));
    EXPECT_FALSE(Checked(IDC_HIDE_AFTER_PASTE));
    EXPECT_TRUE(Checked(IDC_HIDE_ON_STARTUP));
    EXPECT_EQ(SendDlgItemMessageW(hDlg, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0),
              MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    // Nothing depends on the hotkey box: the key stays editable with it unticked.
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDlg, IDC_HOTKEY)));
    dlg.reset();
}

// Moved to a screen at 200 %, the dialog made at 100 % takes the offered rectangle and every control
// twice the size and the font of the same points at that DPI, whether the system rescaled it or the
// dialog did.
TEST_F(SettingsDialog, ADpiChangeScalesEveryControlAndTheFont) {
    Open();
    const auto placeOf = [this](HWND hControl) {
        RECT rc{};
        GetWindowRect(hControl, &rc);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    const auto fontHeight = [](HWND hControl) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hControl, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return std::abs(lf.lfHeight);
    };
    std::vector<std::pair<HWND, RECT>> before;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        before.emplace_back(h, placeOf(h));
    }
    ASSERT_GT(before.size(), 10u);
    const int fontAt96 = fontHeight(GetDlgItem(hDlg, IDC_AUTOSTART));
    RECT suggested{0, 0, 1200, 1000};
    SendMessageW(hDlg, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT window{};
    GetWindowRect(hDlg, &window);
    EXPECT_EQ(window.right, 1200);
    for (const auto& [h, was] : before) {
        const RECT now = placeOf(h);
        EXPECT_EQ(now.left, was.left * 2) << GetDlgCtrlID(h);
        EXPECT_EQ(now.top, was.top * 2) << GetDlgCtrlID(h);
        EXPECT_EQ(now.right, was.right * 2) << GetDlgCtrlID(h);
        EXPECT_EQ(now.bottom - now.top, (was.bottom - was.top) * 2) << GetDlgCtrlID(h);
        EXPECT_NEAR(fontHeight(h), fontAt96 * 2, 1) << GetDlgCtrlID(h);
    }
    dlg.reset();
}

TEST_F(SettingsDialog, OkStoresEveryControlReportsAndThenWritesTheFile) {
    Open();
    SetDlgItemTextW(hDlg, IDC_DATA_FILE, L"D:\\new place\\lib.dat");
    Check(IDC_AUTOSTART, true);
    Check(IDC_USE_HOTKEY, false);
    Check(IDC_DRAW_EDGES, false);
    Check(IDC_HIDE_AFTER_PASTE, true);
    Check(IDC_HIDE_ON_STARTUP, false);
    SendDlgItemMessageW(hDlg, IDC_HOTKEY, HKM_SETHOTKEY, MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    Click(IDOK);

    EXPECT_EQ(dlg, nullptr) << "released by the host while reporting";
    EXPECT_EQ(dataFiles.asked, std::vector<std::u16string>{u"D:\\new place\\lib.dat"});
    EXPECT_TRUE(dataFiles.askerIsTheDialog);
    EXPECT_EQ(host.Count(CommandKind::SettingsClosed), 1);
    EXPECT_FALSE(iniExistedAtReport) << "the file is written after the host has applied the settings";
    EXPECT_EQ(data.m_strDataFile, u"D:\\new place\\lib.dat");
    EXPECT_TRUE(data.m_bAutoStart);
    EXPECT_FALSE(data.m_bHotkey);
    // Ctrl+Alt+J, stored although the hotkey is off.
    EXPECT_EQ(data.m_wHotkeyVK, 0x4A);
    EXPECT_EQ(data.m_wHotkeyMod, 6);
    EXPECT_FALSE(data.m_bDrawEdge);
    EXPECT_TRUE(data.m_bHideAfterPaste);
    EXPECT_FALSE(data.m_bHideOnStartup);

    EXPECT_EQ(Ini(u"General", u"DataFile"), u"D:\\new place\\lib.dat");
    EXPECT_EQ(Ini(u"General", u"AutoStart"), u"1");
    EXPECT_EQ(Ini(u"General", u"Hotkey"), u"0");
    EXPECT_EQ(Ini(u"General", u"Hotkey_wVK"), u"74");
    EXPECT_EQ(Ini(u"General", u"Hotkey_wMod"), u"6");
    EXPECT_EQ(Ini(u"General", u"HideAfterPaste"), u"1");
    EXPECT_EQ(Ini(u"General", u"HideOnStartup"), u"0");
    EXPECT_EQ(Ini(u"Interface", u"DrawEdge"), u"0");
    // Auto-start follows at once.
    EXPECT_EQ(store_test::RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex"),
              store_test::QuotedModuleFileName());
}

// Another program holding the quick-paste key is said under its control as soon as the key is
// shown or chosen; a free key, or the quick paste switched off, says nothing.
TEST_F(SettingsDialog, AQuickPasteKeyTakenElsewhereIsSaidAndOkStoresTheNewKeys) {
    const HWND hOther = owner.GetSafeHwnd(); // stands in for the other program's window
    ASSERT_TRUE(RegisterHotKey(hOther, 7, MOD_CONTROL | MOD_ALT, VK_F9));
    Open();
    const HWND hTaken = GetDlgItem(hDlg, IDC_QUICK_PASTE_TAKEN);
    EXPECT_TRUE(Checked(IDC_USE_QUICK_PASTE));
    EXPECT_EQ(SendDlgItemMessageW(hDlg, IDC_QUICK_PASTE_HOTKEY, HKM_GETHOTKEY, 0, 0),
              MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_TRUE(IsWindowVisible(hTaken));
    EXPECT_EQ(GetWindowTextU16(hTaken), u"This key is taken by another program: choose another one.");

    const HWND hKey = GetDlgItem(hDlg, IDC_QUICK_PASTE_HOTKEY);
    SendMessageW(hKey, HKM_SETHOTKEY, MAKEWORD(VK_F8, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDC_QUICK_PASTE_HOTKEY, EN_CHANGE),
                 reinterpret_cast<LPARAM>(hKey));
    EXPECT_FALSE(IsWindowVisible(hTaken));
    SendMessageW(hKey, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDC_QUICK_PASTE_HOTKEY, EN_CHANGE),
                 reinterpret_cast<LPARAM>(hKey));
    EXPECT_TRUE(IsWindowVisible(hTaken));
    Check(IDC_USE_QUICK_PASTE, false);
    Click(IDC_USE_QUICK_PASTE);
    EXPECT_FALSE(IsWindowVisible(hTaken));
    UnregisterHotKey(hOther, 7);

    SendMessageW(hKey, HKM_SETHOTKEY, MAKEWORD(VK_SPACE, HOTKEYF_SHIFT), 0);
    Check(IDC_RESTORE_CLIPBOARD, false);
    Click(IDOK);
    EXPECT_FALSE(data.m_bQuickPaste);
    EXPECT_EQ(data.m_wQuickPasteVK, VK_SPACE);
    EXPECT_EQ(data.m_wQuickPasteMod, HOTKEYF_SHIFT);
    EXPECT_FALSE(data.m_bRestoreClipboard);
    EXPECT_EQ(Ini(u"General", u"QuickPaste"), u"0");
    EXPECT_EQ(Ini(u"General", u"QuickPaste_wVK"), u"32");
}

// The owner of the library kept the old data file (the user cancelled its question): nothing
// changes, and the dialog stays open with the old path to choose again.
TEST_F(SettingsDialog, OkStopsBeforeAnythingChangesWhenTheDataFileIsNotSwitched) {
    Open();
    dataFiles.accept = false;
    SetDlgItemTextW(hDlg, IDC_DATA_FILE, L"D:\\a library\\Brindlex.dat");
    Check(IDC_DRAW_EDGES, false);
    Click(IDOK);
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->IsWindow());
    EXPECT_EQ(dataFiles.asked.size(), 1u);
    EXPECT_EQ(Path(), u"D:\\old\\Brindlex.dat");
    EXPECT_EQ(host.Count(CommandKind::SettingsClosed), 0);
    EXPECT_EQ(data.m_strDataFile, u"D:\\old\\Brindlex.dat");
    EXPECT_TRUE(data.m_bDrawEdge);
    EXPECT_FALSE(store_test::Exists(IniPath()));
    dlg.reset();
}

TEST_F(SettingsDialog, AnEmptyPathIsStoredEmpty) {
    Open();
    SetDlgItemTextW(hDlg, IDC_DATA_FILE, L"");
    Click(IDOK);
    EXPECT_EQ(Ini(u"General", u"DataFile"), u"");
}

TEST_F(SettingsDialog, RestoreDefaultOnlyFillsTheFieldAndCancelKeepsEverything) {
    Open();
    Click(IDC_RESTORE_DEFAULT);
    EXPECT_EQ(Path(), iso.Folder() + u"\\Brindlex.dat");
    EXPECT_TRUE(store_test::Exists(iso.Folder())) << "the settings folder is made on the way";
    Check(IDC_DRAW_EDGES, false);
    SendMessageW(hDlg, WM_CLOSE, 0, 0); // the close box: IDCANCEL, posted
    PumpUntil([&] { return dlg == nullptr; }, 2000);
    EXPECT_EQ(dlg, nullptr);
    EXPECT_EQ(host.Count(CommandKind::SettingsClosed), 1);
    EXPECT_EQ(data.m_strDataFile, u"D:\\old\\Brindlex.dat");
    EXPECT_TRUE(data.m_bDrawEdge);
    EXPECT_FALSE(store_test::Exists(IniPath())) << "Cancel saves nothing";
}

TEST_F(SettingsDialog, BrowseAcceptsAFileThatDoesNotExistYet) {
    Open();
    const store_test::CTestFolder folder;
    const std::u16string chosen = folder.File(u"fresh.dat");
    ASSERT_FALSE(store_test::Exists(chosen));
    // The file dialog runs its own loop inside the click: another thread fills it in.
    std::atomic<bool> done{false};
    std::atomic<HWND> fileDlgOwner{nullptr};
    const HWND settings = hDlg;
    std::thread driver([&] {
        const ULONGLONG deadline = GetTickCount64() + 15000;
        while (!done && GetTickCount64() < deadline) {
            HWND found = nullptr;
            for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w != nullptr;
                 w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
                if (w != settings && IsWindowVisible(w)) {
                    found = w;
                }
            }
            if (found != nullptr && GetTickCount64() + 5000 > deadline) {
                PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); // give up
            } else if (found != nullptr) {
                HWND edit = GetDlgItem(found, 1148);
                if (edit != nullptr) {
                    HWND inner = FindWindowExW(edit, nullptr, L"ComboBox", nullptr);
                    HWND target =
                        inner != nullptr ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : nullptr;
                    if (target == nullptr) {
                        target = edit;
                    }
                    fileDlgOwner = GetWindow(found, GW_OWNER);
                    DWORD_PTR result = 0;
                    SendMessageTimeoutW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(chosen)),
                                        SMTO_ABORTIFHUNG, 5000, &result);
                    PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    Sleep(300);
                    continue;
                }
            }
            Sleep(50);
        }
    });
    // Bounded: should the dialog never be filled in, the driver gives up and the test fails.
    Click(IDC_BROWSE);
    done = true;
    driver.join();
    EXPECT_EQ(fileDlgOwner.load(), settings) << "the file dialog belongs to the settings dialog";
    EXPECT_EQ(Path(), chosen);
    EXPECT_TRUE(dlg != nullptr && dlg->IsWindow());
    dlg.reset();
}
