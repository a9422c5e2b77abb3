#include "core/find/FindExcerpt.h"

#include <algorithm>

namespace brindlex {

namespace {

// Shown as a space; a run of them as one.
bool IsBlank(char16_t c) {
    return c <= u' ' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Walks the text as shown: a run of blanks is one character and a surrogate pair is one.
class CShownText {
public:
    explicit CShownText(std::u16string_view text) : m_text(text) {}

    std::size_t Next(std::size_t pos) const {
        if (IsBlank(m_text[pos])) {
            while (pos < m_text.size() && IsBlank(m_text[pos])) {
                ++pos;
            }
            return pos;
        }
        const bool pair =
            IsHighSurrogate(m_text[pos]) && pos + 1 < m_text.size() && IsLowSurrogate(m_text[pos + 1]);
        return pos + (pair ? 2 : 1);
    }

    std::size_t Previous(std::size_t pos) const {
        if (IsBlank(m_text[pos - 1])) {
            while (pos > 0 && IsBlank(m_text[pos - 1])) {
                --pos;
            }
            return pos;
        }
        const bool pair = pos >= 2 && IsLowSurrogate(m_text[pos - 1]) && IsHighSurrogate(m_text[pos - 2]);
        return pos - (pair ? 2 : 1);
    }

    // How many shown characters follow `pos`, counting at most `limit`.
    std::size_t CountFrom(std::size_t pos, std::size_t limit) const {
        std::size_t count = 0;
        for (; pos < m_text.size() && count < limit; pos = Next(pos)) {
            ++count;
        }
        return count;
    }

    // Where the text starts `count` shown characters before `pos` (or 0).
    std::size_t Back(std::size_t pos, std::size_t count) const {
        for (; pos > 0 && count > 0; --count) {
            pos = Previous(pos);
        }
        return pos;
    }

    bool OnlyBlanksBefore(std::size_t pos) const {
        return std::all_of(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(pos), IsBlank);
    }

    bool OnlyBlanksFrom(std::size_t pos) const {
        return std::all_of(m_text.begin() + static_cast<std::ptrdiff_t>(pos), m_text.end(), IsBlank);
    }

private:
    std::u16string_view m_text;
};

} // namespace

std::u16string FindExcerpt(std::u16string_view text, std::size_t match) {
    match = std::min(match, text.size());
    if (match > 0 && match < text.size() && IsLowSurrogate(text[match]) && IsHighSurrogate(text[match - 1])) {
        --match;
    }
    const CShownText shown(text);
    // As much before the match as the lead allows, more when the text ends soon after it.
    const std::size_t after = shown.CountFrom(match, kExcerptLength - kExcerptLead);
    std::size_t pos = shown.Back(match, kExcerptLength - after);

    std::u16string excerpt;
    if (!shown.OnlyBlanksBefore(pos)) {
        excerpt += kEllipsis;
    }
    for (std::size_t count = 0; pos < text.size() && count < kExcerptLength; ++count) {
        const std::size_t next = shown.Next(pos);
        if (IsBlank(text[pos])) {
            // A blank at either end of the excerpt would only widen it.
            if (!excerpt.empty() && excerpt.back() != kEllipsis && !shown.OnlyBlanksFrom(next)) {
                excerpt += u' ';
            }
        } else {
            excerpt.append(text.substr(pos, next - pos));
        }
        pos = next;
    }
    if (!shown.OnlyBlanksFrom(pos)) {
        if (!excerpt.empty() && excerpt.back() == u' ') {
            excerpt.pop_back();
        }
        excerpt += kEllipsis;
    }
    return excerpt;
}

std::size_t OriginalPosition(std::size_t folded, std::size_t foldedLength, std::size_t originalLength) {
    if (foldedLength == originalLength || foldedLength == 0) {
        return std::min(folded, originalLength);
    }
    const double share =
        static_cast<double>(std::min(folded, foldedLength)) / static_cast<double>(foldedLength);
    return std::min(originalLength, static_cast<std::size_t>(share * static_cast<double>(originalLength)));
}

} // namespace brindlex
