// Where a folded word first occurs in a folded text, in 8-bit or 16-bit units. Find runs this
// over every item at each keystroke, so it looks at 16 bytes of candidate starts at a time.
#pragma once

#include <cstddef>
#include <string_view>

namespace brindlex {

// The first position where `word` starts in `text`; npos when it does not occur. An empty word
// is at 0.
std::size_t FindWord(std::string_view text, std::string_view word);
std::size_t FindWord(std::u16string_view text, std::u16string_view word);

} // namespace brindlex
