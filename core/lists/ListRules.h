// The pure rules of the two library lists: row geometry, drop targets, the drop marker and the
// auto-scroll period. The Win32 lists ask these and turn the answers into list-box calls.
#pragma once

#include "core/layout/Dpi.h"
#include "core/layout/Geometry.h"

#include <cstddef>
#include <string>

namespace brindlex {

inline constexpr int kRowHeight = 30;
inline constexpr int kRowMeasureWidth = 100;
inline constexpr int kRowIconSize = 28;
inline constexpr int kTimerScrollDown = 100;
inline constexpr int kTimerScrollUp = 101;

// A row and its icon in a list at `dpi` (30 and 28 pixels at 96 DPI).
constexpr int RowHeight(int dpi) {
    return ScaleForDpi(kRowHeight, dpi);
}
constexpr int RowIconSize(int dpi) {
    return ScaleForDpi(kRowIconSize, dpi);
}

// Top-left corner of the row's icon (28 x 28 at 96 DPI).
Point RowIconPosition(const Rect& row, int dpi = kBaseDpi);

// Where the row's name is drawn; cy is the measured height of the name in the list's font.
Rect RowTextRect(const Rect& row, int cy, int dpi = kBaseDpi);

// Period in ms of the auto-scroll timer while the pointer is `distance` pixels beyond the edge.
int AutoScrollPeriod(int distance, int rowHeight);

// A line of the drop marker, from (x1, y) to (x2, y), `width` pixels thick (2 at 96 DPI);
// `visible` false when nothing is drawn.
struct MarkerLine {
    bool visible = false;
    int x1 = 0, x2 = 0, y = 0;
    int width = 2;
};

// The marker for drop position `position` (a row: insert before it; -1: after the last row).
// `rowRect` is that row's rectangle (for -1 the last row's), `hasRow` false when there is none.
MarkerLine DropMarkerLine(int position, bool hasRow, const Rect& rowRect, const Rect& client,
                          int dpi = kBaseDpi);

// Decision for a mouse move during a drag, from the list box's hit test.
enum class DragZone { OverRow, BelowRows, Outside };
DragZone ClassifyDragPoint(Point p, bool hitOutside, int lastRowBottom, bool hasRows, const Rect& client);

// A drop position outside 0..count-1 is never used for a move: it means after the last row.
int NormaliseDropPosition(int position, int count);

// Where the pointer is during a drag, seen from the auto-scroll: step +1 below the list, -1 above
// it, 0 beside it (nothing to scroll); distance is how far beyond the edge it is.
struct ScrollRequest {
    int step = 0;
    int distance = 0;
};
ScrollRequest AutoScrollRequest(int y, int clientHeight);

// Which looks a row is drawn in for one WM_DRAWITEM: the normal look for an unselected row, the
// selected look for a selected one, and nothing for a pure focus change.
struct RowLooks {
    bool normal = false;
    bool selected = false;
};
RowLooks RowLooksToDraw(bool drawEntire, bool selectionChanged, bool isSelected);

// The row that Up or Down makes current from the caret row, or -1 when the key has nowhere to go.
int ArrowKeyTarget(bool up, int caret, int count);

// The question asked before a group with `itemCount` items is deleted.
std::u16string DeleteGroupQuestion(std::size_t itemCount);

} // namespace brindlex
