#include "win/paste/CDelayedClipboardText.h"

#include "win/framework/GlobalMemory.h"
#include "win/framework/CMessageLoop.h"

#include <algorithm>

namespace brindlex {

CDelayedClipboardText::CDelayedClipboardText() {
    CreateEx(0, nullptr, L"Brindlex clipboard", WS_POPUP, RECT{0, 0, 0, 0}, HWND_MESSAGE, 0);
}

CDelayedClipboardText::~CDelayedClipboardText() {
    RenderForGood();
    DestroyWindow();
}

void CDelayedClipboardText::Promise(std::u16string text) {
    m_strText = std::move(text);
    m_bPending = true;
    m_nPromisedAt = ::GetTickCount64();
}

bool CDelayedClipboardText::WaitForReaderSincePromise(DWORD milliseconds) {
    const ULONGLONG elapsed = ::GetTickCount64() - m_nPromisedAt;
    return !m_bPending ||
           WaitUntilTaken(elapsed < milliseconds ? static_cast<DWORD>(milliseconds - elapsed) : 0);
}

bool CDelayedClipboardText::WaitForReader() {
    if (!m_bPending) {
        return true;
    }
    if (WaitUntilTaken(m_readWait.RunWaitMs())) {
        return true;
    }
    m_readWait.OnRunUnread();
    return false;
}

bool CDelayedClipboardText::WaitUntilTaken(DWORD milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (m_bPending) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        CMessageLoop::WaitAnsweringSentMessages(static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 5)));
    }
    return true;
}

bool CDelayedClipboardText::Render() {
    CGlobalHandle hText =
        CopyToGlobal(m_strText.data(), m_strText.size() * sizeof(char16_t), sizeof(char16_t));
    if (!hText || ::SetClipboardData(CF_UNICODETEXT, hText.get()) == nullptr) {
        return false;
    }
    hText.release(); // the clipboard owns it now
    m_bPending = false;
    NoteOwnChange();
    return true;
}

void CDelayedClipboardText::RenderForGood() {
    if (!m_bPending || !IsWindow()) {
        return;
    }
    // A reader may be at it right now: give it a moment before taking the clipboard ourselves
    // (none when the target has not been reading).
    if (WaitUntilTaken(m_readWait.LastRunWaitMs())) {
        return;
    }
    for (int attempt = 0; attempt < 10 && m_bPending; ++attempt) {
        if (::OpenClipboard(m_hWnd)) {
            if (::GetClipboardOwner() == m_hWnd) {
                Render();
            }
            ::CloseClipboard();
            m_bPending = false; // rendered, or someone else owns the clipboard now
            return;
        }
        CMessageLoop::WaitAnsweringSentMessages(10);
    }
}

LRESULT CDelayedClipboardText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_RENDERFORMAT:
        // The reader holds the clipboard open and waits for this answer.
        if (wParam == CF_UNICODETEXT && m_bPending && Render()) {
            m_readWait.OnRunTaken();
        }
        return 0;
    case WM_RENDERALLFORMATS:
        RenderForGood();
        return 0;
    case WM_DESTROYCLIPBOARD:
        m_bPending = false; // emptied: nothing of ours is promised any more
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

} // namespace brindlex
