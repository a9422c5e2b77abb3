#include "win/paste/CPasteCommand.h"

#include "core/paste/PasteText.h"
#include "win/framework/MessageBox.h"
#include "win/paste/CPasteTarget.h"
#include "win/paste/CWin32KeyOutput.h"

namespace brindlex {

bool CPasteCommand::Hold(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_heldCommands.IsPasting() && m_heldCommands.Offer({message, static_cast<std::uintptr_t>(wParam),
                                                               static_cast<std::intptr_t>(lParam)});
}

CPasteCommand::Result CPasteCommand::Run(HWND hWnd, HWND hTarget, const CLibrary& library) {
    return Run(hWnd, hTarget, library.CurrentItem());
}

CPasteCommand::Result CPasteCommand::Run(HWND hWnd, HWND hTarget, const CPasteItem* item) {
    // A click made while the last paste ran has waited in the queue until now: that paste has
    // delivered the item already. (A Paste sent by another thread is not such a click.)
    if (!InSendMessage() && m_heldCommands.CameDuringLastPaste(static_cast<unsigned>(GetMessageTime()))) {
        return {};
    }
    m_heldCommands.BeginPaste(GetTickCount());
    Result result;
    try {
        result.outcome = PasteItem(hWnd, hTarget, item);
    } catch (...) {
        m_heldCommands.EndPaste(GetTickCount()); // commands must not stay held for good
        throw;
    }
    result.held = m_heldCommands.EndPaste(GetTickCount());
    ReportOutcome(hWnd, result.outcome);
    return result;
}

CPasteCommand::Outcome CPasteCommand::PasteItem(HWND hWnd, HWND hTarget, const CPasteItem* item) {
    const CPasteTarget target(hTarget);
    if (hTarget != nullptr) {
        target.BringToFront();
    }
    if (item == nullptr) {
        return Outcome::NoItem;
    }
    const std::u16string text = item->m_strText;
    if (hTarget != nullptr) {
        switch (target.WaitUntilReady()) {
        case PasteTargetState::Ready:
            break;
        case PasteTargetState::NotInFront:
            return Outcome::TargetNotInFront;
        case PasteTargetState::Elevated:
            return Outcome::TargetElevated;
        }
    }
    CWin32KeyOutput output(hWnd);
    // With no target chosen the pieces go to the foreground window, often this one, which reads
    // nothing until the paste is over.
    if (IsWindowOfThisThread(hTarget != nullptr ? hTarget : GetForegroundWindow())) {
        output.SetTargetCannotRead();
    }
    return PasteText(output, text) == PasteResult::Done ? Outcome::Done : Outcome::ClipboardBusy;
}

void CPasteCommand::ReportOutcome(HWND hWnd, Outcome outcome) {
    const UINT style = MB_OK | MB_ICONEXCLAMATION;
    switch (outcome) {
    case Outcome::Skipped:
    case Outcome::Done:
        break;
    case Outcome::NoItem:
        ShowMessageBox(hWnd, u"Selected any item or add new one.", u"No selected item", MB_ICONEXCLAMATION);
        break;
    case Outcome::TargetNotInFront:
        ShowMessageBox(hWnd,
                       u"The target window could not be brought to the front, so nothing was pasted.\r\n"
                       u"It may have been closed: please choose it again.",
                       kProgramName, style);
        break;
    case Outcome::TargetElevated:
        ShowMessageBox(hWnd,
                       u"The target window belongs to a program that runs as administrator, so nothing was "
                       u"pasted.\r\nWindows does not let Brindlex type into such a program.",
                       kProgramName, style);
        break;
    case Outcome::ClipboardBusy:
        ShowMessageBox(hWnd,
                       u"The clipboard is in use by another program, so the paste was stopped.\r\n"
                       u"Please try again in a moment.",
                       kProgramName, style);
        break;
    }
}

} // namespace brindlex
