#include "win/framework/WindowDpi.h"

#include "core/layout/Dpi.h"

namespace brindlex {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// Looked up, not linked: Windows 7 and 8 have no such function.
GetDpiForWindowFn GetDpiForWindowOfThisSystem() {
    static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return fn;
}

GetSystemMetricsForDpiFn GetSystemMetricsForDpiOfThisSystem() {
    static const auto fn = reinterpret_cast<GetSystemMetricsForDpiFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
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

int SystemMetricForDpi(int index, int dpi) {
    if (const GetSystemMetricsForDpiFn fn = GetSystemMetricsForDpiOfThisSystem(); fn != nullptr) {
        return fn(index, static_cast<UINT>(dpi));
    }
    const int systemDpi = SystemDpi();
    return MulDivRounded(::GetSystemMetrics(index), dpi, systemDpi > 0 ? systemDpi : kBaseDpi);
}

} // namespace brindlex
