#include "core/find/CFoldedItem.h"

#include "core/find/WordSearch.h"

#include <algorithm>

namespace brindlex {

namespace {

template <typename Char> using View = std::basic_string_view<Char>;

// The word as it is stored in items of this width; nothing when it cannot occur in them.
template <typename Char> std::optional<View<Char>> WordFor(const FoldedWord& word) {
    if constexpr (sizeof(Char) == 1) {
        if (!word.narrow) {
            return std::nullopt;
        }
        return View<Char>(*word.narrow);
    } else {
        return View<Char>(word.wide);
    }
}

template <typename Char> FindMatch MatchIn(View<Char> name, View<Char> text, const CFindQuery& query) {
    bool allInName = true;
    for (const FoldedWord& word : query.Words()) {
        const std::optional<View<Char>> needle = WordFor<Char>(word);
        if (!needle) {
            return FindMatch::None;
        }
        if (FindWord(name, *needle) != View<Char>::npos) {
            continue;
        }
        allInName = false;
        if (FindWord(text, *needle) == View<Char>::npos) {
            return FindMatch::None;
        }
    }
    return allInName ? FindMatch::InName : FindMatch::NameOrText;
}

template <typename Char> std::size_t FirstIn(View<Char> text, const CFindQuery& query) {
    std::size_t first = View<Char>::npos;
    for (const FoldedWord& word : query.Words()) {
        if (const std::optional<View<Char>> needle = WordFor<Char>(word)) {
            // Only the part before the best so far can hold an earlier match.
            const std::size_t limit = first == View<Char>::npos ? text.size() : first + needle->size() - 1;
            first = std::min(first, FindWord(text.substr(0, limit), *needle));
        }
    }
    return first;
}

} // namespace

CFoldedItem::CFoldedItem(std::u16string_view name, std::u16string_view text, const CaseFold& fold) {
    std::u16string foldedName = fold(name);
    std::u16string foldedText = fold(text);
    m_nNameLength = foldedName.size();
    std::string narrow(foldedName.size() + foldedText.size(), '\0');
    const auto fitsAt = [&narrow](std::u16string_view part, std::size_t at) {
        for (const char16_t c : part) {
            narrow[at++] = static_cast<char>(c);
            if (c > 0xFF) {
                return false;
            }
        }
        return true;
    };
    if (fitsAt(foldedName, 0) && fitsAt(foldedText, foldedName.size())) {
        m_folded = std::move(narrow);
    } else {
        m_folded = std::move(foldedName += foldedText);
    }
}

FindMatch CFoldedItem::Match(const CFindQuery& query) const {
    return std::visit(
        [&](const auto& folded) {
            using Char = typename std::decay_t<decltype(folded)>::value_type;
            const View<Char> all(folded);
            return MatchIn<Char>(all.substr(0, m_nNameLength), all.substr(m_nNameLength), query);
        },
        m_folded);
}

std::size_t CFoldedItem::FirstMatchInText(const CFindQuery& query) const {
    return std::visit(
        [&](const auto& folded) {
            using Char = typename std::decay_t<decltype(folded)>::value_type;
            return FirstIn<Char>(View<Char>(folded).substr(m_nNameLength), query);
        },
        m_folded);
}

std::size_t CFoldedItem::TextLength() const {
    return std::visit([this](const auto& folded) { return folded.size() - m_nNameLength; }, m_folded);
}

} // namespace brindlex
