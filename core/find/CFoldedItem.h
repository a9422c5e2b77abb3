// One item's name and text as Find searches them: folded once, kept together in one buffer, and
// in 8 bits when every folded unit fits (most Latin libraries), which halves both the memory and
// the bytes each keystroke reads.
#pragma once

#include "core/find/CaseFold.h"
#include "core/find/CFindQuery.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace brindlex {

enum class FindMatch {
    None,       // some word is neither in the name nor in the text
    InName,     // every word is in the name
    NameOrText, // every word is in the name or in the text, not all in the name
};

class CFoldedItem {
public:
    CFoldedItem() = default;
    CFoldedItem(std::u16string_view name, std::u16string_view text, const CaseFold& fold);

    // An empty query is InName: there is no word that is missing.
    FindMatch Match(const CFindQuery& query) const;
    // Where the earliest word starts in the folded text; npos when none is there.
    std::size_t FirstMatchInText(const CFindQuery& query) const;
    std::size_t TextLength() const;

private:
    std::variant<std::string, std::u16string> m_folded; // the name, then the text
    std::size_t m_nNameLength = 0;
};

} // namespace brindlex
