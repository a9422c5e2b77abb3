// The clipboard owner of one paste: each run's text is offered with delayed rendering, so the
// paste learns when the target has really taken it (WM_RENDERFORMAT) and does not replace it
// with the next run before then. A slow target would otherwise paste a later run.
#pragma once

#include "win/framework/CWnd.h"
#include "core/paste/CClipboardReadWait.h"

#include <optional>
#include <string>

namespace brindlex {

class CDelayedClipboardText : public CWnd {
public:
    CDelayedClipboardText();
    // Renders a text still pending, so that the clipboard keeps the last run.
    ~CDelayedClipboardText() override;

    // The clipboard has been emptied and CF_UNICODETEXT announced without data; `text` is what
    // a reader will get.
    void Promise(std::u16string text);
    // Before the next run replaces the promised one: waits for the target to take it, as long as
    // what the paste has seen of the target so far says (no wait once a run went unread). True
    // when nothing of ours is pending any more.
    bool WaitForReader();
    bool IsPending() const { return m_bPending; }
    // The target is a window of this thread: it cannot read before the paste is over.
    void SetTargetCannotRead() { m_readWait.SetTargetCannotRead(); }
    // Waits until the promised text has been taken, at most until `milliseconds` after it was
    // promised; true when nothing of ours is pending any more.
    bool WaitForReaderSincePromise(DWORD milliseconds);

    // Each change of ours to the clipboard, by the sequence number it left there: a later one is
    // another program's.
    void NoteOwnChange() { m_nOwnSequence = ::GetClipboardSequenceNumber(); }
    std::optional<DWORD> OwnSequence() const { return m_nOwnSequence; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Waits, answering messages sent by other threads (the reader's WM_RENDERFORMAT among them),
    // until the promised text has been taken or `milliseconds` have passed.
    bool WaitUntilTaken(DWORD milliseconds);
    bool Render(); // with the clipboard open: puts the promised text in place
    void RenderForGood();

    std::u16string m_strText;
    bool m_bPending = false;
    ULONGLONG m_nPromisedAt = 0;
    std::optional<DWORD> m_nOwnSequence;
    CClipboardReadWait m_readWait;
};

} // namespace brindlex
