#include "core/paste/ModifierRelease.h"

#include <algorithm>

namespace brindlex {

namespace {

bool AnyModifierHeld(IKeyOutput& output) {
    return std::any_of(kPasteModifiers.begin(), kPasteModifiers.end(),
                       [&output](std::uint8_t vk) { return output.IsKeyHeldByUser(vk); });
}

} // namespace

bool WaitForModifiersReleased(IKeyOutput& output) {
    for (unsigned waited = 0; AnyModifierHeld(output); waited += kModifierPollMs) {
        if (waited >= kModifierReleaseWaitMs) {
            return false;
        }
        output.Pause(kModifierPollMs);
    }
    return true;
}

} // namespace brindlex
