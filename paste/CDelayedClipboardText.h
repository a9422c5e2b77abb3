// The clipboard owner of one paste: each run's text is offered with delayed rendering, so the
// paste learns when the target has really taken it (WM_RENDERFORMAT) and does not replace it
// with the next run before then. A slow target would otherwise paste a later run.
#pragma once

#include "framework/CWnd.h"

#include <string>

class CDelayedClipboardText : public CWnd {
public:
    CDelayedClipboardText();
    // Renders a text still pending, so that the clipboard keeps the last run.
    ~CDelayedClipboardText() override;

    // The clipboard has been emptied and CF_UNICODETEXT announced without data; `text` is what
    // a reader will get.
    void Promise(std::u16string text);
    // Waits, answering messages sent by other threads (the reader's WM_RENDERFORMAT among them),
    // until the promised text has been taken or `milliseconds` have passed.
    bool WaitUntilTaken(DWORD milliseconds);
    bool IsPending() const { return m_bPending; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Render();  // with the clipboard open: puts the promised text in place
    void RenderForGood();

    std::u16string m_strText;
    bool m_bPending = false;
};
