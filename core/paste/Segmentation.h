// Item text to pieces: normalisation (line breaks and tabs become their tokens) and the cut into
// literal runs and control-key tokens, in text order. Both are linear in the length of the text.
#pragma once

#include "core/paste/ControlKeys.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace brindlex {

// A copy of the text with every CR replaced by "[ENTER]" and every tab by "[TAB]". A CR LF pair
// is one line break: it becomes one "[ENTER]" and its LF is dropped, since a target that takes
// LF as a line break would otherwise get two. A lone LF stays where it is.
std::u16string NormaliseText(std::u16string_view text);

// The token whose text starts at text[pos], or nullptr. Exact and case-sensitive.
const ControlKey* MatchControlKey(std::u16string_view text, std::size_t pos);

// The first token at or after `from`: its position, with `key` set; npos when there is none.
std::size_t FindNextControlKey(std::u16string_view text, std::size_t from, const ControlKey*& key);

// The entry of the table with this exact text, or nullptr.
const ControlKey* ControlKeyByText(std::u16string_view tokenText);
// The entry with this ControlKeyCode (2..20), or nullptr.
const ControlKey* ControlKeyByCode(int code);

// Hands each literal run (a view into `text`, possibly empty) to onRun and each token to
// onToken, in text order and as they are found. The run before a token is always handed on,
// even when empty; an empty final run is not. Either callback returns false to stop at once.
// Returns true when the whole text was handed on.
template <typename OnRun, typename OnToken>
bool SegmentText(std::u16string_view text, OnRun&& onRun, OnToken&& onToken) {
    std::size_t start = 0;
    const ControlKey* key = nullptr;
    for (std::size_t pos; (pos = FindNextControlKey(text, start, key)) != std::u16string_view::npos;) {
        if (!onRun(text.substr(start, pos - start))) {
            return false;
        }
        if (!onToken(*key)) {
            return false;
        }
        start = pos + key->text.size();
    }
    if (start < text.size()) {
        return onRun(text.substr(start));
    }
    return true;
}

} // namespace brindlex
