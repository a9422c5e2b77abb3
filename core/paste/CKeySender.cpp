#include "core/paste/CKeySender.h"

#include "core/paste/ControlKeys.h"
#include "core/paste/Segmentation.h"

#include <algorithm>
#include <array>

namespace brindlex {

namespace {
constexpr std::uint8_t kVkShift = 16;
constexpr std::uint8_t kVkInsert = 45;
} // namespace

bool IsExtendedKey(std::uint8_t vk) {
    // Page Up to Down (33..40), Insert, Delete, left and right Windows key.
    return (vk >= 33 && vk <= 40) || vk == 45 || vk == 46 || vk == 91 || vk == 92;
}

CKeySender::Delivery CKeySender::PasteRun(std::u16string_view text) {
    m_output.Pause(kRunPauseMs);
    if (!m_output.PutClipboardText(text)) {
        return Delivery::ClipboardBusy;
    }
    if (!m_output.IsTargetInFront()) {
        return Delivery::TargetLeft;
    }
    // Shift held by a [SHIFT] of this paste stays down: its own Shift up would let go of it.
    if (IsHeld(kVkShift)) {
        const std::array<KeyStroke, 2> insert{
            {{kVkInsert, kKeyExtended}, {kVkInsert, kKeyExtended | kKeyUp}}};
        m_output.SendKeys(insert);
    } else {
        const std::array<KeyStroke, 4> shiftInsert{{{kVkShift, 0},
                                                    {kVkInsert, kKeyExtended},
                                                    {kVkInsert, kKeyExtended | kKeyUp},
                                                    {kVkShift, kKeyUp}}};
        m_output.SendKeys(shiftInsert);
    }
    return Delivery::Sent;
}

CKeySender::Delivery CKeySender::SendToken(std::u16string_view tokenText) {
    const ControlKey* key = ControlKeyByText(tokenText);
    if (key == nullptr) {
        return Delivery::Sent;
    }
    if (!m_output.IsTargetInFront()) {
        return Delivery::TargetLeft;
    }
    SendControlKey(key->code);
    return Delivery::Sent;
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
    const std::uint32_t extended = IsExtendedKey(vk) ? kKeyExtended : 0;
    if (key->delivery == KeyDelivery::Tap) {
        const std::array<KeyStroke, 2> tap{{{vk, extended}, {vk, extended | kKeyUp}}};
        m_output.SendKeys(tap);
        return;
    }
    // Our own key-down counts as down even before the system's key state has caught up with it.
    if (IsHeld(vk) || m_output.IsKeyDown(vk)) {
        return;
    }
    const KeyStroke down{vk, extended};
    m_output.SendKeys({&down, 1});
    m_arrHeld.push_back(vk);
}

void CKeySender::ReleaseHeldModifiers() {
    // Our own record says what is still down: the system's key state of this thread does not
    // follow input that goes to another program's window.
    if (m_arrHeld.empty()) {
        return;
    }
    std::vector<KeyStroke> ups;
    for (auto it = m_arrHeld.rbegin(); it != m_arrHeld.rend(); ++it) {
        ups.push_back({*it, kKeyUp});
    }
    m_arrHeld.clear();
    m_output.SendKeys(ups);
}

bool CKeySender::IsHeld(std::uint8_t vk) const {
    return std::find(m_arrHeld.begin(), m_arrHeld.end(), vk) != m_arrHeld.end();
}

} // namespace brindlex
