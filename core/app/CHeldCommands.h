// While a paste runs, the main window does only what the paste needs. The paste's waits answer
// the messages other threads send (the target asking for the clipboard among them), and would so
// run any handler in the middle of it: a click on the tray icon would bring the main window to
// the front and the rest of the item would land there. A command that comes then is held and run
// once the paste is over, in the order the commands came; a second Paste is dropped. Another
// program can send any number of messages during a long paste, so the held ones are capped and a
// command that is already held is not held twice.
#pragma once

#include "core/app/AppCommand.h"

#include <cstddef>
#include <vector>

namespace brindlex {

enum class DuringPaste { Run, Hold, Drop };

// What becomes of a command while a paste runs. Paste and Find's Paste are dropped; the quick
// paste popup's choice and its closing run; every other command is held.
DuringPaste HandlingDuringPaste(CommandKind kind);

class CHeldCommands {
public:
    // Times are tick counts in ms, which wrap around.
    void BeginPaste(unsigned now);
    // The held commands in the order they came; nothing is held any more afterwards.
    std::vector<AppCommand> EndPaste(unsigned now);
    bool IsPasting() const { return m_bPasting; }

    // At most this many commands are held; those that come after are dropped.
    static constexpr std::size_t kMaxHeld = 64;

    // True when the command is held or dropped: it must not run now. Only while a paste runs.
    // A repeat of a held command (same kind and parameters) is dropped.
    bool Offer(const AppCommand& command);

    // Whether a queued Paste click (by its message time) was made while the last paste ran: that
    // paste has delivered the item, so the click is dropped like a Paste that came during it.
    bool CameDuringLastPaste(unsigned messageTime) const;

private:
    bool m_bPasting = false;
    bool m_bHavePasted = false;
    unsigned m_nStart = 0;
    unsigned m_nEnd = 0;
    std::vector<AppCommand> m_arrHeld;
};

} // namespace brindlex
