#include "win/paste/CPasteCommand.h"

#include "core/paste/PasteText.h"
#include "win/framework/MessageBox.h"
#include "win/paste/CClipboardRestore.h"
#include "win/paste/CPasteTarget.h"
#include "win/paste/CWin32KeyOutput.h"

#include <optional>
#include <string>

namespace brindlex {

namespace {

CPasteCommand::Outcome OutcomeOf(PasteResult result) {
    switch (result) {
    case PasteResult::Done:
        break;
    case PasteResult::ClipboardBusy:
        return CPasteCommand::Outcome::ClipboardBusy;
    case PasteResult::ModifiersHeld:
        return CPasteCommand::Outcome::ModifiersHeld;
    case PasteResult::TargetLeft:
        return CPasteCommand::Outcome::TargetLeft;
    }
    return CPasteCommand::Outcome::Done;
}

CPasteCommand::Result Ended(CPasteCommand::Outcome outcome, std::size_t piecesSent = 0,
                            std::size_t pieces = 0) {
    CPasteCommand::Result result;
    result.outcome = outcome;
    result.piecesSent = piecesSent;
    result.pieces = pieces;
    return result;
}

std::u16string Number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

bool CPasteCommand::Hold(const AppCommand& command) {
    return m_heldCommands.Offer(command);
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
        result = PasteItem(hWnd, hTarget, item);
    } catch (...) {
        m_heldCommands.EndPaste(GetTickCount()); // commands must not stay held for good
        throw;
    }
    result.held = m_heldCommands.EndPaste(GetTickCount());
    ReportOutcome(hWnd, result);
    return result;
}

CPasteCommand::Result CPasteCommand::PasteItem(HWND hWnd, HWND hTarget, const CPasteItem* item) const {
    const CPasteTarget target(hTarget);
    if (hTarget != nullptr) {
        target.BringToFront();
    }
    if (item == nullptr) {
        return Ended(Outcome::NoItem);
    }
    const std::u16string text = item->m_strText;
    if (hTarget != nullptr) {
        switch (target.WaitUntilReady()) {
        case PasteTargetState::Ready:
            break;
        case PasteTargetState::NotInFront:
            return Ended(Outcome::TargetNotInFront);
        case PasteTargetState::Elevated:
            return Ended(Outcome::TargetElevated);
        }
    }
    // With no target chosen the pieces go to the foreground window, often this one, which reads
    // nothing until the paste is over. Either must stay in front for the whole item.
    const HWND hInFront = hTarget != nullptr ? hTarget : GetForegroundWindow();
    CWin32KeyOutput output(hWnd, hInFront);
    const bool targetCannotRead = IsWindowOfThisThread(hInFront);
    if (targetCannotRead) {
        output.SetTargetCannotRead();
    }
    std::optional<CClipboardRestore> restore;
    if (m_bRestoreClipboard && !text.empty()) {
        restore.emplace(output);
    }
    const PasteOutcome pasted = PasteText(output, text);
    if (restore) {
        restore->AfterPaste(pasted.result == PasteResult::Done, targetCannotRead);
    }
    return Ended(OutcomeOf(pasted.result), pasted.piecesSent, pasted.pieces);
}

void CPasteCommand::ReportOutcome(HWND hWnd, const Result& result) {
    const UINT style = MB_OK | MB_ICONEXCLAMATION;
    switch (result.outcome) {
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
    case Outcome::ModifiersHeld:
        ShowMessageBox(hWnd,
                       u"Ctrl, Alt, Shift or a Windows key was still held down, so nothing was pasted.\r\n"
                       u"Please let go of the keys and paste again.",
                       kProgramName, style);
        break;
    case Outcome::TargetLeft:
        ShowMessageBox(hWnd,
                       u"Another window came to the front, so the paste was stopped after " +
                           Number(result.piecesSent) + u" of " + Number(result.pieces) +
                           u" pieces.\r\nNothing after that went to either window.",
                       kProgramName, style);
        break;
    }
}

} // namespace brindlex
