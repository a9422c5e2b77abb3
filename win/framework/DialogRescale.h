// A template dialog moved to a screen of another scale. Windows rescales the dialogs of a
// per-monitor v2 program itself (a new font, each control moved); Wine and older Windows leave
// them as they were made. This does it where the system has not.
#pragma once

#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

namespace brindlex {

// Each child's rectangle times newDpi / oldDpi, and the dialog's font made again at that scale
// and given to every child. The font is returned: the dialog keeps it while its controls use it.
// Empty where the dialog has no font of its own (the controls then keep theirs).
CFontHandle RescaleDialogForDpi(HWND hDlg, int oldDpi, int newDpi);

} // namespace brindlex
