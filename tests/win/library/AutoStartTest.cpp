// The auto-start value: the current user's Run key, the quoted executable path, and the removal
// of values left by earlier versions under the machine's Run key.
#include "SettingsTestSupport.h"
#include "win/library/AutoStart.h"

#include <gtest/gtest.h>

using namespace brindlex;

using namespace store_test;

namespace {
const std::u16string kRealRunKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
}

TEST(AutoStart, OnWritesTheQuotedPathForTheCurrentUser) {
    CIsolatedSettings iso;
    SetAutoStart(true);
    DWORD type = 0, size = 0;
    const std::u16string value = RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex", &type, &size);
    EXPECT_EQ(value, QuotedModuleFileName());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, (value.size() + 1) * 2); // with its terminating null
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, iso.RunKey(), u"Brindlex"), u"<none>");

    SetAutoStart(true); // again: still one value, the same
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex"), value);
}

// A value that is already right is left alone; anything else in its place is written over.
TEST(AutoStart, OnRewritesAValueThatIsNotExactlyTheQuotedPath) {
    CIsolatedSettings iso;
    const std::u16string command = QuotedModuleFileName();
    auto put = [&](DWORD type, const std::u16string& text, DWORD bytes) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, W(iso.RunKey()), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &h, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(h, L"Brindlex", 0, type, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
        RegCloseKey(h);
    };
    const auto withNull = [](const std::u16string& text) {
        return static_cast<DWORD>((text.size() + 1) * 2);
    };
    const std::u16string longer = command + u" /min";
    struct Case {
        const char* what;
        DWORD type;
        std::u16string text;
        DWORD bytes;
    };
    const Case cases[] = {
        {"another path", REG_SZ, u"\"C:\\old\\Brindlex.exe\"", withNull(u"\"C:\\old\\Brindlex.exe\"")},
        {"the path with more after it", REG_SZ, longer, withNull(longer)},
        {"the path as another type", REG_EXPAND_SZ, command, withNull(command)},
        {"the path without its null", REG_SZ, command, static_cast<DWORD>(command.size() * 2)},
    };
    for (const Case& c : cases) {
        put(c.type, c.text, c.bytes);
        SetAutoStart(true);
        DWORD type = 0, size = 0;
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex", &type, &size), command) << c.what;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << c.what;
        EXPECT_EQ(size, withNull(command)) << c.what;
    }
}

TEST(AutoStart, OffRemovesTheUserAndTheMachineValue) {
    CIsolatedSettings iso;
    SetRegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex", u"\"C:\\x\\Brindlex.exe\"");
    SetRegString(HKEY_LOCAL_MACHINE, iso.RunKey(), u"Brindlex", u"C:\\x\\Brindlex.exe");
    SetRegString(HKEY_CURRENT_USER, iso.RunKey(), u"Other", u"other.exe");
    SetAutoStart(false);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex"), u"<none>");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, iso.RunKey(), u"Brindlex"), u"<none>");
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Other"), u"other.exe"); // others' values stay

    SetAutoStart(false); // nothing to remove: nothing happens
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Other"), u"other.exe");
}

TEST(AutoStart, OnReplacesTheMachineValueOfAnEarlierVersion) {
    CIsolatedSettings iso;
    SetRegString(HKEY_LOCAL_MACHINE, iso.RunKey(), u"Brindlex", u"C:\\old\\Brindlex.exe");
    SetAutoStart(true);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, iso.RunKey(), u"Brindlex"), u"<none>");
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, iso.RunKey(), u"Brindlex"), QuotedModuleFileName());
}

TEST(AutoStart, UsesTheRealRunKeyOfTheCurrentUser) {
    // Without an override: the Run key that Windows reads at logon. What was there is put back.
    const std::u16string before = RegString(HKEY_CURRENT_USER, kRealRunKey, u"Brindlex");
    ASSERT_EQ(brindlex::AutoStartKey(), kRealRunKey);
    SetAutoStart(true);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRealRunKey, u"Brindlex"), QuotedModuleFileName());
    SetAutoStart(false);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kRealRunKey, u"Brindlex"), u"<none>");
    if (before != u"<none>") {
        SetRegString(HKEY_CURRENT_USER, kRealRunKey, u"Brindlex", before);
    }
}
