// A paste asked for with a key combination (Ctrl+Enter in Find, a hotkey) starts while the user
// still holds its keys: every key of the paste would reach the target with them (Ctrl+Shift+Insert,
// Ctrl+Enter, which sends a message in many programs). So the first key waits for the hands.
#pragma once

#include "core/paste/IKeyOutput.h"

#include <array>
#include <cstdint>

namespace brindlex {

// Shift, Ctrl, Alt and both Windows keys, as virtual keys.
inline constexpr std::array<std::uint8_t, 5> kPasteModifiers{16, 17, 18, 91, 92};
inline constexpr unsigned kModifierReleaseWaitMs = 2000;
inline constexpr unsigned kModifierPollMs = 10;

// Waits, in the output's pauses, until the user holds none of kPasteModifiers; false when one is
// still held after kModifierReleaseWaitMs.
bool WaitForModifiersReleased(IKeyOutput& output);

} // namespace brindlex
