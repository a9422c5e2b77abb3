#include "core/layout/ImageButtonLayout.h"

#include <gtest/gtest.h>

using namespace brindlex;

// A 60 x 24 button with a 16 x 16 icon, 3 pixels from the edge.
TEST(ImageButtonLayout, PlacesTheIconBesideTheCaptionOrCentredAndSinksAPressedPushButton) {
    ImageButtonLayoutInput in;
    in.item = {0, 0, 60, 24};
    in.clientWidth = 60;
    in.iconWidth = 16;
    in.iconHeight = 16;
    in.hasCaption = true;
    ImageButtonLayout at = PlaceImageButton(in);
    EXPECT_EQ(at.image, (Rect{3, 4, 60, 24}));
    EXPECT_EQ(at.caption, (Rect{19, 0, 60, 24}));

    in.alignment = ImageAlign::kRight;
    at = PlaceImageButton(in);
    EXPECT_EQ(at.image, (Rect{41, 4, 60, 24}));
    EXPECT_EQ(at.caption, (Rect{3, 0, 41, 24}));

    in.alignment = ImageAlign::kLeft;
    in.hasCaption = false;
    EXPECT_EQ(PlaceImageButton(in).image, (Rect{22, 4, 60, 24})) << "centred without a caption";
    in.hasIcon = false;
    EXPECT_EQ(PlaceImageButton(in).caption, in.item);

    in.hasIcon = true;
    in.hasCaption = true;
    in.pressed = true;
    at = PlaceImageButton(in);
    EXPECT_EQ(at.image, (Rect{4, 5, 61, 25}));
    EXPECT_EQ(at.caption, (Rect{20, 1, 61, 25}));
    in.toggle = true;
    EXPECT_EQ(PlaceImageButton(in).image, (Rect{3, 4, 60, 24})) << "a toggle's contents stay";
}
TEST(ImageButtonLayout, CentresTheTextBlockAndLetsALargerOneOverhangEvenly) {
    EXPECT_EQ(CentreTextBlock({0, 0, 60, 24}, 20, 10), (Rect{20, 7, 40, 17}));
    EXPECT_EQ(CentreTextBlock({0, 0, 60, 24}, 80, 10), (Rect{-10, 7, 70, 17}));
}
