// The paste of one item's text into the window that has the keyboard focus.
#pragma once

#include "core/paste/IKeyOutput.h"

#include <string_view>

namespace brindlex {

enum class PasteResult { Done, ClipboardBusy };

// Normalises the text, cuts it into runs and tokens and delivers each in text order. Stops at the
// first run whose text could not be put on the clipboard, before that run's Shift+Insert, and
// returns ClipboardBusy. Either way no modifier pressed by a token is left down. An empty text
// sends nothing at all.
PasteResult PasteText(IKeyOutput& output, std::u16string_view itemText);

} // namespace brindlex
