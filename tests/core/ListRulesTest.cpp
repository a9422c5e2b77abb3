#include "lists/ListRules.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(ListRules, RowGeometryOfThirtyPixelRows) {
    const Rect row{0, 60, 147, 90};
    EXPECT_EQ(RowIconPosition(row), (Point{4, 61}));
    const Rect text = RowTextRect(row, 13);
    EXPECT_EQ(text.left, 37);
    EXPECT_EQ(text.right, 147);
    EXPECT_EQ(text.bottom, 90);
    EXPECT_EQ(text.top, 60 + 45 - 30 - 6 - 1); // top + bottom/2 - top/2 - cy/2 - cy/8
}

TEST(ListRules, AutoScrollPeriodFallsWithDistanceInRowBands) {
    EXPECT_EQ(AutoScrollPeriod(10, 30), 250);
    EXPECT_EQ(AutoScrollPeriod(20, 30), 250);
    EXPECT_EQ(AutoScrollPeriod(29, 30), 250);
    EXPECT_EQ(AutoScrollPeriod(30, 30), 125);
    EXPECT_EQ(AutoScrollPeriod(40, 30), 125);
    EXPECT_EQ(AutoScrollPeriod(60, 30), 83);
    EXPECT_EQ(AutoScrollPeriod(90, 30), 62);
    EXPECT_EQ(AutoScrollPeriod(120, 30), 50);
    EXPECT_GT(AutoScrollPeriod(10, 0), 0); // a list without rows must not divide by zero
}

TEST(ListRules, DropMarkerSitsOnTheRowTopOrUnderTheLastRow) {
    const Rect client{0, 0, 147, 200};
    const MarkerLine onRow = DropMarkerLine(2, true, Rect{0, 60, 147, 90}, client);
    EXPECT_TRUE(onRow.visible);
    EXPECT_EQ(onRow.y, 61);
    EXPECT_EQ(onRow.x1, 0);
    EXPECT_EQ(onRow.x2, 146);

    const MarkerLine end = DropMarkerLine(-1, true, Rect{0, 150, 147, 180}, client);
    EXPECT_TRUE(end.visible);
    EXPECT_EQ(end.y, 180);

    EXPECT_FALSE(DropMarkerLine(9, false, Rect{}, client).visible);                 // no such row
    EXPECT_FALSE(DropMarkerLine(7, true, Rect{0, 210, 147, 240}, client).visible);  // scrolled away
    EXPECT_FALSE(DropMarkerLine(-1, true, Rect{0, 190, 147, 220}, client).visible); // end line off-screen
}

TEST(ListRules, DragPointZones) {
    const Rect client{0, 0, 147, 200};
    EXPECT_EQ(ClassifyDragPoint({10, 50}, false, 90, true, client), DragZone::OverRow);
    EXPECT_EQ(ClassifyDragPoint({10, 150}, false, 90, true, client), DragZone::BelowRows);
    EXPECT_EQ(ClassifyDragPoint({10, 250}, true, 90, true, client), DragZone::Outside);
    EXPECT_EQ(ClassifyDragPoint({10, -5}, true, 90, true, client), DragZone::Outside);
    EXPECT_EQ(ClassifyDragPoint({10, 10}, false, 0, false, client), DragZone::BelowRows);
}

TEST(ListRules, DropPositionsOutsideTheRowsMeanTheEnd) {
    EXPECT_EQ(NormaliseDropPosition(3, 6), 3);
    EXPECT_EQ(NormaliseDropPosition(6, 6), -1);
    EXPECT_EQ(NormaliseDropPosition(-4, 6), -1);
}
