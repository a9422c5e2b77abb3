// The item editor's layout and its token menu's commands.
#include "core/layout/EditorLayout.h"
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
