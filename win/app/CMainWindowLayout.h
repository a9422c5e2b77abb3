// The main window's face: where its controls go at its size, and its background with the band.
#pragma once

#include "win/framework/CWnd.h"

namespace brindlex {

class CMainWindowLayout {
public:
    // Moves the controls of `window` to their places at its client size and `dpi`.
    static void Arrange(const CWnd& window, int dpi);
    // Paints the background and the band (the icon, while the window is minimised).
    static void Paint(const CWnd& window, HICON hIcon, COLORREF clrWindow, int dpi);
};

} // namespace brindlex
