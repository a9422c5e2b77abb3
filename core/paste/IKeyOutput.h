// What the key sender needs of the system: pauses, the clipboard and synthetic key events. The
// Win32 half (CWin32KeyOutput) talks to the real input stream; tests record the calls.
#pragma once

#include <cstdint>
#include <string_view>

namespace brindlex {

// Key-event flags, the same values as KEYEVENTF_EXTENDEDKEY and KEYEVENTF_KEYUP.
inline constexpr std::uint32_t kKeyExtended = 1;
inline constexpr std::uint32_t kKeyUp = 2;

class IKeyOutput {
public:
    virtual ~IKeyOutput() = default;

    // Blocks the calling thread.
    virtual void Pause(unsigned milliseconds) = 0;
    // Replaces the clipboard's content with exactly this text; false when it could not be set
    // (the clipboard stayed busy), in which case the old content is still there.
    virtual bool PutClipboardText(std::u16string_view text) = 0;
    // One key-down or key-up into the system's input stream.
    virtual void KeyEvent(std::uint8_t vk, std::uint32_t flags) = 0;
    virtual bool IsKeyDown(std::uint8_t vk) = 0;
    // The virtual key that types this character in the current layout, 0 when none does.
    virtual std::uint8_t KeyForCharacter(char16_t ch) = 0;
};

} // namespace brindlex
