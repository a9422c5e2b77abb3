// The buttons of the main window: the image buttons of its band and above the two lists, and the
// target row's buttons. The main window handles their clicks.
#pragma once

#include "win/controls/CImageButton.h"
#include "win/framework/CButton.h"
#include "win/framework/Win32.h"

namespace brindlex {

class CMainWindowButtons {
public:
    // Binds the image buttons of hParent and gives them their icons (for a window at `dpi`),
    // captions and tips.
    void SetUpImageButtons(HWND hParent, int dpi);
    // The window moved to a screen of another scale: the icons for that one.
    void SetDpi(int dpi);
    // Binds the buttons of the target row: previous, next, Paste.
    void SetUpTargetRow(HWND hParent);

    RECT MenuButtonRect() const { return m_btnMenu.GetWindowRect(); }
    void ShowAlwaysOnTop(bool on);

private:
    struct ButtonSetup;
    static constexpr int kImageButtonCount = 8;
    static const ButtonSetup kImageButtons[kImageButtonCount];

    CImageButton m_btnMenu;
    CImageButton m_btnAddGroup;
    CImageButton m_btnEditGroup;
    CImageButton m_btnDeleteGroup;
    CImageButton m_btnAddItem;
    CImageButton m_btnEditItem;
    CImageButton m_btnDeleteItem;
    CImageButton m_btnAlwaysOnTop;
    CButton m_btnPrevWindow;
    CButton m_btnNextWindow;
    CButton m_btnPaste;
};

} // namespace brindlex
