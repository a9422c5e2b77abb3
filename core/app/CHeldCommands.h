// While a paste runs, the main window does only what the paste needs. The paste's waits answer
// the messages other threads send (the target asking for the clipboard among them), and would so
// run any handler in the middle of it: a click on the tray icon would bring the main window to
// the front and the rest of the item would land there. A command that comes then is held and run
// once the paste is over, in the order the commands came; a second Paste is dropped. Another
// program can send any number of messages during a long paste, so the held ones are capped and a
// command that is already held is not held twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brindlex {

// The system's messages this knows by number (the values of the Win32 headers).
inline constexpr unsigned kWmCommand = 0x0111;
inline constexpr unsigned kWmSysCommand = 0x0112;
inline constexpr unsigned kWmHotkey = 0x0312;

struct HeldMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool operator==(const HeldMessage&) const = default;
};

enum class DuringPaste { Run, Hold, Drop };

// What becomes of a message to the main window while a paste runs. Held are the commands:
// WM_COMMAND for a menu entry, an accelerator, a click or a selection change, WM_SYSCOMMAND,
// WM_HOTKEY, the main window's private messages and the taskbar's re-creation message. The
// Paste button's click is dropped. Everything else runs: the clipboard's and the session's
// messages, activation, painting, the other notifications and other programs' questions.
DuringPaste HandlingDuringPaste(unsigned message, std::uintptr_t wParam, unsigned taskbarCreatedMessage);

class CHeldCommands {
public:
    explicit CHeldCommands(unsigned taskbarCreatedMessage) : m_nTaskbarCreated(taskbarCreatedMessage) {}

    // Times are tick counts in ms, which wrap around.
    void BeginPaste(unsigned now);
    // The held commands in the order they came; nothing is held any more afterwards.
    std::vector<HeldMessage> EndPaste(unsigned now);
    bool IsPasting() const { return m_bPasting; }

    // At most this many commands are held; those that come after are dropped.
    static constexpr std::size_t kMaxHeld = 64;

    // True when the message is held or dropped: it must not run now. Only while a paste runs.
    // A repeat of a held command (same message and parameters) is dropped.
    bool Offer(const HeldMessage& message);

    // Whether a queued Paste click (by its message time) was made while the last paste ran: that
    // paste has delivered the item, so the click is dropped like a Paste that came during it.
    bool CameDuringLastPaste(unsigned messageTime) const;

private:
    unsigned m_nTaskbarCreated;
    bool m_bPasting = false;
    bool m_bHavePasted = false;
    unsigned m_nStart = 0;
    unsigned m_nEnd = 0;
    std::vector<HeldMessage> m_arrHeld;
};

} // namespace brindlex
