// The settings keys, their defaults and how CSettingsFile::Load/Save move them, over an INI
// file kept in memory that remembers the order of the writes.
#include "core/library/CData.h"
#include "core/library/SettingsRules.h"

#include "StoredSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

using namespace brindlex;

namespace {

class CMemoryIni : public IIniStore {
public:
    std::u16string ReadString(const char16_t* section, const char16_t* key,
                              const char16_t* def) const override {
        ++reads;
        if (section != nullptr && key != nullptr) {
            const auto it = values.find({section, key});
            if (it != values.end()) {
                return it->second;
            }
        }
        return def != nullptr ? def : u"";
    }
    void WriteString(const char16_t* section, const char16_t* key, const char16_t* value) override {
        writes.emplace_back(std::u16string(section) + u"/" + key);
        values[{section, key}] = value;
    }
    void Set(const char16_t* section, const char16_t* key, const char16_t* value) {
        values[{section, key}] = value;
    }
    std::u16string Get(const char16_t* section, const char16_t* key) const {
        const auto it = values.find({section, key});
        return it != values.end() ? it->second : u"<missing>";
    }

    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values;
    std::vector<std::u16string> writes;
    mutable int reads = 0;
};

const std::u16string kDefaultPath = u"C:\\Users\\u\\AppData\\Roaming\\Brindlex\\Brindlex.dat";

} // namespace

TEST(SettingsRules, AFreshFileGivesTheDefaults) {
    CMemoryIni ini;
    CData data;
    brindlex::ReadSettingsValues(ini, data, kDefaultPath);
    EXPECT_EQ(data.m_strDataFile, kDefaultPath);
    EXPECT_TRUE(data.m_bAutoStart);
    EXPECT_TRUE(data.m_bAlwaysOnTop);
    EXPECT_FALSE(data.m_bHotkey);
    EXPECT_EQ(data.m_wHotkeyVK, 74); // J
    EXPECT_EQ(data.m_wHotkeyMod, 3); // Ctrl+Shift
    EXPECT_EQ(data.m_nHotkeyCmd, 0);
    EXPECT_TRUE(data.m_bDrawEdge);
    EXPECT_FALSE(data.m_bHideAfterPaste);
    EXPECT_FALSE(data.m_bHideOnStartup);
    EXPECT_TRUE(data.m_bQuickPaste);
    EXPECT_EQ(data.m_wQuickPasteVK, 32); // Space
    EXPECT_EQ(data.m_wQuickPasteMod, 6); // Ctrl+Alt
    EXPECT_TRUE(data.m_bRestoreClipboard);

    // 1280x1024 screen with a 30-pixel taskbar: SM_CXFULLSCREEN 1280, SM_CYFULLSCREEN 975.
    EXPECT_EQ(brindlex::ReadWindowGeometry(ini, 1280, 975), (brindlex::WindowGeometry{490, 187, 300, 600}));
    EXPECT_EQ(brindlex::ReadWindowGeometry(ini, 1023, 599), (brindlex::WindowGeometry{361, -1, 300, 600}));
    // At 150 %: the size scaled, the centring too; the position is the screen's own.
    EXPECT_EQ(brindlex::ReadWindowGeometry(ini, 1920, 1462, 144),
              (brindlex::WindowGeometry{735, 281, 450, 900}));
}

TEST(SettingsRules, StoredValuesAreReadWithTheirRules) {
    CMemoryIni ini;
    using namespace brindlex::settings;
    ini.Set(kSectionGeneral, kKeyDataFile, u"D:\\elsewhere\\lib.dat");
    ini.Set(kSectionGeneral, kKeyAutoStart, u"off");
    ini.Set(kSectionGeneral, kKeyAlwaysOnTop, u"0");
    ini.Set(kSectionGeneral, kKeyHotkey, u"Yes");
    ini.Set(kSectionGeneral, kKeyHotkeyVK, u"65610"); // 0x1004A: cut to 16 bits
    ini.Set(kSectionGeneral, kKeyHotkeyMod, u"-1");   // 0xFFFF
    ini.Set(kSectionGeneral, kKeyHotkeyCmd, u"4294967295");
    ini.Set(kSectionGeneral, kKeyHideAfterPaste, u"TRUE");
    ini.Set(kSectionGeneral, kKeyHideOnStartup, u"5");
    ini.Set(kSectionGeneral, kKeyRestoreClipboard, u"0");
    ini.Set(kSectionInterface, kKeyDrawEdge, u"false");
    ini.Set(kSectionGeneral, kKeyQuickPaste, u"no");
    ini.Set(kSectionGeneral, kKeyQuickPasteVK, u"65648"); // 0x10070: cut to 16 bits
    ini.Set(kSectionGeneral, kKeyQuickPasteMod, u"4");
    CData data;
    brindlex::ReadSettingsValues(ini, data, kDefaultPath);
    EXPECT_EQ(data.m_strDataFile, u"D:\\elsewhere\\lib.dat");
    EXPECT_FALSE(data.m_bAutoStart);
    EXPECT_FALSE(data.m_bAlwaysOnTop);
    EXPECT_TRUE(data.m_bHotkey);
    EXPECT_EQ(data.m_wHotkeyVK, 0x004A);
    EXPECT_EQ(data.m_wHotkeyMod, 0xFFFF);
    EXPECT_EQ(data.m_nHotkeyCmd, -1);
    EXPECT_TRUE(data.m_bHideAfterPaste);
    EXPECT_TRUE(data.m_bHideOnStartup);
    EXPECT_FALSE(data.m_bRestoreClipboard);
    EXPECT_FALSE(data.m_bDrawEdge);
    EXPECT_FALSE(data.m_bQuickPaste);
    EXPECT_EQ(data.m_wQuickPasteVK, 0x0070);
    EXPECT_EQ(data.m_wQuickPasteMod, 4);

    // Each flag is read from its own key.
    ini.Set(kSectionGeneral, kKeyAutoStart, u"TRUE");
    ini.Set(kSectionGeneral, kKeyHotkey, u"0");
    ini.Set(kSectionGeneral, kKeyHideAfterPaste, u"no");
    ini.Set(kSectionInterface, kKeyDrawEdge, u"2");
    brindlex::ReadSettingsValues(ini, data, kDefaultPath);
    EXPECT_TRUE(data.m_bAutoStart);
    EXPECT_FALSE(data.m_bHotkey);
    EXPECT_FALSE(data.m_bHideAfterPaste);
    EXPECT_TRUE(data.m_bHideOnStartup);
    EXPECT_TRUE(data.m_bDrawEdge);
}

TEST(SettingsRules, EmptyValuesTakeTheDefault) {
    CMemoryIni ini;
    using namespace brindlex::settings;
    for (const char16_t* key : {kKeyDataFile, kKeyAutoStart, kKeyAlwaysOnTop, kKeyHotkey, kKeyHotkeyVK,
                                kKeyHotkeyMod, kKeyHotkeyCmd, kKeyHideAfterPaste, kKeyHideOnStartup,
                                kKeyQuickPaste, kKeyQuickPasteVK, kKeyQuickPasteMod, kKeyRestoreClipboard}) {
        ini.Set(kSectionGeneral, key, u"");
    }
    ini.Set(kSectionInterface, kKeyDrawEdge, u"");
    ini.Set(kSectionPos, kKeyCx, u"");
    CData data;
    data.m_strDataFile = u"old";
    data.m_bRestoreClipboard = false;
    brindlex::ReadSettingsValues(ini, data, kDefaultPath);
    EXPECT_EQ(data.m_strDataFile, kDefaultPath);
    EXPECT_TRUE(data.m_bRestoreClipboard);
    EXPECT_TRUE(data.m_bAutoStart);
    EXPECT_TRUE(data.m_bAlwaysOnTop);
    EXPECT_EQ(data.m_wHotkeyVK, 74);
    EXPECT_EQ(data.m_wHotkeyMod, 3);
    EXPECT_TRUE(data.m_bDrawEdge);
    EXPECT_TRUE(data.m_bQuickPaste);
    EXPECT_EQ(data.m_wQuickPasteVK, 32);
    EXPECT_EQ(data.m_wQuickPasteMod, 6);
    EXPECT_EQ(brindlex::ReadWindowGeometry(ini, 800, 1200).cx, 300);
}

TEST(SettingsRules, NegativeStoredPositionsAreReplacedOneByOne) {
    CMemoryIni ini;
    using namespace brindlex::settings;
    ini.Set(kSectionPos, kKeyX, u"-10"); // a window on a monitor left of the primary one
    ini.Set(kSectionPos, kKeyY, u"20");
    ini.Set(kSectionPos, kKeyCx, u"410");
    ini.Set(kSectionPos, kKeyCy, u"-5"); // sizes are taken as stored
    EXPECT_EQ(brindlex::ReadWindowGeometry(ini, 1920, 1050), (brindlex::WindowGeometry{810, 20, 410, -5}));
    ini.Set(kSectionPos, kKeyX, u"0");
    ini.Set(kSectionPos, kKeyY, u"4294967295"); // reads as -1
    EXPECT_EQ(brindlex::ReadWindowGeometry(ini, 1920, 1050), (brindlex::WindowGeometry{0, 225, 410, -5}));
}

TEST(SettingsRules, SaveWritesEveryKeyInOrderAndReadsBack) {
    CMemoryIni ini;
    // AlwaysOnTop on to see a 1 written, and a negative command to see it written unsigned.
    StoredSettings stored = StoredSettings::OffTheDefaults();
    stored.alwaysOnTop = true;
    stored.hotkeyCmd = -2;
    CData data;
    stored.ApplyTo(data);
    brindlex::WriteWindowGeometry(ini, {-20, 30, 310, 620});
    brindlex::WriteSettingsValues(ini, data, kDefaultPath);
    {
        // The size is kept at 96 DPI: written at 120 DPI, it reads back as it was written there.
        CMemoryIni scaled;
        brindlex::WriteWindowGeometry(scaled, {-20, 30, 388, 775}, 120);
        EXPECT_EQ(scaled.Get(u"Pos", u"cx"), u"310");
        EXPECT_EQ(brindlex::ReadWindowGeometry(scaled, 0, 0, 120).cx, 388);
    }

    const std::vector<std::u16string> order = {u"Pos/x",
                                               u"Pos/y",
                                               u"Pos/cx",
                                               u"Pos/cy",
                                               u"General/DataFile",
                                               u"General/AutoStart",
                                               u"General/AlwaysOnTop",
                                               u"General/Hotkey",
                                               u"General/Hotkey_wVK",
                                               u"General/Hotkey_wMod",
                                               u"General/Hotkey_nCmd",
                                               u"General/HideAfterPaste",
                                               u"General/HideOnStartup",
                                               u"General/QuickPaste",
                                               u"General/QuickPaste_wVK",
                                               u"General/QuickPaste_wMod",
                                               u"General/RestoreClipboard",
                                               u"Interface/DrawEdge"};
    EXPECT_EQ(ini.writes, order);
    using namespace brindlex::settings;
    EXPECT_EQ(ini.Get(kSectionPos, kKeyX), u"-20");
    EXPECT_EQ(ini.Get(kSectionGeneral, kKeyAutoStart), u"0");
    EXPECT_EQ(ini.Get(kSectionGeneral, kKeyAlwaysOnTop), u"1");
    EXPECT_EQ(ini.Get(kSectionGeneral, kKeyHotkeyVK), u"65535");
    EXPECT_EQ(ini.Get(kSectionGeneral, kKeyHotkeyCmd), u"4294967294"); // "%u"
    EXPECT_EQ(ini.Get(kSectionInterface, kKeyDrawEdge), u"0");

    CData back;
    brindlex::ReadSettingsValues(ini, back, kDefaultPath);
    EXPECT_EQ(StoredSettings::Of(back), stored);
}

TEST(SettingsRules, AnEmptyDataFileIsStoredEmptyThenBecomesTheDefault) {
    CMemoryIni ini;
    CData data;
    brindlex::WriteSettingsValues(ini, data, kDefaultPath);
    using namespace brindlex::settings;
    EXPECT_EQ(ini.Get(kSectionGeneral, kKeyDataFile), u"");
    EXPECT_EQ(data.m_strDataFile, kDefaultPath);
}

TEST(SettingsRules, AbsentSectionOrKeyIsNotReadOrWritten) {
    CMemoryIni ini;
    EXPECT_EQ(brindlex::ReadIniInt(ini, nullptr, u"x", 5), 5);
    EXPECT_EQ(brindlex::ReadIniBool(ini, u"Pos", nullptr, true), true);
    brindlex::WriteIniInt(ini, nullptr, u"x", 1);
    brindlex::WriteIniInt(ini, u"Pos", nullptr, 1);
    brindlex::WriteIniUInt(ini, u"Pos", nullptr, 1);
    EXPECT_TRUE(ini.writes.empty());
}
