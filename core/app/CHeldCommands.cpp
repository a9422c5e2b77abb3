#include "core/app/CHeldCommands.h"

#include "core/app/CommandIds.h"

#include <algorithm>
#include <utility>

namespace brindlex {

namespace {

constexpr unsigned kClicked = 0;        // BN_CLICKED, and a menu entry
constexpr unsigned kSelectionOrKey = 1; // an accelerator, CBN_SELCHANGE, LBN_SELCHANGE

bool IsPrivateCommand(unsigned message) {
    switch (message) {
    case WM_TRAY_CALLBACK:
    case WM_SHOW_SETTINGS:
    case WM_SETTINGS_CLOSED:
    case WM_SHOW_ABOUT:
    case WM_ABOUT_CLOSED:
    case WM_EDIT_ITEM:
    case WM_EDITOR_CLOSED:
    case WM_EXIT_APP:
    case WM_SHOW_FIND:
    case WM_FIND_CLOSED:
    case WM_FIND_CHOOSE:
        return true;
    default:
        return false;
    }
}

// Elapsed-time comparison that survives the tick count's wrap-around.
bool NotBefore(unsigned time, unsigned reference) {
    return static_cast<std::int32_t>(time - reference) >= 0;
}

} // namespace

DuringPaste HandlingDuringPaste(unsigned message, std::uintptr_t wParam, unsigned taskbarCreatedMessage) {
    if (message == kWmCommand) {
        const unsigned id = static_cast<unsigned>(wParam & 0xFFFF);
        const unsigned code = static_cast<unsigned>((wParam >> 16) & 0xFFFF);
        if (id == static_cast<unsigned>(IDC_PASTE) && code == kClicked) {
            return DuringPaste::Drop;
        }
        return code == kClicked || code == kSelectionOrKey ? DuringPaste::Hold : DuringPaste::Run;
    }
    if (message == WM_FIND_PASTE) {
        return DuringPaste::Drop; // Find's Paste is a second Paste too
    }
    if (message == kWmSysCommand || message == kWmHotkey || IsPrivateCommand(message) ||
        (message == taskbarCreatedMessage && message != 0)) {
        return DuringPaste::Hold;
    }
    return DuringPaste::Run;
}

void CHeldCommands::BeginPaste(unsigned now) {
    m_bPasting = true;
    m_nStart = now;
    m_arrHeld.clear();
}

std::vector<HeldMessage> CHeldCommands::EndPaste(unsigned now) {
    m_bPasting = false;
    m_bHavePasted = true;
    m_nEnd = now;
    return std::exchange(m_arrHeld, {});
}

bool CHeldCommands::Offer(const HeldMessage& message) {
    if (!m_bPasting) {
        return false;
    }
    switch (HandlingDuringPaste(message.message, message.wParam, m_nTaskbarCreated)) {
    case DuringPaste::Run:
        return false;
    case DuringPaste::Hold:
        if (m_arrHeld.size() < kMaxHeld &&
            std::find(m_arrHeld.begin(), m_arrHeld.end(), message) == m_arrHeld.end()) {
            m_arrHeld.push_back(message);
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
