#include "core/layout/MainLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

using namespace brindlex;

namespace {
std::map<int, Rect> LayoutById(int w, int h, int combo, int dpi = kBaseDpi) {
    std::map<int, Rect> out;
    for (const auto& p : MainWindowLayout(w, h, combo, dpi)) {
        out[p.id] = p.rect;
    }
    return out;
}
} // namespace

TEST(MainLayout, ThreeHundredBySixHundredWithATwentyOnePixelCombo) {
    auto r = LayoutById(300, 600, 21);
    EXPECT_EQ(r[1017], (Rect{2, 545, 298, 566}));
    EXPECT_EQ(r[1008], (Rect{2, 52, 149, 541})); // 147 wide, 489 high
    EXPECT_EQ(r[1009], (Rect{151, 52, 298, 541}));
    EXPECT_EQ(r[1002], (Rect{62, 568, 298, 598}));
    EXPECT_EQ(r[1056], (Rect{2, 568, 32, 598}));
    EXPECT_EQ(r[1057], (Rect{32, 568, 62, 598}));
    EXPECT_EQ(r[1015], (Rect{238, 0, 298, 28}));
    EXPECT_EQ(r[1016], (Rect{213, 0, 238, 28}));
    EXPECT_EQ(r[1019], (Rect{89, 30, 109, 50}));
    EXPECT_EQ(r[1024], (Rect{278, 30, 298, 50}));
}
TEST(MainLayout, OddWidthsAndTinyWindowsArePassedOnAsComputed) {
    auto r = LayoutById(301, 100, 21);
    EXPECT_EQ(r[1008].Width(), 147);
    EXPECT_EQ(r[1009].left, 151);
    EXPECT_EQ(r[1009].Width(), 148);
    auto tiny = LayoutById(10, 40, 21);
    EXPECT_LT(tiny[1008].Height(), 0);
    EXPECT_LT(tiny[1002].Width(), 0);
}
TEST(MainLayout, AtEachScaleTheRectanglesAreThoseAt96ScaledAndNeighboursStayFlush) {
    const auto at96 = LayoutById(300, 600, 22);
    for (const int dpi : {120, 144, 192}) {
        const auto S = [dpi](int v) { return ScaleForDpi(v, dpi); };
        const auto r = LayoutById(S(300), S(600), S(22), dpi);
        for (const auto& [id, rect] : at96) {
            const Rect& scaled = r.at(id);
            for (const auto& [got, want] : {std::pair{scaled.left, rect.left},
                                            {scaled.top, rect.top},
                                            {scaled.right, rect.right},
                                            {scaled.bottom, rect.bottom}}) {
                EXPECT_LE(std::abs(got - S(want)), dpi == 192 ? 0 : 1) << id << " at " << dpi;
            }
        }
        EXPECT_EQ(r.at(1016).right, r.at(1015).left) << dpi;
        EXPECT_EQ(r.at(1019).right, r.at(1020).left) << dpi;
        EXPECT_EQ(r.at(1020).right, r.at(1021).left) << dpi;
        EXPECT_EQ(r.at(1022).right, r.at(1023).left) << dpi;
        EXPECT_EQ(r.at(1056).right, r.at(1057).left) << dpi;
        EXPECT_EQ(r.at(1057).right, r.at(1002).left) << dpi;
        EXPECT_EQ(r.at(1008).bottom, r.at(1009).bottom) << dpi;
        const auto band = MainWindowBand(Rect{0, 0, S(300), S(600)}, 0x00FFFFFF, dpi);
        EXPECT_EQ(band[1].rect.Height(), 1) << "the band's lines stay one pixel at " << dpi;
        EXPECT_EQ(band[0].rect, (Rect{S(2), S(28), S(300) - S(2), S(52)})) << dpi;
    }
    EXPECT_EQ(UnscaleForDpi(ScaleForDpi(310, 120), 120), 310);
    EXPECT_EQ(ScaleForDpi(-61, 120), -76) << "halves round away from zero";
}
TEST(MainLayout, BandColoursWrapAroundEachByte) {
    const auto band = MainWindowBand(Rect{0, 0, 300, 600}, 0x00FFFFFF);
    EXPECT_EQ(band[0].colour, 0x00FAFAFAu);
    EXPECT_EQ(band[1].colour, 0x00F0F0F0u);
    EXPECT_EQ(band[3].colour, 0x000E0E0Eu); // 255 + 15 wraps to 14
    EXPECT_EQ(band[0].rect, (Rect{2, 28, 298, 52}));
    EXPECT_EQ(band[4].rect, (Rect{297, 29, 298, 52}));
    EXPECT_EQ(ShiftColour(0x00000A05, -10), 0x00F600FBu);
}
