// The Paste command of the main window: brings the chosen target forward, pastes an item into it
// and tells the user what kept it from going through. The commands that come to the main window
// meanwhile are held, and handed back to it once the paste is over.
#pragma once

#include "core/app/CHeldCommands.h"
#include "core/library/CLibrary.h"
#include "win/framework/Win32.h"

#include <cstddef>
#include <vector>

namespace brindlex {

class CPasteCommand {
public:
    enum class Outcome {
        Skipped,
        Done,
        NoItem,
        TargetNotInFront,
        TargetElevated,
        ClipboardBusy,
        ModifiersHeld,
        TargetLeft
    };
    struct Result {
        Outcome outcome = Outcome::Skipped;
        std::vector<AppCommand> held; // for the main window to run, in order
        std::size_t piecesSent = 0;   // of the item's pieces (text runs and keys), went out whole
        std::size_t pieces = 0;
    };

    // True when the command must not run now: a paste runs and holds or drops it.
    bool Hold(const AppCommand& command);

    // Pastes the library's current item into hTarget (none: the foreground window) for hWnd, the
    // main window, which owns the messages about it.
    Result Run(HWND hWnd, HWND hTarget, const CLibrary& library);
    // The same for any item of the library; none: the "No selected item" message.
    Result Run(HWND hWnd, HWND hTarget, const CPasteItem* item);

    // Whether a paste gives the clipboard back what it held before (the setting).
    void SetRestoreClipboard(bool on) { m_bRestoreClipboard = on; }

private:
    Result PasteItem(HWND hWnd, HWND hTarget, const CPasteItem* item) const;
    static void ReportOutcome(HWND hWnd, const Result& result);

    CHeldCommands m_heldCommands;
    bool m_bRestoreClipboard = true;
};

} // namespace brindlex
