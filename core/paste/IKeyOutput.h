// What the key sender needs of the system: pauses, the clipboard, synthetic key events, the
// state of the keys and whether the paste's window is still in front. The Win32 half
// (CWin32KeyOutput) talks to the real input stream; tests record the calls.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace brindlex {

// Key-event flags, the same values as KEYEVENTF_EXTENDEDKEY and KEYEVENTF_KEYUP.
inline constexpr std::uint32_t kKeyExtended = 1;
inline constexpr std::uint32_t kKeyUp = 2;

struct KeyStroke {
    std::uint8_t vk = 0;
    std::uint32_t flags = 0;
};

class IKeyOutput {
public:
    virtual ~IKeyOutput() = default;

    // Blocks the calling thread.
    virtual void Pause(unsigned milliseconds) = 0;
    // Replaces the clipboard's content with exactly this text; false when it could not be set
    // (the clipboard stayed busy), in which case the old content is still there.
    virtual bool PutClipboardText(std::u16string_view text) = 0;
    // The key-downs and key-ups into the system's input stream as one batch, so that nothing the
    // user types lands between them.
    virtual void SendKeys(std::span<const KeyStroke> keys) = 0;
    // The key is down as far as this thread's key state knows (our own events included).
    virtual bool IsKeyDown(std::uint8_t vk) = 0;
    // The user holds the key down on the keyboard right now.
    virtual bool IsKeyHeldByUser(std::uint8_t vk) = 0;
    // The virtual key that types this character in the current layout, 0 when none does.
    virtual std::uint8_t KeyForCharacter(char16_t ch) = 0;
    // The window the paste is for is still the one in front (or one of its own windows is).
    virtual bool IsTargetInFront() = 0;
};

} // namespace brindlex
