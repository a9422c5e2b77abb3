#include "core/app/CHeldCommands.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace brindlex {

namespace {

// Elapsed-time comparison that survives the tick count's wrap-around.
bool NotBefore(unsigned time, unsigned reference) {
    return static_cast<std::int32_t>(time - reference) >= 0;
}

} // namespace

DuringPaste HandlingDuringPaste(CommandKind kind) {
    switch (kind) {
    case CommandKind::Paste:
    case CommandKind::PasteFound: // Find's Paste is a second Paste too
        return DuringPaste::Drop;
    case CommandKind::PasteQuickItem:
    case CommandKind::QuickPasteClosed:
    case CommandKind::QuickPasteDeactivated:
        return DuringPaste::Run;
    default:
        return DuringPaste::Hold;
    }
}

void CHeldCommands::BeginPaste(unsigned now) {
    m_bPasting = true;
    m_nStart = now;
    m_arrHeld.clear();
}

std::vector<AppCommand> CHeldCommands::EndPaste(unsigned now) {
    m_bPasting = false;
    m_bHavePasted = true;
    m_nEnd = now;
    return std::exchange(m_arrHeld, {});
}

bool CHeldCommands::Offer(const AppCommand& command) {
    if (!m_bPasting) {
        return false;
    }
    switch (HandlingDuringPaste(command.kind)) {
    case DuringPaste::Run:
        return false;
    case DuringPaste::Hold:
        if (m_arrHeld.size() < kMaxHeld &&
            std::find(m_arrHeld.begin(), m_arrHeld.end(), command) == m_arrHeld.end()) {
            m_arrHeld.push_back(command);
        }
        return true;
    case DuringPaste::Drop:
        break;
    }
    return true;
}

bool CHeldCommands::CameDuringLastPaste(unsigned messageTime) const {
    return m_bHavePasted && NotBefore(messageTime, m_nStart) && !NotBefore(messageTime, m_nEnd);
}

} // namespace brindlex
