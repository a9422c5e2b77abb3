// CWin32KeyOutput: the key sender's output on Windows: pauses, the clipboard (each run rendered
// when the target asks for it), keybd_event, GetKeyState and VkKeyScanW.
#pragma once

#include "win/framework/Win32.h"
#include "win/paste/CDelayedClipboardText.h"
#include "core/paste/IKeyOutput.h"

#include <array>

namespace brindlex {

class CWin32KeyOutput : public IKeyOutput {
public:
    explicit CWin32KeyOutput(HWND hClipboardOwner) : m_hClipboardOwner(hClipboardOwner) {}

    void Pause(unsigned milliseconds) override;
    // The text as CF_UNICODETEXT, marked to stay out of clipboard history, cloud clipboard and
    // clipboard monitors: each run is a piece of a snippet, not something the user copied.
    bool PutClipboardText(std::u16string_view text) override;
    void KeyEvent(std::uint8_t vk, std::uint32_t flags) override;
    bool IsKeyDown(std::uint8_t vk) override;
    std::uint8_t KeyForCharacter(char16_t ch) override;

    // The window that owns the clipboard while runs are put on it.
    HWND ClipboardOwner() const { return m_delayed.IsWindow() ? m_delayed.GetSafeHwnd() : m_hClipboardOwner; }
    // A run is on the clipboard that no one has read yet.
    bool IsRunPending() const { return m_delayed.IsPending(); }
    // The paste goes into a window of this thread, which cannot read the clipboard before the
    // paste is over: no run waits for it.
    void SetTargetCannotRead() { m_delayed.SetTargetCannotRead(); }

    // Another program may have the clipboard open for a moment (a clipboard manager reading our
    // last run); the waits between tries to open it, about 100 ms in all, before giving up.
    static constexpr std::array<DWORD, 6> kOpenRetryDelaysMs{5, 10, 15, 20, 25, 25};

private:
    HWND m_hClipboardOwner; // owns the clipboard where no window of our own could be made
    CDelayedClipboardText m_delayed;
};

} // namespace brindlex
