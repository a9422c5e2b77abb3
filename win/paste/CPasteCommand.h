// The Paste command of the main window: brings the chosen target forward, pastes the current item
// into it and tells the user what kept it from going through. The commands that come to the main
// window meanwhile are held, and handed back to it once the paste is over.
#pragma once

#include "core/app/CHeldCommands.h"
#include "core/library/CLibrary.h"
#include "win/framework/Win32.h"

#include <vector>

namespace brindlex {

class CPasteCommand {
public:
    enum class Outcome { Skipped, Done, NoItem, TargetNotInFront, TargetElevated, ClipboardBusy };
    struct Result {
        Outcome outcome = Outcome::Skipped;
        std::vector<HeldMessage> held; // to be sent to the main window, in order
    };

    explicit CPasteCommand(unsigned taskbarCreatedMessage) : m_heldCommands(taskbarCreatedMessage) {}

    // True when the message to the main window must not run now: a paste runs and holds it.
    bool Hold(UINT message, WPARAM wParam, LPARAM lParam);

    // Pastes the library's current item into hTarget (none: the foreground window) for hWnd, the
    // main window, which owns the messages about it.
    Result Run(HWND hWnd, HWND hTarget, const CLibrary& library);
    // The same for `item`, which need not be the current one (null: "No selected item").
    Result Run(HWND hWnd, HWND hTarget, const CPasteItem* item);

private:
    Outcome PasteItem(HWND hWnd, HWND hTarget, const CPasteItem* item);
    static void ReportOutcome(HWND hWnd, Outcome outcome);

    CHeldCommands m_heldCommands;
};

} // namespace brindlex
