// The paste of one item's text into the window that has the keyboard focus.
#pragma once

#include "core/paste/IKeyOutput.h"

#include <cstddef>
#include <string_view>

namespace brindlex {

enum class PasteResult { Done, ClipboardBusy, ModifiersHeld, TargetLeft };

struct PasteOutcome {
    PasteResult result = PasteResult::Done;
    // Pieces are the text runs and the keys of the item (the empty runs between keys, which the
    // user does not see, not counted): how many there are, and how many went out whole.
    std::size_t piecesSent = 0;
    std::size_t pieces = 0;
    bool operator==(const PasteOutcome&) const = default;
};

// Normalises the text, cuts it into runs and tokens and delivers each in text order, once the
// user has let go of the modifier keys (ModifiersHeld, and nothing sent, when they do not in
// time). Stops at the first run whose text could not be put on the clipboard, before that run's
// Shift+Insert (ClipboardBusy), and before the first piece that finds another window in front
// (TargetLeft). Either way no modifier pressed by a token is left down. An empty text sends
// nothing at all.
PasteOutcome PasteText(IKeyOutput& output, std::u16string_view itemText);

// The pieces of a normalised text, counted as PasteOutcome counts them.
std::size_t CountPieces(std::u16string_view normalisedText);

} // namespace brindlex
