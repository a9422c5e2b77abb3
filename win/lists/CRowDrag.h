// Moving a row of a library list by dragging it: the drop marker line between rows, and the
// auto-scroll while the pointer is above or below the list. While a row is dragged the list
// box's own mouse tracking stays out: it would move the selection after the pointer and scroll on
// its own timer, and the selected row must stay the dragged row.
#pragma once

#include "core/layout/Dpi.h"
#include "win/framework/CListBox.h"
#include "win/lists/CListRows.h"

#include <optional>

namespace brindlex {

class CRowDrag {
public:
    CRowDrag(CListBox& list, const CListRows& rows) : m_list(list), m_rows(rows) {}

    // Where a finished drag left its row: the row, and the drop position (a row to insert before,
    // anything else after the last row).
    struct Drop {
        int from = -1;
        int at = -1;
    };

    // The button went down on `row` (-1: on no row); nothing is dragged yet.
    void Press(int row);
    // A mouse move with the left button down; false when no row was pressed.
    bool Track(POINT point);
    // The button went up at `point`: the drop, if the drag ended inside the list.
    std::optional<Drop> Release(POINT point);
    // Someone else took the mouse: the drag ends, nothing moves.
    void CaptureLost(HWND hWndNew);
    // A timer of the list; false when it was an auto-scroll timer left from a finished drag: it is
    // killed, and the list box need not see it.
    bool OnTimer(WPARAM id);
    // The list is going: the timers stop.
    void Stop();
    // The DPI the marker is drawn at, the list's.
    void SetDpi(int dpi) { m_nDpi = dpi; }

private:
    void DrawDropMarker(int index);
    void DrawMarkerLine(HDC hDC, int position, COLORREF colour) const;
    void AutoScroll(POINT point, const RECT& client);
    void StopAutoScroll();
    void EndDrag();

    CListBox& m_list;
    const CListRows& m_rows;
    int m_nDragFrom = -1;
    int m_nDropAt = -1;
    int m_nDpi = kBaseDpi;
    bool m_bDragging = false;
    int m_nScrollPeriod = 0;
    int m_nScrollStep = 0; // direction of the running auto-scroll timer
};

} // namespace brindlex
