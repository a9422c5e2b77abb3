#include "paste/Segmentation.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace brindlex {

namespace {

constexpr std::u16string_view TokenTypedBy(char16_t ch) {
    for (const ControlKey& key : kControlKeys) {
        if (key.layoutChar == ch) {
            return key.text;
        }
    }
    return {};
}

constexpr std::u16string_view kEnterToken = TokenTypedBy(u'\r');
constexpr std::u16string_view kTabToken = TokenTypedBy(u'\t');
static_assert(kEnterToken == u"[ENTER]" && kTabToken == u"[TAB]");

// The matcher below relies on the shape of the tokens: '[', upper-case letters, ']'.
constexpr bool AllTokensAreBracketedCapitals() {
    for (const ControlKey& key : kControlKeys) {
        if (key.text.size() < 3 || key.text.front() != u'[' || key.text.back() != u']') {
            return false;
        }
        for (std::size_t i = 1; i + 1 < key.text.size(); ++i) {
            if (key.text[i] < u'A' || key.text[i] > u'Z') {
                return false;
            }
        }
    }
    return true;
}
static_assert(AllTokensAreBracketedCapitals());

constexpr std::size_t kShortestToken = [] {
    std::size_t n = kControlKeys[0].text.size();
    for (const ControlKey& key : kControlKeys) {
        n = std::min(n, key.text.size());
    }
    return n;
}();

// For each letter after the '[', the tokens that start with it, in table order (-1 ends a list).
constexpr int kMaxPerLetter = 4;
constexpr auto kTokensByLetter = [] {
    std::array<std::array<std::int8_t, kMaxPerLetter>, 26> table{};
    for (auto& slots : table) {
        slots.fill(-1);
    }
    for (int i = 0; i < kControlKeyCount; ++i) {
        auto& slots =
            table[static_cast<std::size_t>(kControlKeys[static_cast<std::size_t>(i)].text[1] - u'A')];
        std::size_t free = 0;
        while (slots[free] >= 0) {
            ++free; // more than kMaxPerLetter tokens on one letter would not compile
        }
        slots[free] = static_cast<std::int8_t>(i);
    }
    return table;
}();

const ControlKey* MatchAt(const char16_t* p, const char16_t* end) {
    if (end - p < static_cast<std::ptrdiff_t>(kShortestToken)) {
        return nullptr;
    }
    const char16_t letter = p[1];
    if (letter < u'A' || letter > u'Z') {
        return nullptr;
    }
    for (std::int8_t index : kTokensByLetter[static_cast<std::size_t>(letter - u'A')]) {
        if (index < 0) {
            break;
        }
        const std::u16string_view token = kControlKeys[static_cast<std::size_t>(index)].text;
        if (static_cast<std::size_t>(end - p) >= token.size() && std::equal(token.begin(), token.end(), p)) {
            return &kControlKeys[static_cast<std::size_t>(index)];
        }
    }
    return nullptr;
}

} // namespace

std::u16string NormaliseText(std::u16string_view text) {
    std::size_t carriageReturns = 0;
    std::size_t tabs = 0;
    for (char16_t c : text) {
        carriageReturns += c == u'\r' ? 1 : 0;
        tabs += c == u'\t' ? 1 : 0;
    }
    if (carriageReturns == 0 && tabs == 0) {
        return std::u16string(text);
    }
    std::u16string out;
    out.reserve(text.size() + carriageReturns * (kEnterToken.size() - 1) + tabs * (kTabToken.size() - 1));
    const char16_t* chunk = text.data();
    const char16_t* const end = text.data() + text.size();
    for (const char16_t* p = chunk; p != end; ++p) {
        if (*p <= u'\r' && (*p == u'\r' || *p == u'\t')) {
            out.append(chunk, static_cast<std::size_t>(p - chunk));
            out.append(*p == u'\r' ? kEnterToken : kTabToken);
            chunk = p + 1;
        }
    }
    out.append(chunk, static_cast<std::size_t>(end - chunk));
    return out;
}

const ControlKey* MatchControlKey(std::u16string_view text, std::size_t pos) {
    if (pos >= text.size() || text[pos] != u'[') {
        return nullptr;
    }
    return MatchAt(text.data() + pos, text.data() + text.size());
}

std::size_t FindNextControlKey(std::u16string_view text, std::size_t from, const ControlKey*& key) {
    const char16_t* const begin = text.data();
    const char16_t* const end = begin + text.size();
    for (const char16_t* p = begin + std::min(from, text.size()); p != end; ++p) {
        if (*p == u'[') {
            if (const ControlKey* match = MatchAt(p, end)) {
                key = match;
                return static_cast<std::size_t>(p - begin);
            }
        }
    }
    key = nullptr;
    return std::u16string_view::npos;
}

const ControlKey* ControlKeyByText(std::u16string_view tokenText) {
    for (const ControlKey& key : kControlKeys) {
        if (key.text == tokenText) {
            return &key;
        }
    }
    return nullptr;
}

const ControlKey* ControlKeyByCode(int code) {
    for (const ControlKey& key : kControlKeys) {
        if (key.code == code) {
            return &key;
        }
    }
    return nullptr;
}

} // namespace brindlex
