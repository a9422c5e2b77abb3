#include "win/app/CMainWindowVisibility.h"

namespace brindlex {

namespace {

constexpr UINT kStateOnly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

} // namespace

void CMainWindowVisibility::ShowMainWindow() {
    m_window.SetWindowPos(nullptr, 0, 0, 0, 0, kStateOnly | SWP_SHOWWINDOW);
    SetForegroundWindow(m_window.GetSafeHwnd());
}

void CMainWindowVisibility::HideMainWindow() {
    m_store.SaveSettings(m_window.GetSafeHwnd());
    m_window.SetWindowPos(nullptr, 0, 0, 0, 0, kStateOnly | SWP_HIDEWINDOW);
}

void CMainWindowVisibility::ToggleMainWindow() {
    if (m_window.IsWindowVisible()) {
        HideMainWindow();
    } else {
        ShowMainWindow();
    }
}

} // namespace brindlex
