#include "core/layout/FindLayout.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <map>

using namespace brindlex;

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
