// CSettingsFile::Load and CSettingsFile::Save against a real top-level window, each test with a
// settings folder and a Run key of its own.
#include "SettingsTestSupport.h"
#include "tests/core/StoredSettings.h"
#include "core/library/CData.h"
#include "win/library/CIni.h"
#include "win/library/CSettingsFile.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace brindlex;

using namespace store_test;

namespace {

class CTestWindow {
public:
    CTestWindow() {
        m_hWnd = CreateWindowExW(0, L"STATIC", L"Brindlex settings test", WS_OVERLAPPEDWINDOW, 5, 6, 123, 234,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(m_hWnd, nullptr);
    }
    ~CTestWindow() { DestroyWindow(m_hWnd); }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND Get() const { return m_hWnd; }
    RECT Rect() const {
        RECT rc{};
        GetWindowRect(m_hWnd, &rc);
        return rc;
    }

private:
    HWND m_hWnd = nullptr;
};

std::string Describe(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right - rc.left) +
           "x" + std::to_string(rc.bottom - rc.top);
}

std::string Geometry(int x, int y, int cx, int cy) {
    return Describe(RECT{x, y, x + cx, y + cy});
}

// Writes key=value lines into one section of the settings file, in their order.
void WriteSection(CIni& ini, const char16_t* section,
                  std::initializer_list<std::pair<const char16_t*, const char16_t*>> values) {
    for (const auto& [key, value] : values) {
        ini.WriteString(section, key, value);
    }
}

class Settings : public ::testing::Test {
protected:
    std::u16string IniPath() const { return iso.Folder() + u"\\Settings.ini"; }
    std::u16string RunValue() const { return RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex"); }

    CIsolatedSettings iso;
    CTestWindow window;
};

} // namespace

TEST_F(Settings, WithoutAFileTheDefaultsApplyAndTheWindowIsPlaced) {
    CData data;
    CSettingsFile::Load(data, window.Get());
    const int x = GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 150;
    const int y = GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 300;
    EXPECT_EQ(Describe(window.Rect()), Geometry(x, y, 300, 600));
    EXPECT_TRUE(data.m_bAutoStart);
    EXPECT_TRUE(data.m_bAlwaysOnTop);
    EXPECT_FALSE(data.m_bHotkey);
    EXPECT_EQ(data.m_wHotkeyVK, 'J');
    EXPECT_EQ(data.m_wHotkeyMod, 3);
    EXPECT_EQ(data.m_nHotkeyCmd, 0);
    EXPECT_TRUE(data.m_bDrawEdge);
    EXPECT_FALSE(data.m_bHideAfterPaste);
    EXPECT_FALSE(data.m_bHideOnStartup);
    // The folder is made on the way; the data file is the default one in it.
    EXPECT_TRUE(Exists(iso.Folder()));
    EXPECT_EQ(data.m_strDataFile, iso.Folder() + u"\\Brindlex.dat");
    // Loading writes nothing, but the auto-start value follows the (default) setting.
    EXPECT_FALSE(Exists(IniPath()));
    EXPECT_EQ(RunValue(), QuotedModuleFileName());
}

TEST_F(Settings, AFreshFileFromAVisibleWindowHasPosGeneralInterface) {
    CData data;
    CSettingsFile::Load(data, window.Get());
    ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    MoveWindow(window.Get(), 40, 50, 320, 610, TRUE);
    data.m_bHotkey = true;
    data.m_wHotkeyVK = 0x4B;
    data.m_nHotkeyCmd = -2;
    data.m_bHideOnStartup = true;
    CSettingsFile::Save(data, window.Get());

    const std::u16string expected =
        u"[Pos]\r\nx=40\r\ny=50\r\ncx=320\r\ncy=610\r\n"
        u"[General]\r\nDataFile=" +
        iso.Folder() +
        u"\\Brindlex.dat\r\n"
        u"AutoStart=1\r\nAlwaysOnTop=1\r\nHotkey=1\r\nHotkey_wVK=75\r\nHotkey_wMod=3\r\n"
        u"Hotkey_nCmd=4294967294\r\nHideAfterPaste=0\r\nHideOnStartup=1\r\n"
        u"QuickPaste=1\r\nQuickPaste_wVK=32\r\nQuickPaste_wMod=6\r\nRestoreClipboard=1\r\n"
        u"[Interface]\r\nDrawEdge=1\r\n";
    // Section breaks are written as the profile functions like them; compare without blank lines.
    std::u16string text = ReadUtf16(IniPath());
    for (std::size_t p; (p = text.find(u"\r\n\r\n")) != std::u16string::npos;) {
        text.erase(p, 2);
    }
    EXPECT_EQ(text, expected);
}

TEST_F(Settings, SavingAHiddenWindowKeepsPosAndMovesTheWindowThere) {
    {
        CIni ini(GetSettingsFilePath()); // makes the folder
        ini.WriteInt(u"Pos", u"x", 11);
        ini.WriteInt(u"Pos", u"y", 22);
        ini.WriteInt(u"Pos", u"cx", 333);
        ini.WriteInt(u"Pos", u"cy", 444);
    }
    CData data;
    CSettingsFile::Load(data, window.Get());
    EXPECT_EQ(Describe(window.Rect()), Geometry(11, 22, 333, 444));

    MoveWindow(window.Get(), 100, 100, 200, 200, FALSE); // hidden all along
    ASSERT_FALSE(IsWindowVisible(window.Get()));
    CSettingsFile::Save(data, window.Get());
    EXPECT_EQ(Describe(window.Rect()), Geometry(11, 22, 333, 444));
    CIni ini(IniPath());
    EXPECT_EQ(ini.ReadInt(u"Pos", u"x", 0), 11);
    EXPECT_EQ(ini.ReadInt(u"Pos", u"cx", 0), 333);

    // Visible, the window's own rectangle is stored.
    ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
    MoveWindow(window.Get(), 60, 70, 310, 620, TRUE);
    CSettingsFile::Save(data, window.Get());
    EXPECT_EQ(ini.ReadInt(u"Pos", u"x", 0), 60);
    EXPECT_EQ(ini.ReadInt(u"Pos", u"y", 0), 70);
    EXPECT_EQ(ini.ReadInt(u"Pos", u"cx", 0), 310);
    EXPECT_EQ(ini.ReadInt(u"Pos", u"cy", 0), 620);
}

// The value rules are the core's (SettingsRules); here the real file reaches them: a path in any
// script through the INI file, the Pos section placing the window, the Interface section, and the
// start with Windows that the value sets.
TEST_F(Settings, AStoredFileReachesTheRulesAndTheWindow) {
    {
        CIni ini(GetSettingsFilePath());
        WriteSection(ini, u"Pos", {{u"x", u"-10"}, {u"y", u"30"}});
        WriteSection(
            ini, u"General",
            {{u"DataFile", u"D:\\\u0416\u00FC\\lib.dat"}, {u"AutoStart", u"off"}, {u"Hotkey", u"Yes"}});
        WriteSection(ini, u"Interface", {{u"DrawEdge", u"no"}});
    }
    SetRegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex", u"\"C:\\old\\Brindlex.exe\"");
    CData data;
    CSettingsFile::Load(data, window.Get());
    EXPECT_EQ(window.Rect().left, GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 150); // -10 is replaced
    EXPECT_EQ(window.Rect().top, 30);
    EXPECT_EQ(data.m_strDataFile, u"D:\\\u0416\u00FC\\lib.dat");
    EXPECT_TRUE(data.m_bHotkey);
    EXPECT_FALSE(data.m_bDrawEdge);
    EXPECT_EQ(RunValue(), u"<none>"); // AutoStart off removes the value at load
}

TEST_F(Settings, SavedSettingsComeBackAtTheNextStart) {
    CData data;
    CSettingsFile::Load(data, window.Get());
    const StoredSettings stored = StoredSettings::OffTheDefaults();
    stored.ApplyTo(data);
    CSettingsFile::Save(data, window.Get());
    EXPECT_EQ(RunValue(), u"<none>");

    CData next;
    CSettingsFile::Load(next, window.Get());
    EXPECT_EQ(StoredSettings::Of(next), stored);

    next.m_bAutoStart = true;
    CSettingsFile::Save(next, window.Get());
    EXPECT_EQ(RunValue(), QuotedModuleFileName());
}

TEST_F(Settings, AnEmptyDataFileIsStoredEmptyAndMeansTheDefault) {
    CData data;
    CSettingsFile::Load(data, window.Get());
    data.m_strDataFile.clear(); // the settings dialog's field was cleared
    CSettingsFile::Save(data, window.Get());
    EXPECT_EQ(CIni(IniPath()).ReadString(u"General", u"DataFile", u"<missing>"), u"");
    EXPECT_EQ(data.m_strDataFile, iso.Folder() + u"\\Brindlex.dat");
    CData next;
    CSettingsFile::Load(next, window.Get());
    EXPECT_EQ(next.m_strDataFile, iso.Folder() + u"\\Brindlex.dat");
}

TEST_F(Settings, EachTestHasItsOwnFolder) {
    EXPECT_EQ(GetAppDataFolder(), iso.Folder());
    EXPECT_EQ(GetSettingsFilePath(), iso.Folder() + u"\\Settings.ini");
    EXPECT_EQ(GetDefaultDataFilePath(), iso.Folder() + u"\\Brindlex.dat");
    EXPECT_EQ(List(iso.AppData()), std::vector<std::u16string>{u"Brindlex"});
}

TEST(SettingsFolder, IsBrindlexInTheUsersApplicationDataFolder) {
    // The environment names the same folder as the shell does, for a process started normally.
    wchar_t appData[MAX_PATH];
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    const std::u16string expected = U16(appData) + u"\\Brindlex";
    const bool existed = Exists(expected);
    EXPECT_EQ(GetAppDataFolder(), expected);
    EXPECT_TRUE(Exists(expected));
    if (!existed) {
        RemoveDirectoryW(W(expected));
    }
}
