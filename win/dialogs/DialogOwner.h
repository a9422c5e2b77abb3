// Where a modeless dialog reports its end: the window that owns it (the main window creates
// every one of them as their owner), else the application's main window.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

HWND DialogReportWindow(HWND hDlg);

} // namespace brindlex
