#include "win/framework/DialogRescale.h"

#include "core/layout/Dpi.h"

namespace brindlex {

namespace {

int Rescale(int pixels, int oldDpi, int newDpi) {
    return MulDivRounded(pixels, newDpi, oldDpi);
}

bool IsComboBox(HWND hWnd) {
    wchar_t name[16]{};
    ::GetClassNameW(hWnd, name, 16);
    return ::lstrcmpiW(name, L"ComboBox") == 0;
}

void RescaleChild(HWND hDlg, HWND hChild, int oldDpi, int newDpi) {
    RECT rc{};
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    int height = rc.bottom - rc.top;
    // A drop-down combo box is sized by its list's height; its field follows the font.
    if (IsComboBox(hChild)) {
        RECT dropped{};
        if (::SendMessageW(hChild, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)) != 0) {
            height = dropped.bottom - dropped.top;
        }
    }
    const int left = Rescale(rc.left, oldDpi, newDpi);
    const int top = Rescale(rc.top, oldDpi, newDpi);
    ::SetWindowPos(hChild, nullptr, left, top, Rescale(rc.right, oldDpi, newDpi) - left,
                   Rescale(rc.top + height, oldDpi, newDpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CFontHandle RescaleDialogForDpi(HWND hDlg, int oldDpi, int newDpi) {
    if (oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi) {
        return CFontHandle();
    }
    CFontHandle font;
    LOGFONTW lf{};
    const auto current = reinterpret_cast<HFONT>(::SendMessageW(hDlg, WM_GETFONT, 0, 0));
    if (current != nullptr && ::GetObjectW(current, sizeof lf, &lf) == sizeof lf) {
        // Through the template's size in points, as the dialog manager makes the font at a DPI: a
        // font of 8 points is 11 pixels at 96 DPI and 16, not 16.5 rounded up, at 144.
        lf.lfHeight = lf.lfHeight < 0 ? -MulDivRounded(MulDivRounded(-lf.lfHeight, 72, oldDpi), newDpi, 72)
                                      : Rescale(lf.lfHeight, oldDpi, newDpi);
        lf.lfWidth = Rescale(lf.lfWidth, oldDpi, newDpi);
        font.reset(::CreateFontIndirectW(&lf));
    }
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        RescaleChild(hDlg, hChild, oldDpi, newDpi);
        if (font) {
            ::SendMessageW(hChild, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        }
    }
    return font;
}

} // namespace brindlex
