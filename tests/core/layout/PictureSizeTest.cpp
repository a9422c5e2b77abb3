#include "core/layout/PictureSize.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(PictureSize, HimetricBecomesPixelsAtNinetySixDpi) {
    // The banner as the decoder reports it: 445 x 209 pixels.
    EXPECT_EQ(HimetricToPixels(11774), 445);
    EXPECT_EQ(HimetricToPixels(5530), 209);
    EXPECT_EQ(HimetricToPixels(2540), 96);
    EXPECT_EQ(HimetricToPixels(0), 0);
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
    EXPECT_EQ(HimetricToPixels(13), 0);  // 0.49
    EXPECT_EQ(HimetricToPixels(14), 1);  // 0.53
    EXPECT_EQ(HimetricToPixels(127), 5); // 4.8
    EXPECT_EQ(HimetricToPixels(-14), -1);
    EXPECT_EQ(HimetricToPixels(-13), 0);
    // 26.458.. HIMETRIC per pixel: one full pixel more every 2540 units.
    EXPECT_EQ(HimetricToPixels(2540 * 1000 + 13), 96000);
}
TEST(PictureSize, LargeValuesDoNotOverflow) {
    // 2^31 - 1 HIMETRIC is about 81 million pixels; value * 96 needs more than 32 bits.
    EXPECT_EQ(HimetricToPixels(2147483647L), 81164736);
    EXPECT_EQ(HimetricToPixels(-2147483647L), -81164736);
}
