// CIni over the Windows profile functions: values of any length, the number and flag rules on
// real files, the formats written, and text outside the ANSI code page.
#include "SettingsTestSupport.h"
#include "win/library/CIni.h"

#include <gtest/gtest.h>

using namespace brindlex;

using namespace store_test;

TEST(Ini, ReadStringReturnsValuesOfAnyLength) {
    CTestFolder folder;
    CIni ini(folder.File(u"t.ini"));
    // Around each step of the buffer growth, and values of thousands and of a million characters
    // (read a step of 512 at a time, the last would take thousands of reads of a 2 MB file).
    for (std::size_t length :
         {0u, 1u, 510u, 511u, 512u, 513u, 1023u, 1024u, 1025u, 2047u, 2048u, 2049u, 4095u, 9000u, 1000000u}) {
        std::u16string value;
        for (std::size_t i = 0; i < length; ++i) {
            value.push_back(static_cast<char16_t>(u'a' + i % 26));
        }
        if (length > 1) {
            value[length - 1] = u'Z'; // the end must arrive as well
        }
        std::u16string key(1, u'k');
        key.append(U16(std::to_wstring(length)));
        ini.WriteString(u"S", key.c_str(), value.c_str());
        const std::u16string back = ini.ReadString(u"S", key.c_str());
        EXPECT_EQ(back.size(), length);
        EXPECT_TRUE(back == value) << length;
    }
}

TEST(Ini, MissingValuesGiveTheDefault) {
    CTestFolder folder;
    CIni ini(folder.File(u"t.ini"));
    EXPECT_EQ(ini.ReadString(u"S", u"missing"), u"");
    EXPECT_EQ(ini.ReadString(u"S", u"missing", u"dflt"), u"dflt");
    ini.WriteString(u"S", u"k", u"v");
    EXPECT_EQ(ini.ReadString(nullptr, u"k", u"dflt"), u"dflt");
    EXPECT_EQ(ini.ReadString(u"S", nullptr, u"dflt"), u"dflt");
    EXPECT_EQ(ini.ReadString(u"S", nullptr), u"");
    EXPECT_EQ(ini.ReadString(u"s", u"K"), u"v"); // the profile functions ignore case in names

    EXPECT_EQ(ini.ReadInt(u"S", u"missing", 77), 77);
    EXPECT_EQ(ini.ReadBool(u"S", u"missing", true), true);
    ini.WriteString(u"S", u"empty", u"");
    EXPECT_EQ(ini.ReadInt(u"S", u"empty", -5), -5);
    EXPECT_EQ(ini.ReadBool(u"S", u"empty", true), true);
    EXPECT_EQ(ini.ReadBool(u"S", u"empty", false), false);
}

TEST(Ini, NumbersAndFlagsFollowTheValueRules) {
    CTestFolder folder;
    CIni ini(folder.File(u"t.ini"));
    const struct {
        const char16_t* value;
        std::int32_t number;
        bool flag;
    } cases[] = {
        {u"-1", -1, true},    {u"4294967295", -1, true}, {u"4294967296", -1, true}, {u"65610", 65610, true},
        {u"12abc", 12, true}, {u"abc", 0, false},        {u"TRUE", 0, true},        {u"Yes", 0, true},
        {u"off", 0, false},   {u"0", 0, false},          {u"-3", -3, true},         {u"no", 0, false},
    };
    for (const auto& c : cases) {
        ini.WriteString(u"S", u"v", c.value);
        EXPECT_EQ(ini.ReadInt(u"S", u"v", 999), c.number) << testing::PrintToString(std::u16string(c.value));
        EXPECT_EQ(ini.ReadBool(u"S", u"v", !c.flag), c.flag)
            << testing::PrintToString(std::u16string(c.value));
    }
    // Only the first 64 characters: 63 zeros then "12" reads as 1.
    const std::u16string padded = std::u16string(63, u'0') + u"12";
    ini.WriteString(u"S", u"v", padded.c_str());
    EXPECT_EQ(ini.ReadInt(u"S", u"v", 999), 1);
}

TEST(Ini, WritesPercentDAndPercentU) {
    CTestFolder folder;
    CIni ini(folder.File(u"t.ini"));
    ini.WriteInt(u"S", u"i", -5);
    ini.WriteInt(u"S", u"j", 2147483647);
    ini.WriteUInt(u"S", u"u", 4294967295u);
    ini.WriteInt(nullptr, u"none", 1); // absent section: nothing written
    ini.WriteInt(u"S", nullptr, 1);
    ini.WriteUInt(u"S", nullptr, 1);
    EXPECT_EQ(ini.ReadString(u"S", u"i"), u"-5");
    EXPECT_EQ(ini.ReadString(u"S", u"j"), u"2147483647");
    EXPECT_EQ(ini.ReadString(u"S", u"u"), u"4294967295");
    EXPECT_EQ(ini.ReadInt(u"S", u"u", 0), -1);
    const std::u16string text = ReadUtf16(ini.Path());
    EXPECT_NE(text.find(u"[S]\r\ni=-5\r\nj=2147483647\r\nu=4294967295\r\n"), std::u16string::npos)
        << testing::PrintToString(text);
    EXPECT_EQ(text.find(u"none"), std::u16string::npos);
}

TEST(Ini, TextOutsideTheAnsiCodePageSurvives) {
    // A data file path under a user name in another script must come back as it was written.
    CTestFolder folder;
    const std::u16string value =
        u"C:\\Users\\\u0410\u043D\u043D\u0430 \u738B\\\u0394\u03B5\u03B4 \xD83D\xDCC1.dat";
    {
        CIni ini(folder.File(u"new.ini"));
        ini.WriteString(u"General", u"DataFile", value.c_str());
        EXPECT_EQ(ini.ReadString(u"General", u"DataFile"), value);
    }
    const Bytes raw = ReadBytes(folder.File(u"new.ini"));
    ASSERT_GE(raw.size(), 2u);
    EXPECT_EQ(raw[0], 0xFF);
    EXPECT_EQ(raw[1], 0xFE);
    // A fresh object on the same file reads it from the disk again.
    EXPECT_EQ(CIni(folder.File(u"new.ini")).ReadString(u"General", u"DataFile"), value);
}

TEST(Ini, AnExistingAnsiFileIsReadAsItIs) {
    // Files written by earlier versions are plain 8-bit text.
    CTestFolder folder;
    const std::string text = "[Pos]\r\nx=12\r\n[General]\r\nAutoStart=yes\r\nDataFile=D:\\lib.dat\r\n";
    WriteBytes(folder.File(u"old.ini"), Bytes(text.begin(), text.end()));
    CIni ini(folder.File(u"old.ini"));
    EXPECT_EQ(ini.ReadInt(u"Pos", u"x", -1), 12);
    EXPECT_TRUE(ini.ReadBool(u"General", u"AutoStart", false));
    EXPECT_EQ(ini.ReadString(u"General", u"DataFile"), u"D:\\lib.dat");
    ini.WriteInt(u"Pos", u"y", 7);
    EXPECT_EQ(CIni(folder.File(u"old.ini")).ReadInt(u"Pos", u"y", -1), 7);
    EXPECT_EQ(CIni(folder.File(u"old.ini")).ReadInt(u"Pos", u"x", -1), 12);
}
