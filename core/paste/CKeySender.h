// CKeySender: delivers the pieces of one paste into whatever window has the keyboard focus. A
// literal run goes through the clipboard and Shift+Insert, a token becomes key events.
#pragma once

#include "core/paste/IKeyOutput.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brindlex {

class CKeySender {
public:
    explicit CKeySender(IKeyOutput& output) : m_output(output) {}
    // A paste never ends with a modifier key held by one of its tokens.
    ~CKeySender() { ReleaseHeldModifiers(); }
    CKeySender(const CKeySender&) = delete;
    CKeySender& operator=(const CKeySender&) = delete;

    // Pause 20 ms, put the run on the clipboard, send Shift+Insert. When the clipboard could not
    // be set nothing is sent (the target would paste stale text) and the result is false.
    bool PasteRun(std::u16string_view text);
    // The key events of the token with this exact text; unknown text sends nothing.
    void SendToken(std::u16string_view tokenText);
    // The key events of one ControlKeyCode (2..20): a tap, or for [SHIFT] and [CTRL] a key-down
    // that is left down (nothing when the key is down already).
    void SendControlKey(int code);
    // Key-up for every modifier a token of this paste pressed and that is still down. Only this
    // sends a key-up for such a key: the Shift key-up of Shift+Insert is the extended one.
    void ReleaseHeldModifiers();

    static constexpr unsigned kRunPauseMs = 20;

private:
    bool IsHeld(std::uint8_t vk) const;

    IKeyOutput& m_output;
    std::vector<std::uint8_t> m_arrHeld; // pressed by hold tokens, in the order pressed
};

} // namespace brindlex
