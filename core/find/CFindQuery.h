// What the user typed into Find, as the words every result must contain: split at white space,
// each folded, and each also in 8 bits when it fits, to be looked for in narrow folded items.
#pragma once

#include "core/find/CaseFold.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindlex {

// Space, tab, line breaks and the Unicode spaces (no-break, ideographic, ...).
bool IsQuerySpace(char16_t c);

// The words of `text` in order, without empty ones.
std::vector<std::u16string_view> SplitQueryWords(std::u16string_view text);

// The 8-bit copy of `text` when every unit is below U+0100, else nothing.
std::optional<std::string> NarrowCopy(std::u16string_view text);

struct FoldedWord {
    std::u16string wide;
    std::optional<std::string> narrow;
};

class CFindQuery {
public:
    CFindQuery() = default;
    CFindQuery(std::u16string_view text, const CaseFold& fold);

    bool IsEmpty() const { return m_words.empty(); }
    // Folded, without repeats, in the order typed.
    const std::vector<FoldedWord>& Words() const { return m_words; }

private:
    std::vector<FoldedWord> m_words;
};

} // namespace brindlex
