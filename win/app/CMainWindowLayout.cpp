#include "win/app/CMainWindowLayout.h"

#include "core/layout/MainLayout.h"
#include "win/framework/CPaintDC.h"
#include "win/framework/Drawing.h"
#include "win/framework/LayoutGeometry.h"
#include "res/resource.h"

#include <vector>

namespace brindlex {

void CMainWindowLayout::Arrange(const CWnd& window, int dpi) {
    const RECT client = window.GetClientRect();
    RECT combo{};
    HWND hCombo = window.GetDlgItem(IDC_TARGET_WINDOW);
    if (hCombo != nullptr) {
        ::GetClientRect(hCombo, &combo);
    }
    const auto layout = MainWindowLayout(client.right - client.left, client.bottom - client.top,
                                         combo.bottom - combo.top, dpi);
    const bool bottomRowComplete = window.GetDlgItem(IDC_PREV_WINDOW) != nullptr &&
                                   window.GetDlgItem(IDC_NEXT_WINDOW) != nullptr &&
                                   window.GetDlgItem(IDC_PASTE) != nullptr;
    // WM_SETREDRAW TRUE makes a window visible: a hidden window (at start-up, or resized from the
    // stored geometry while in the notification area) is laid out without it.
    const bool visible = window.IsWindowVisible();
    if (visible) {
        window.SetRedraw(false);
    }
    std::vector<ControlPlacement> placements;
    for (const ControlPlacement& p : layout) {
        const bool bottomRow = p.id == IDC_PREV_WINDOW || p.id == IDC_NEXT_WINDOW || p.id == IDC_PASTE;
        if (!bottomRow || bottomRowComplete) {
            placements.push_back(p);
        }
    }
    PlaceControls(window.GetSafeHwnd(), placements);
    if (visible) {
        window.SetRedraw(true);
        window.InvalidateRect(nullptr, true);
        window.UpdateWindow();
    }
}

void CMainWindowLayout::Paint(const CWnd& window, HICON hIcon, COLORREF clrWindow, int dpi) {
    CPaintDC dc(window.GetSafeHwnd());
    const RECT client = window.GetClientRect();
    if (window.IsIconic()) {
        window.SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.get(), x, y, hIcon);
        return;
    }
    FillSolidRect(dc.get(), client, clrWindow);
    for (const BandRect& band : MainWindowBand(ToRect(client), clrWindow, dpi)) {
        FillSolidRect(dc.get(), ToRECT(band.rect), band.colour);
    }
}

} // namespace brindlex
