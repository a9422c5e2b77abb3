// The floor for the start-up benchmark: a process that shows one empty dialog and nothing else.
#include "win/framework/Win32.h"

#include <cstring>
#include <vector>

namespace {
INT_PTR CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM) {
    if (m == WM_CLOSE || (m == WM_COMMAND && LOWORD(w) == IDCANCEL)) {
        EndDialog(h, 0);
        return TRUE;
    }
    return m == WM_INITDIALOG;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
    // An in-memory template: 321 x 273 units like the main window, caption "Bare dialog".
    std::vector<WORD> t(64, 0);
    auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_CENTER;
    d->cx = 321;
    d->cy = 273;
    const wchar_t title[] = L"Bare dialog";
    std::memcpy(&t[sizeof(DLGTEMPLATE) / 2 + 2], title, sizeof(title));
    return static_cast<int>(DialogBoxIndirectParamW(hInstance, d, nullptr, Proc, 0));
}
