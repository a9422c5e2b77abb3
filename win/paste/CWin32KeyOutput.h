// CWin32KeyOutput: the key sender's output on Windows: pauses, the clipboard (each run rendered
// when the target asks for it), SendInput with real scan codes, the key state, the layout's keys
// and the foreground window.
#pragma once

#include "core/paste/IKeyOutput.h"
#include "win/framework/CClipboardScope.h"
#include "win/framework/Win32.h"
#include "win/paste/CDelayedClipboardText.h"

#include <array>
#include <optional>

namespace brindlex {

class CWin32KeyOutput : public IKeyOutput {
public:
    // hTarget: the window the paste is for, which must stay in front; none: no such check.
    explicit CWin32KeyOutput(HWND hClipboardOwner, HWND hTarget = nullptr)
        : m_hClipboardOwner(hClipboardOwner), m_hTarget(hTarget) {}

    void Pause(unsigned milliseconds) override;
    // The text as CF_UNICODETEXT, marked to stay out of clipboard history, cloud clipboard and
    // clipboard monitors: each run is a piece of a snippet, not something the user copied.
    bool PutClipboardText(std::u16string_view text) override;
    void SendKeys(std::span<const KeyStroke> keys) override;
    bool IsKeyDown(std::uint8_t vk) override;
    bool IsKeyHeldByUser(std::uint8_t vk) override;
    std::uint8_t KeyForCharacter(char16_t ch) override;
    bool IsTargetInFront() override;

    // The window that owns the clipboard while runs are put on it.
    HWND ClipboardOwner() const { return m_delayed.IsWindow() ? m_delayed.GetSafeHwnd() : m_hClipboardOwner; }
    // A run is on the clipboard that no one has read yet.
    bool IsRunPending() const { return m_delayed.IsPending(); }
    // The paste goes into a window of this thread, which cannot read the clipboard before the
    // paste is over: no run waits for it.
    void SetTargetCannotRead() { m_delayed.SetTargetCannotRead(); }
    // Waits (answering sent messages) until the last run has been read, at most `milliseconds`
    // after it went on the clipboard.
    void WaitForLastRunRead(DWORD milliseconds) { m_delayed.WaitForReaderSincePromise(milliseconds); }
    // The clipboard's sequence number after the last change this paste made to it; none before.
    std::optional<DWORD> LastOwnClipboardChange() const { return m_delayed.OwnSequence(); }
    // After a change of our own to the open clipboard.
    void NoteOwnClipboardChange() { m_delayed.NoteOwnChange(); }

    // Another program may have the clipboard open for a moment (a clipboard manager reading our
    // last run); the waits between tries to open it, about 100 ms in all, before giving up.
    static constexpr std::array<DWORD, 6> kOpenRetryDelaysMs{5, 10, 15, 20, 25, 25};
    // Opens the clipboard for hOwner, trying again after each of those waits.
    static void OpenClipboardPatiently(std::optional<CClipboardScope>& clipboard, HWND hOwner);

private:
    HWND m_hClipboardOwner; // owns the clipboard where no window of our own could be made
    HWND m_hTarget;
    CDelayedClipboardText m_delayed;
};

// Marks what is on the open clipboard to stay out of clipboard history, the cloud clipboard and
// clipboard monitors. A mark that cannot be set costs only that marking, so failures are ignored.
void MarkClipboardAsPrivate();

} // namespace brindlex
