// The calls on the bound window that need more than one line: rectangles, styles, texts and
// centring.
#include "win/framework/CWnd.h"

#include "win/framework/WideString.h"

namespace brindlex {

namespace {

// The style (GWL_STYLE) or extended style (GWL_EXSTYLE) of a window with bits removed and added.
bool ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, nIndex));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) {
        return false;
    }
    ::SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

} // namespace

RECT CWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const {
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetRectInParent() const {
    RECT rc = GetWindowRect();
    const HWND hWndParent = (GetStyle() & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent != nullptr) {
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    }
    return rc;
}

bool CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    return ModifyStyleBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

bool CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::SetWindowText(const std::u16string& text) const {
    ::SetWindowTextW(m_hWnd, W(text));
}

std::u16string CWnd::GetWindowText() const {
    return GetWindowTextU16(m_hWnd);
}

void CWnd::SetDlgItemText(int nID, const std::u16string& text) const {
    ::SetDlgItemTextW(m_hWnd, nID, W(text));
}

std::u16string CWnd::GetDlgItemText(int nID) const {
    return GetWindowTextU16(::GetDlgItem(m_hWnd, nID));
}

void CWnd::CenterWindow(HWND hWndCenter) const {
    const DWORD style = GetStyle();
    const bool bChild = (style & WS_CHILD) != 0;
    HWND hWndOn = hWndCenter;
    if (hWndOn == nullptr) {
        hWndOn = bChild ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndOn != nullptr && (::IsWindowVisible(hWndOn) == FALSE || ::IsIconic(hWndOn) != FALSE)) {
            hWndOn = nullptr;
        }
    }
    if (hWndOn == ::GetDesktopWindow()) {
        hWndOn = nullptr;
    }

    RECT rcArea{};
    RECT rcOn{};
    if (bChild) {
        const HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        rcOn = rcArea;
        if (hWndOn != nullptr && hWndOn != hWndParent) {
            ::GetWindowRect(hWndOn, &rcOn);
            ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rcOn), 2);
        }
    } else {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        const HMONITOR hMonitor =
            ::MonitorFromWindow(hWndOn != nullptr ? hWndOn : m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (::GetMonitorInfoW(hMonitor, &mi) != FALSE) {
            rcArea = mi.rcWork;
        } else {
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
        }
        rcOn = rcArea;
        if (hWndOn != nullptr) {
            ::GetWindowRect(hWndOn, &rcOn);
        }
    }

    const RECT rc = bChild ? GetRectInParent() : GetWindowRect();
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    int x = (rcOn.left + rcOn.right) / 2 - width / 2;
    int y = (rcOn.top + rcOn.bottom) / 2 - height / 2;
    if (x + width > rcArea.right) {
        x = rcArea.right - width;
    }
    if (x < rcArea.left) {
        x = rcArea.left;
    }
    if (y + height > rcArea.bottom) {
        y = rcArea.bottom - height;
    }
    if (y < rcArea.top) {
        y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace brindlex
