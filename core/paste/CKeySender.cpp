#include "core/paste/CKeySender.h"

#include "core/paste/ControlKeys.h"
#include "core/paste/Segmentation.h"

#include <algorithm>

namespace brindlex {

namespace {
constexpr std::uint8_t kVkShift = 16;
constexpr std::uint8_t kVkInsert = 45;
} // namespace

bool CKeySender::PasteRun(std::u16string_view text) {
    m_output.Pause(kRunPauseMs);
    if (!m_output.PutClipboardText(text)) {
        return false;
    }
    m_output.KeyEvent(kVkShift, kKeyExtended);
    m_output.KeyEvent(kVkInsert, kKeyExtended);
    m_output.KeyEvent(kVkInsert, kKeyExtended | kKeyUp);
    m_output.KeyEvent(kVkShift, kKeyExtended | kKeyUp);
    // That Shift key-up carries the extended flag and a held [SHIFT] does not: whether it also
    // lets go of the held key depends on the system (Wine takes it for the right Shift key), so
    // the held one still gets its own key-up when the paste ends.
    return true;
}

void CKeySender::SendToken(std::u16string_view tokenText) {
    if (const ControlKey* key = ControlKeyByText(tokenText)) {
        SendControlKey(key->code);
    }
}

void CKeySender::SendControlKey(int code) {
    const ControlKey* key = ControlKeyByCode(code);
    if (key == nullptr) {
        return;
    }
    std::uint8_t vk = key->vk;
    if (key->layoutChar != 0) {
        // Asked at the moment of sending; a layout without such a key keeps the usual one.
        const std::uint8_t fromLayout = m_output.KeyForCharacter(key->layoutChar);
        if (fromLayout != 0 && fromLayout != 0xFF) {
            vk = fromLayout;
        }
    }
    if (key->delivery == KeyDelivery::Tap) {
        m_output.KeyEvent(vk, 0);
        m_output.KeyEvent(vk, kKeyUp);
        return;
    }
    // Our own key-down counts as down even before the system's key state has caught up with it.
    if (IsHeld(vk) || m_output.IsKeyDown(vk)) {
        return;
    }
    m_output.KeyEvent(vk, 0);
    m_arrHeld.push_back(vk);
}

void CKeySender::ReleaseHeldModifiers() {
    // Our own record says what is still down: the system's key state of this thread does not
    // follow input that goes to another program's window.
    while (!m_arrHeld.empty()) {
        const std::uint8_t vk = m_arrHeld.back();
        m_arrHeld.pop_back();
        m_output.KeyEvent(vk, kKeyUp);
    }
}

bool CKeySender::IsHeld(std::uint8_t vk) const {
    return std::find(m_arrHeld.begin(), m_arrHeld.end(), vk) != m_arrHeld.end();
}

} // namespace brindlex
