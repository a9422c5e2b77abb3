// "Always on top" of the main window: the setting, the window's topmost state and the state of
// its button, kept the same.
#pragma once

#include "win/app/CMainWindowButtons.h"
#include "win/framework/Win32.h"

namespace brindlex {

class CAlwaysOnTop {
public:
    CAlwaysOnTop(bool& alwaysOnTop, CMainWindowButtons& buttons)
        : m_bAlwaysOnTop(alwaysOnTop), m_buttons(buttons) {}

    // Gives hWnd, the main window, and the button the setting's state.
    void Apply(HWND hWnd);
    void Toggle(HWND hWnd);
    // hWnd has just been shown.
    void OnShown(HWND hWnd);

private:
    bool& m_bAlwaysOnTop;
    CMainWindowButtons& m_buttons;
};

} // namespace brindlex
