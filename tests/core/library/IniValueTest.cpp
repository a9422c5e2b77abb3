// How settings values read as numbers and flags, and how numbers are written.
#include "core/library/IniValue.h"

#include <gtest/gtest.h>

using namespace brindlex;

using brindlex::FormatIniInt;
using brindlex::FormatIniUInt;
using brindlex::ParseIniBool;
using brindlex::ParseIniInt;

TEST(IniValue, IntReadsAsUnsignedDecimalInThirtyTwoBits) {
    struct Case {
        std::u16string text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {u"0", 0},
        {u"74", 74},
        {u"+74", 74},
        {u"-1", -1},
        {u"-0", 0},
        {u"  \t\r\n\v\f42", 42}, // leading white space
        {u"42abc", 42},          // digits up to the first non-digit
        {u"12 34", 12},
        {u"abc", 0}, // no digits
        {u"+", 0},
        {u"-", 0},
        {u"- 5", 0}, // no space after the sign
        {u"+-5", 0},
        {u"0x1F", 0}, // base 10 only
        {u"007", 7},
        {u"2147483647", 2147483647},
        {u"2147483648", INT32_MIN}, // unsigned bits, returned signed
        {u"4294967295", -1},
        {u"4294967296", -1}, // out of range: 0xFFFFFFFF
        {u"99999999999999999999", -1},
        {u"-4294967295", 1},  // negated in unsigned arithmetic
        {u"-4294967296", -1}, // out of range before the sign counts
        {u"-2147483648", INT32_MIN},
        {u"65610", 65610},
        {u"\u00A042", 0},     // only the C locale's white space is skipped
        {u"\uFF14\uFF12", 0}, // full-width digits are not digits here
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIniInt(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(IniValue, OnlyTheFirstSixtyFourCharactersCount) {
    // 63 spaces and then "12": only the "1" is inside the window.
    EXPECT_EQ(ParseIniInt(std::u16string(63, u' ') + u"12"), 1);
    EXPECT_EQ(ParseIniInt(std::u16string(64, u' ') + u"12"), 0);
    // 70 zeros and a 5: the 5 is beyond the window.
    EXPECT_EQ(ParseIniInt(std::u16string(70, u'0') + u"5"), 0);
    EXPECT_EQ(ParseIniInt(std::u16string(63, u'0') + u"5"), 5);
    // A 70-digit number is out of range from its first 64 digits already.
    EXPECT_EQ(ParseIniInt(std::u16string(70, u'9')), -1);

    EXPECT_TRUE(ParseIniBool(std::u16string(63, u'0') + u"1"));
    EXPECT_FALSE(ParseIniBool(std::u16string(64, u'0') + u"1"));
    // "yes" padded beyond the window is not "yes", and not a number either.
    EXPECT_FALSE(ParseIniBool(u"yes" + std::u16string(70, u' ')));
}

TEST(IniValue, BoolIsTrueYesOrANonZeroNumber) {
    for (const char16_t* t :
         {u"1", u"2", u"-3", u"yes", u"YES", u"Yes", u"yEs", u"true", u"TRUE", u"True", u"5", u"  7", u"+1",
          u"0001", u"1abc", u"99999999999999999999", u"-99999999999"}) {
        EXPECT_TRUE(ParseIniBool(t)) << std::u16string(t).size();
    }
    for (const char16_t* f : {u"0", u"-0", u"false", u"no", u"on", u"off", u"y", u"t", u"truee", u" true",
                              u"true ", u"yes!", u"abc", u"", u"0x1", u"00000"}) {
        EXPECT_FALSE(ParseIniBool(f)) << std::u16string(f).size();
    }
}

TEST(IniValue, NumbersAreFormattedAsPercentDAndPercentU) {
    EXPECT_EQ(FormatIniInt(0), u"0");
    EXPECT_EQ(FormatIniInt(-1), u"-1");
    EXPECT_EQ(FormatIniInt(1234567), u"1234567");
    EXPECT_EQ(FormatIniInt(INT32_MIN), u"-2147483648");
    EXPECT_EQ(FormatIniInt(INT32_MAX), u"2147483647");
    EXPECT_EQ(FormatIniUInt(0), u"0");
    EXPECT_EQ(FormatIniUInt(74), u"74");
    EXPECT_EQ(FormatIniUInt(0xFFFFFFFFu), u"4294967295");
    // What is written reads back.
    for (std::int32_t v : {INT32_MIN, -300, -1, 0, 9, 10, 65535, 65536, INT32_MAX}) {
        EXPECT_EQ(ParseIniInt(FormatIniInt(v)), v);
        EXPECT_EQ(ParseIniInt(FormatIniUInt(static_cast<std::uint32_t>(v))), v);
    }
}
