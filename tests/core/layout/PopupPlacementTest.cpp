#include "core/layout/PopupPlacement.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(PopupPlacement, BelowTheCaretAboveWhenNoRoomAndAlwaysInsideTheWorkArea) {
    const Rect work{0, 0, 1280, 994}; // a 30-pixel taskbar at the bottom
    const Rect caret{100, 200, 101, 216};
    EXPECT_EQ(PlacePopup(caret, 300, 250, work), (Rect{100, 216, 400, 466}));
    // Near the bottom: above the line. Near the right edge: pushed left.
    EXPECT_EQ(PlacePopup(caret.Offset(1100, 700), 300, 250, work), (Rect{980, 650, 1280, 900}));
    // Room neither below nor above (a tall popup at mid-screen): inside, overlapping the line.
    EXPECT_EQ(PlacePopup(Rect{10, 400, 11, 416}, 300, 700, work), (Rect{10, 294, 310, 994}));
    // A second monitor left of the primary one, and an anchor outside every work area.
    const Rect left{-1920, 0, 0, 1040};
    EXPECT_EQ(PlacePopup(Rect{-5000, -40, -4999, -24}, 300, 250, left), (Rect{-1920, 0, -1620, 250}));
    // Larger than the work area: cut to it.
    EXPECT_EQ(PlacePopup(caret, 2000, 1200, work), work);
}
