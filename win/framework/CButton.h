// A button control (BM_ messages).
#pragma once

#include "win/framework/CWnd.h"

namespace brindlex {

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetButtonStyle(UINT nStyle, bool bRedraw = true) const {
        SendMessage(BM_SETSTYLE, nStyle, bRedraw ? TRUE : FALSE);
    }
};

} // namespace brindlex
