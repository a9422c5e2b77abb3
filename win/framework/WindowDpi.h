// The DPI a window is drawn at: its monitor's where the program is per-monitor aware (Windows 10
// 1607 and later), otherwise the system's. Every pixel number of the program is one at 96 DPI
// and is scaled by this.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

// The window's DPI; 96 where it cannot be told.
int WindowDpi(HWND hWnd);
// A system metric (a scroll bar's width, an icon's size) for a window at that DPI.
int SystemMetricForDpi(int index, int dpi);

} // namespace brindlex
