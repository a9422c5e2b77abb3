#include "core/find/CFindQuery.h"

#include <algorithm>

namespace brindlex {

bool IsQuerySpace(char16_t c) {
    switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u00A0':
    case u'\u1680':
    case u'\u2028':
    case u'\u2029':
    case u'\u202F':
    case u'\u205F':
    case u'\u3000':
        return true;
    default:
        return c >= u'\u2000' && c <= u'\u200A';
    }
}

std::vector<std::u16string_view> SplitQueryWords(std::u16string_view text) {
    std::vector<std::u16string_view> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsQuerySpace(text[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !IsQuerySpace(text[pos])) {
            ++pos;
        }
        if (pos > start) {
            words.push_back(text.substr(start, pos - start));
        }
    }
    return words;
}

std::optional<std::string> NarrowCopy(std::u16string_view text) {
    std::string narrow(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] > 0xFF) {
            return std::nullopt;
        }
        narrow[i] = static_cast<char>(text[i]);
    }
    return narrow;
}

CFindQuery::CFindQuery(std::u16string_view text, const CaseFold& fold) {
    for (std::u16string_view word : SplitQueryWords(text)) {
        std::u16string folded = fold(word);
        const bool repeated = std::any_of(m_words.begin(), m_words.end(),
                                          [&folded](const FoldedWord& w) { return w.wide == folded; });
        if (folded.empty() || repeated) {
            continue;
        }
        std::optional<std::string> narrow = NarrowCopy(folded);
        m_words.push_back({std::move(folded), std::move(narrow)});
    }
}

} // namespace brindlex
