#include "win/paste/CClipboardRestore.h"

#include "win/framework/CClipboardScope.h"

#include <optional>

namespace brindlex {

bool CClipboardRestore::AfterPaste(bool lastRunPasted, bool targetCannotRead) {
    if (targetCannotRead) {
        m_rule.SetTargetCannotRead();
    }
    const auto noteOwnChange = [this] {
        if (const std::optional<DWORD> sequence = m_output.LastOwnClipboardChange()) {
            m_rule.OnOwnChange(*sequence);
        }
    };
    noteOwnChange();
    const auto stillOurs = [this] { return ::GetClipboardOwner() == m_output.ClipboardOwner(); };
    if (!m_snapshot.CanPutBack() || !m_rule.ShouldRestore(::GetClipboardSequenceNumber(), stillOurs())) {
        return false;
    }
    if (lastRunPasted) {
        m_output.WaitForLastRunRead(CClipboardRestoreRule::kUnreadLastRunMs);
        noteOwnChange(); // rendering it for the reader was a change of ours too
    }
    std::optional<CClipboardScope> clipboard;
    CWin32KeyOutput::OpenClipboardPatiently(clipboard, m_output.ClipboardOwner());
    // Asked again with the clipboard open: no one can change it under us now.
    if (!clipboard->IsOpen() || !m_rule.ShouldRestore(::GetClipboardSequenceNumber(), stillOurs()) ||
        !::EmptyClipboard()) {
        return false;
    }
    m_snapshot.PutBack();
    MarkClipboardAsPrivate();
    m_output.NoteOwnClipboardChange();
    return true;
}

} // namespace brindlex
