// The one-line part of an item's text that a Find result shows: a fixed budget of characters
// around the first match, line breaks, tabs and other control characters shown as one space
// per run, and an ellipsis wherever the text was cut. Tokens such as "[TAB]" stand as typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brindlex {

inline constexpr std::size_t kExcerptLength = 80; // shown characters, not counting ellipses
inline constexpr std::size_t kExcerptLead = 20;   // of them before the match, when there is more after
inline constexpr char16_t kEllipsis = u'\u2026';

// `match` is where the first match starts in `text` (0 when it is only in the name); a value
// past the end is taken as the end.
std::u16string FindExcerpt(std::u16string_view text, std::size_t match);

// A position in a folded copy of `originalLength` units that came out `foldedLength` long, taken
// back to the original: the same where the fold kept the length, proportional where it did not.
std::size_t OriginalPosition(std::size_t folded, std::size_t foldedLength, std::size_t originalLength);

} // namespace brindlex
