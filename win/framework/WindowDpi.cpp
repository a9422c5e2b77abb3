#include "win/framework/WindowDpi.h"

#include "core/layout/Dpi.h"

namespace brindlex {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up, not linked: Windows 7 and 8 have no such function.
GetDpiForWindowFn GetDpiForWindowOfThisSystem() {
    static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return fn;
}

int SystemDpi() {
    const HDC hdc = ::GetDC(nullptr);
    const int dpi = hdc != nullptr ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 0;
    if (hdc != nullptr) {
        ::ReleaseDC(nullptr, hdc);
    }
    return dpi;
}

} // namespace

int WindowDpi(HWND hWnd) {
    int dpi = 0;
    if (const GetDpiForWindowFn fn = GetDpiForWindowOfThisSystem(); fn != nullptr && hWnd != nullptr) {
        dpi = static_cast<int>(fn(hWnd));
    }
    if (dpi <= 0) {
        dpi = SystemDpi();
    }
    return dpi > 0 ? dpi : kBaseDpi;
}

} // namespace brindlex
