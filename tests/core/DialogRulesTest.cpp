// The rules behind the item editor's layout and token menu, the label's text format, the
// picture loader's pixel size and where an image button puts its icon and caption.
#include "core/layout/ImageButtonLayout.h"
#include "core/layout/LabelFormat.h"
#include "core/layout/PictureSize.h"
#include "core/layout/EditorLayout.h"
#include "core/layout/FindLayout.h"
#include "core/paste/ControlKeys.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace brindlex;

namespace {

std::map<int, Rect> EditorById(int w, int h, int dpi = kBaseDpi) {
    std::map<int, Rect> out;
    for (const auto& p : EditorLayout(w, h, dpi)) {
        EXPECT_TRUE(out.emplace(p.id, p.rect).second) << "control " << p.id << " placed twice";
    }
    return out;
}

} // namespace

TEST(EditorLayout, PlacesEveryControlOfTheTemplateOnceAtATypicalSize) {
    auto r = EditorById(500, 380);
    const std::set<int> ids{
        IDC_NAME_LABEL, IDC_ITEM_NAME, IDC_TEXT_LABEL, IDC_ITEM_TEXT, IDC_COPY_TEXT, 1, 2, IDC_INSERT_TOKEN};
    std::set<int> placed;
    for (const auto& [id, rect] : r) {
        placed.insert(id);
    }
    EXPECT_EQ(placed, ids);
    // The fields span the width between 8-pixel margins; the buttons are the next test's.
    for (const int id : {IDC_NAME_LABEL, IDC_ITEM_NAME, IDC_TEXT_LABEL, IDC_ITEM_TEXT}) {
        EXPECT_EQ(r[id].left, 8) << id;
        EXPECT_EQ(r[id].right, 492) << id;
    }
    EXPECT_EQ(r[IDC_ITEM_NAME], (Rect{8, 30, 492, 50}));
}

// At 96 DPI the numbers are exact; at other scales each is within a pixel of its scaled value
// (an edge scales its own distance from the window's edge), and whole multiples stay exact.
TEST(EditorLayout, ButtonsKeepTheirSizeAndDistanceToTheEdgesAtAnySizeAndScale) {
    for (const int dpi : {96, 120, 144, 192}) {
        const auto S = [dpi](int v) { return ScaleForDpi(v, dpi); };
        const int slack = dpi % kBaseDpi == 0 ? 0 : 1;
        for (const auto& [w, h] : {std::pair{500, 380}, {333, 237}, {800, 900}, {260, 200}}) {
            auto r = EditorById(S(w), S(h), dpi);
            for (const int id : {IDC_COPY_TEXT, 1, 2}) {
                EXPECT_NEAR(r[id].Width(), S(75), slack) << id << " at " << w << "x" << h << ", " << dpi;
                EXPECT_EQ(r[id].Height(), S(24)) << id;
                EXPECT_EQ(S(h) - r[id].bottom, S(8)) << id;
            }
            EXPECT_EQ(S(w) - r[2].right, S(8));
            EXPECT_NEAR(r[2].left - r[1].right, S(8), slack) << "Save and Cancel 8 pixels apart";
            // The text ends 48 pixels above the bottom, 16 above the buttons.
            EXPECT_EQ(S(h) - r[IDC_ITEM_TEXT].bottom, S(48));
            EXPECT_NEAR(r[1].top - r[IDC_ITEM_TEXT].bottom, S(16), slack);
            // Insert: 120 x 24 at the right, its bottom on the text's top.
            EXPECT_NEAR(r[IDC_INSERT_TOKEN].Width(), S(120), slack);
            EXPECT_EQ(r[IDC_INSERT_TOKEN].Height(), S(24));
            EXPECT_EQ(r[IDC_INSERT_TOKEN].right, r[IDC_ITEM_TEXT].right);
            EXPECT_EQ(r[IDC_INSERT_TOKEN].bottom, r[IDC_ITEM_TEXT].top);
        }
    }
}

TEST(EditorLayout, TinyClientAreasGiveInvertedRectanglesAsComputed) {
    auto r = EditorById(0, 0);
    EXPECT_EQ(r[IDC_ITEM_TEXT], (Rect{8, 88, -8, -48}));
    EXPECT_EQ(r[1], (Rect{-166, -32, -91, -8}));
    EXPECT_EQ(r[IDC_COPY_TEXT], (Rect{8, -32, 83, -8}));
}

TEST(FindLayout, QueryOnTopResultsFillTheRestButtonsKeepTheirSizeAtEachScale) {
    for (const int dpi : {96, 120, 144, 192}) {
        const auto S = [dpi](int v) { return ScaleForDpi(v, dpi); };
        const int slack = dpi % kBaseDpi == 0 ? 0 : 1;
        for (const auto& [w0, h0] : {std::pair{460, 360}, {300, 200}, {1000, 900}}) {
            const int w = S(w0);
            const int h = S(h0);
            std::map<int, Rect> r;
            for (const auto& p : FindLayout(w, h, dpi)) {
                EXPECT_TRUE(r.emplace(p.id, p.rect).second) << "control " << p.id << " placed twice";
            }
            ASSERT_EQ(r.size(), 5u);
            const Rect query = r[IDC_FIND_QUERY];
            const Rect results = r[IDC_FIND_RESULTS];
            EXPECT_EQ(query, (Rect{S(8), S(8), w - S(8), S(30)}));
            EXPECT_EQ(results.left, S(8));
            EXPECT_EQ(results.right, w - S(8));
            EXPECT_EQ(results.top - query.bottom, S(8));
            for (const int id : {IDC_FIND_PASTE, 2}) {
                EXPECT_NEAR(r[id].Width(), S(75), slack) << id << " at " << w << "x" << h << ", " << dpi;
                EXPECT_EQ(r[id].Height(), S(24)) << id;
                EXPECT_EQ(h - r[id].bottom, S(8)) << id;
                EXPECT_NEAR(r[id].top - results.bottom, S(8), slack) << id;
            }
            EXPECT_EQ(w - r[2].right, S(8));
            EXPECT_NEAR(r[2].left - r[IDC_FIND_PASTE].right, S(8), slack);
            // The count line sits in the buttons' row, clear of Paste.
            EXPECT_GT(r[IDC_FIND_COUNT].top, results.bottom);
            EXPECT_LT(r[IDC_FIND_COUNT].right, r[IDC_FIND_PASTE].left);
        }
    }
    EXPECT_EQ(FindLayout(0, 0)[1].rect, (Rect{8, 38, -8, -40}));
}

TEST(EditorTokens, CommandsMapToTheTokenTableAndNothingElseDoes) {
    const std::size_t count = kControlKeys.size();
    EXPECT_EQ(TokenIndexOfCommand(ID_TOKEN_FIRST, count), 0);
    EXPECT_EQ(TokenIndexOfCommand(ID_TOKEN_FIRST + 5, count), 5);
    EXPECT_EQ(kControlKeys[5].text, u"[ENTER]");
    EXPECT_EQ(TokenIndexOfCommand(ID_TOKEN_FIRST + 18, count), 18);
    EXPECT_EQ(TokenIndexOfCommand(ID_TOKEN_FIRST + 19, count), -1);
    EXPECT_EQ(TokenIndexOfCommand(ID_TOKEN_FIRST - 1, count), -1);
    EXPECT_EQ(TokenIndexOfCommand(1, count), -1) << "IDOK is no token";
    EXPECT_EQ(TokenIndexOfCommand(0, count), -1);
    EXPECT_EQ(TokenIndexOfCommand(ID_TOKEN_FIRST, 0), -1) << "an empty table has no commands";
    EXPECT_EQ(TokenIndexOfCommand(0xFFFFFFFFu, count), -1);
}

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
