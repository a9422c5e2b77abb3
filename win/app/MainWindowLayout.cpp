#include "win/app/MainWindowLayout.h"

#include "core/layout/MainLayout.h"
#include "win/framework/CPaintDC.h"
#include "win/framework/Drawing.h"
#include "res/resource.h"

void CMainWindowLayout::Arrange(const CWnd& window) {
    const RECT client = window.GetClientRect();
    RECT combo{};
    HWND hCombo = window.GetDlgItem(IDC_TARGET_WINDOW);
    if (hCombo != nullptr) {
        ::GetClientRect(hCombo, &combo);
    }
    const auto layout = brindlex::MainWindowLayout(client.right - client.left, client.bottom - client.top,
                                                   combo.bottom - combo.top);
    const bool bottomRowComplete = window.GetDlgItem(IDC_PREV_WINDOW) != nullptr &&
                                   window.GetDlgItem(IDC_NEXT_WINDOW) != nullptr &&
                                   window.GetDlgItem(IDC_PASTE) != nullptr;
    // WM_SETREDRAW TRUE makes a window visible: a hidden window (at start-up, or resized from the
    // stored geometry while in the notification area) is laid out without it.
    const bool visible = window.IsWindowVisible();
    if (visible) {
        window.SetRedraw(false);
    }
    for (const brindlex::ControlPlacement& p : layout) {
        const bool bottomRow = p.id == IDC_PREV_WINDOW || p.id == IDC_NEXT_WINDOW || p.id == IDC_PASTE;
        HWND hControl = window.GetDlgItem(p.id);
        if (hControl == nullptr || (bottomRow && !bottomRowComplete)) {
            continue;
        }
        ::MoveWindow(hControl, p.rect.left, p.rect.top, p.rect.Width(), p.rect.Height(), TRUE);
    }
    if (visible) {
        window.SetRedraw(true);
        window.InvalidateRect(nullptr, true);
        window.UpdateWindow();
    }
}

void CMainWindowLayout::Paint(const CWnd& window, HICON hIcon, COLORREF clrWindow) {
    CPaintDC dc(window.GetSafeHwnd());
    const RECT client = window.GetClientRect();
    if (window.IsIconic()) {
        window.SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.get(), x, y, hIcon);
        return;
    }
    brindlex::FillSolidRect(dc.get(), client, clrWindow);
    const brindlex::Rect c{client.left, client.top, client.right, client.bottom};
    for (const brindlex::BandRect& band : brindlex::MainWindowBand(c, clrWindow)) {
        const RECT r{band.rect.left, band.rect.top, band.rect.right, band.rect.bottom};
        brindlex::FillSolidRect(dc.get(), r, band.colour);
    }
}
