#include "win/lists/CRowDrag.h"

#include "core/lists/ListRules.h"
#include "win/framework/CClientDC.h"
#include "win/framework/CGdiSelection.h"
#include "win/framework/LayoutGeometry.h"
#include "win/framework/UniqueHandle.h"

namespace brindlex {

void CRowDrag::Press(int row) {
    StopAutoScroll();
    m_nDragFrom = row;
    m_nDropAt = -1;
    m_bDragging = false;
}

bool CRowDrag::Track(POINT point) {
    if (m_nDragFrom == -1) {
        return false;
    }
    if (!m_bDragging) {
        m_list.SetCapture();
        m_bDragging = true;
    }
    bool outside = true;
    const int row = m_list.ItemFromPoint(point, &outside);
    const int count = m_rows.Count();
    RECT last{};
    const bool hasRows = count > 0 && m_list.GetItemRect(count - 1, &last);
    const RECT client = m_list.GetClientRect();
    int target = -1;
    switch (ClassifyDragPoint(ToPoint(point), outside, last.bottom, hasRows, ToRect(client))) {
    case DragZone::OverRow:
        StopAutoScroll();
        target = row;
        break;
    case DragZone::BelowRows:
        StopAutoScroll();
        target = -1;
        break;
    case DragZone::Outside:
        AutoScroll(point, client);
        return true;
    }
    if (target != m_nDropAt) {
        DrawDropMarker(target);
    }
    return true;
}

std::optional<CRowDrag::Drop> CRowDrag::Release(POINT point) {
    std::optional<Drop> drop;
    if (m_nDragFrom != -1 && m_bDragging) {
        EndDrag();
        if (ToRect(m_list.GetClientRect()).Contains(point.x, point.y)) {
            drop = Drop{m_nDragFrom, m_nDropAt};
        } else {
            m_list.Invalidate(true); // takes the marker away; nothing moves
            m_list.UpdateWindow();
        }
    }
    m_nDragFrom = -1;
    m_nDropAt = -1;
    return drop;
}

void CRowDrag::CaptureLost(HWND hWndNew) {
    if (m_bDragging && hWndNew != m_list.GetSafeHwnd()) {
        EndDrag();
        m_nDragFrom = -1;
        m_nDropAt = -1;
        m_list.Invalidate(true);
    }
}

bool CRowDrag::OnTimer(WPARAM id) {
    if (id != static_cast<WPARAM>(kTimerScrollDown) && id != static_cast<WPARAM>(kTimerScrollUp)) {
        return true;
    }
    if (!m_bDragging) {
        m_list.KillTimer(id);
        return false;
    }
    const int step = id == static_cast<WPARAM>(kTimerScrollDown) ? +1 : -1;
    DrawDropMarker(m_nDropAt + step);
    m_list.SetTopIndex(m_list.GetTopIndex() + step);
    return true;
}

void CRowDrag::Stop() {
    StopAutoScroll();
}

void CRowDrag::DrawDropMarker(int index) {
    CClientDC dc(m_list.GetSafeHwnd());
    if (!dc) {
        m_nDropAt = index;
        return;
    }
    if (m_nDropAt != m_nDragFrom) {
        DrawMarkerLine(dc.get(), m_nDropAt, RGB(255, 255, 255));
    }
    m_nDropAt = index;
    if (index != m_nDragFrom) {
        DrawMarkerLine(dc.get(), index, RGB(0, 0, 0));
    }
}

void CRowDrag::DrawMarkerLine(HDC hDC, int position, COLORREF colour) const {
    RECT row{};
    bool hasRow = false;
    if (position >= 0) {
        hasRow = m_list.GetItemRect(position, &row);
    } else if (position == -1) {
        const int count = m_rows.Count();
        hasRow = count > 0 && m_list.GetItemRect(count - 1, &row);
    }
    const MarkerLine line = DropMarkerLine(position, hasRow, ToRect(row), ToRect(m_list.GetClientRect()), m_nDpi);
    if (!line.visible) {
        return;
    }
    CPenHandle pen(::CreatePen(PS_SOLID, line.width, colour));
    CGdiSelection select(hDC, pen.get());
    ::MoveToEx(hDC, line.x1, line.y, nullptr);
    ::LineTo(hDC, line.x2, line.y);
}

void CRowDrag::AutoScroll(POINT point, const RECT& client) {
    const ScrollRequest request = AutoScrollRequest(point.y, client.bottom - client.top);
    if (request.step == 0) {
        return; // beside the list: whatever runs keeps running
    }
    const int period = AutoScrollPeriod(request.distance, m_list.GetItemHeight(0));
    if (period == m_nScrollPeriod && request.step == m_nScrollStep) {
        return; // same band on the same side: neither scroll nor restart the timer
    }
    // One direction at a time: two running timers would scroll down and up in turn.
    m_list.KillTimer(request.step > 0 ? kTimerScrollUp : kTimerScrollDown);
    m_nScrollPeriod = period;
    m_nScrollStep = request.step;
    m_list.SetTimer(request.step > 0 ? kTimerScrollDown : kTimerScrollUp, static_cast<UINT>(period));
    DrawDropMarker(m_nDropAt + request.step);
    m_list.SetTopIndex(m_list.GetTopIndex() + request.step);
}

void CRowDrag::StopAutoScroll() {
    if (m_list.GetSafeHwnd() != nullptr) {
        m_list.KillTimer(kTimerScrollDown);
        m_list.KillTimer(kTimerScrollUp);
    }
    m_nScrollPeriod = 0;
    m_nScrollStep = 0;
}

void CRowDrag::EndDrag() {
    StopAutoScroll();
    m_bDragging = false;
    if (::GetCapture() == m_list.GetSafeHwnd()) {
        ::ReleaseCapture();
    }
}

} // namespace brindlex
