#include "win/app/CAlwaysOnTop.h"

namespace brindlex {

void CAlwaysOnTop::Apply(HWND hWnd) {
    m_buttons.ShowAlwaysOnTop(m_bAlwaysOnTop);
    SetWindowPos(hWnd, m_bAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CAlwaysOnTop::Toggle(HWND hWnd) {
    m_bAlwaysOnTop = !m_bAlwaysOnTop;
    Apply(hWnd);
}

void CAlwaysOnTop::OnShown(HWND hWnd) {
    // Wine can drop the topmost state given to a window before it is first shown (the first
    // program of a session): put it right as the window appears.
    const bool topmost = (GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost != m_bAlwaysOnTop) {
        Apply(hWnd);
    }
}

} // namespace brindlex
