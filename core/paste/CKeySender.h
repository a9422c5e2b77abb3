// CKeySender: delivers the pieces of one paste into whatever window has the keyboard focus. A
// literal run goes through the clipboard and Shift+Insert, a token becomes key events; each
// piece's key events go out as one batch, and only while the paste's window is still in front.
#pragma once

#include "core/paste/IKeyOutput.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brindlex {

class CKeySender {
public:
    enum class Delivery { Sent, ClipboardBusy, TargetLeft };

    explicit CKeySender(IKeyOutput& output) : m_output(output) {}
    // A paste never ends with a modifier key held by one of its tokens.
    ~CKeySender() { ReleaseHeldModifiers(); }
    CKeySender(const CKeySender&) = delete;
    CKeySender& operator=(const CKeySender&) = delete;

    // Pause 20 ms, put the run on the clipboard, send Shift+Insert. When the clipboard could not
    // be set nothing is sent (the target would paste stale text); when another window has come
    // to the front meanwhile, neither.
    Delivery PasteRun(std::u16string_view text);
    // The key events of the token with this exact text, unless another window has come to the
    // front; unknown text sends nothing.
    Delivery SendToken(std::u16string_view tokenText);
    // The key events of one ControlKeyCode (2..20): a tap, or for [SHIFT] and [CTRL] a key-down
    // that is left down (nothing when the key is down already).
    void SendControlKey(int code);
    // Key-up for every modifier a token of this paste pressed and that is still down, in one batch.
    void ReleaseHeldModifiers();

    static constexpr unsigned kRunPauseMs = 20;

private:
    bool IsHeld(std::uint8_t vk) const;

    IKeyOutput& m_output;
    std::vector<std::uint8_t> m_arrHeld; // pressed by hold tokens, in the order pressed
};

// The keys of the navigation block and the Windows keys: their scan codes carry the E0 prefix,
// which programs that read scan codes (remote desktops, virtual machines) go by.
bool IsExtendedKey(std::uint8_t vk);

} // namespace brindlex
