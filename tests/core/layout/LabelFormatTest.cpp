#include "core/layout/LabelFormat.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(LabelFormat, AlignmentComesFromTheStaticType) {
    EXPECT_EQ(LabelTextFormat(kSsCenter, u"a b"), kDtCenter | kDtWordBreak);
    EXPECT_EQ(LabelTextFormat(kSsRight, u"a b"), kDtRight | kDtWordBreak);
    EXPECT_EQ(LabelTextFormat(kSsLeft, u"a b"), kDtLeft | kDtWordBreak);
    EXPECT_EQ(LabelTextFormat(kSsLeftNoWordWrap, u"a b"), kDtLeft);
    // Other types (simple, icons, frames) are drawn as plain left text.
    EXPECT_EQ(LabelTextFormat(0xB /* SS_SIMPLE */, u"a"), kDtLeft | kDtWordBreak);
    // Bits above the type do not change it: WS_ and SS_NOTIFY (0x100) style bits.
    EXPECT_EQ(LabelTextFormat(0x50000000u | 0x100u | kSsCenter, u"a"), kDtCenter | kDtWordBreak);
}
TEST(LabelFormat, TabsExpandUnlessCentredImageStyleReplacesEverything) {
    EXPECT_EQ(LabelTextFormat(kSsRight, u"a\tb"), kDtRight | kDtWordBreak | kDtExpandTabs);
    EXPECT_EQ(LabelTextFormat(kSsLeftNoWordWrap, u"\t"), kDtLeft | kDtExpandTabs);
    EXPECT_EQ(LabelTextFormat(kSsCenterImage | kSsCenter, u"one line"),
              kDtCenter | kDtVCenter | kDtSingleLine);
    EXPECT_EQ(LabelTextFormat(kSsCenterImage | kSsRight, u"a\tb"), kDtCenter | kDtVCenter | kDtSingleLine);
    EXPECT_EQ(LabelTextFormat(kSsCenterImage, u"two\r\nlines"), kDtCenter);
    // A bare line feed is no line break for this rule.
    EXPECT_EQ(LabelTextFormat(kSsCenterImage, u"two\nlines"), kDtCenter | kDtVCenter | kDtSingleLine);
    EXPECT_EQ(LabelTextFormat(kSsCenter, u""), kDtCenter | kDtWordBreak);
}
TEST(LabelFormat, OneLineIsPlacedAsDrawTextPlacesIt) {
    EXPECT_TRUE(DrawsAsOneLine(kDtCenter | kDtWordBreak, u"a link", 100, 100));
    EXPECT_FALSE(DrawsAsOneLine(kDtCenter | kDtWordBreak, u"a link", 101, 100)) << "wraps";
    EXPECT_TRUE(DrawsAsOneLine(kDtLeft, u"a link", 101, 100)) << "no word wrap: one clipped line";
    EXPECT_FALSE(DrawsAsOneLine(kDtLeft, u"two\nlines", 10, 100));
    EXPECT_EQ(OneLineOrigin(kDtCenter | kDtWordBreak, 10, 20, 110, 60, 41, 13), (LabelLineOrigin{39, 20}));
    EXPECT_EQ(OneLineOrigin(kDtRight, 10, 20, 110, 60, 41, 13), (LabelLineOrigin{69, 20}));
    EXPECT_EQ(OneLineOrigin(kDtCenter | kDtVCenter | kDtSingleLine, 10, 20, 110, 60, 41, 13),
              (LabelLineOrigin{39, 33}));
}
