#include "core/lists/ListRules.h"

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

    // At 144 DPI: 45-pixel rows, the 42-pixel icon inside its row, the name clear of the icon.
    EXPECT_EQ(RowHeight(144), 45);
    EXPECT_EQ(RowIconSize(144), 42);
    const Rect big{0, 90, 220, 135};
    const Point icon = RowIconPosition(big, 144);
    EXPECT_EQ(icon, (Point{22 - 17, 90 + 22 - 21}));
    EXPECT_LE(icon.y + RowIconSize(144), big.bottom);
    EXPECT_GT(RowTextRect(big, 20, 144).left, icon.x + RowIconSize(144));
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

    // At 200 % the line is twice as thick and as far inside the row.
    EXPECT_EQ(onRow.width, 2);
    const MarkerLine at192 = DropMarkerLine(2, true, Rect{0, 120, 294, 180}, Rect{0, 0, 294, 400}, 192);
    EXPECT_EQ(at192.width, 4);
    EXPECT_EQ(at192.y, 122);
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

TEST(ListRules, AutoScrollDirectionAndDistanceFromTheEdges) {
    EXPECT_EQ(AutoScrollRequest(190, 180).step, +1);
    EXPECT_EQ(AutoScrollRequest(190, 180).distance, 10);
    EXPECT_EQ(AutoScrollRequest(-40, 180).step, -1);
    EXPECT_EQ(AutoScrollRequest(-40, 180).distance, 40);
    // Beside the list, within its height (the bottom edge itself included): nothing to scroll.
    EXPECT_EQ(AutoScrollRequest(0, 180).step, 0);
    EXPECT_EQ(AutoScrollRequest(180, 180).step, 0);
    EXPECT_EQ(AutoScrollRequest(90, 180).step, 0);
}

TEST(ListRules, RowLooksForEachDrawAction) {
    const RowLooks entireSelected = RowLooksToDraw(true, false, true);
    EXPECT_TRUE(entireSelected.selected);
    EXPECT_FALSE(entireSelected.normal);
    const RowLooks entireNormal = RowLooksToDraw(true, false, false);
    EXPECT_TRUE(entireNormal.normal);
    EXPECT_FALSE(entireNormal.selected);
    // A row that loses the selection is drawn normal, one that gains it selected.
    EXPECT_TRUE(RowLooksToDraw(false, true, false).normal);
    EXPECT_TRUE(RowLooksToDraw(false, true, true).selected);
    // A pure focus change draws nothing, selected or not.
    for (bool selected : {false, true}) {
        const RowLooks focus = RowLooksToDraw(false, false, selected);
        EXPECT_FALSE(focus.normal || focus.selected);
    }
}

TEST(ListRules, ArrowKeysStopAtTheEnds) {
    EXPECT_EQ(ArrowKeyTarget(true, 3, 6), 2);
    EXPECT_EQ(ArrowKeyTarget(false, 3, 6), 4);
    EXPECT_EQ(ArrowKeyTarget(true, 0, 6), -1);
    EXPECT_EQ(ArrowKeyTarget(false, 5, 6), -1);
    EXPECT_EQ(ArrowKeyTarget(false, -1, 6), -1); // no caret
    EXPECT_EQ(ArrowKeyTarget(true, 0, 0), -1);
}

TEST(ListRules, DeleteGroupQuestionCountsTheItems) {
    EXPECT_EQ(DeleteGroupQuestion(0), u"Are you sure to delete selected folder?");
    EXPECT_EQ(DeleteGroupQuestion(1),
              u"The selected group contains 1 item.\r\nAre you sure to delete selected folder?");
    EXPECT_EQ(DeleteGroupQuestion(3),
              u"The selected group contains 3 items.\r\nAre you sure to delete selected folder?");
    EXPECT_EQ(DeleteGroupQuestion(1024),
              u"The selected group contains 1024 items.\r\nAre you sure to delete selected folder?");
}
