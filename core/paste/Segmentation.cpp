#include "core/paste/Segmentation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>

namespace brindlex {

#define BRINDLEX_SSE2 1
#endif

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

#ifdef BRINDLEX_SSE2
// Item texts can be long (pasted documents), so the scans below look at 16 units at a time: one
// bit per unit that is one of the characters looked for.
constexpr std::ptrdiff_t kBlock = 16;

inline unsigned BlockMask(const char16_t* p, __m128i a, __m128i b) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
    const __m128i hitLo = _mm_or_si128(_mm_cmpeq_epi16(lo, a), _mm_cmpeq_epi16(lo, b));
    const __m128i hitHi = _mm_or_si128(_mm_cmpeq_epi16(hi, a), _mm_cmpeq_epi16(hi, b));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(hitLo, hitHi)));
}

// Four blocks: one branch per 64 units decides whether there is anything to look at.
constexpr std::ptrdiff_t kGroup = 4 * kBlock;

inline std::uint64_t GroupMask(const char16_t* p, __m128i a, __m128i b) {
    return std::uint64_t{BlockMask(p, a, b)} | std::uint64_t{BlockMask(p + kBlock, a, b)} << 16 |
           std::uint64_t{BlockMask(p + 2 * kBlock, a, b)} << 32 |
           std::uint64_t{BlockMask(p + 3 * kBlock, a, b)} << 48;
}

// Each token text as bytes with a mask of its length, so that one candidate is one compare.
struct PackedToken {
    std::array<std::uint8_t, 16> bytes;
    unsigned lengthMask;
};
constexpr auto kPackedTokens = [] {
    std::array<PackedToken, kControlKeyCount> packed{};
    for (std::size_t i = 0; i < packed.size(); ++i) {
        const std::u16string_view text = kControlKeys[i].text;
        for (std::size_t j = 0; j < text.size(); ++j) {
            packed[i].bytes[j] = static_cast<std::uint8_t>(text[j]);
        }
        packed[i].lengthMask = (1u << text.size()) - 1;
    }
    return packed;
}();
static_assert(std::all_of(kControlKeys.begin(), kControlKeys.end(),
                          [](const ControlKey& key) { return key.text.size() <= 16; }));

// A bracketed word is told apart by its first two letters and its length, so that one compare
// settles whether it is a token. The table is checked for collisions when it is built.
constexpr std::size_t kHashSize = 32;
constexpr std::size_t TokenHash(char16_t first, char16_t second, std::size_t length) {
    return (static_cast<std::size_t>(first) * 4 + second + length * 9) % kHashSize;
}
constexpr auto kTokenByHash = [] {
    std::array<std::int8_t, kHashSize> table{};
    table.fill(-1);
    for (std::size_t i = 0; i < kControlKeys.size(); ++i) {
        const std::u16string_view text = kControlKeys[i].text;
        std::int8_t& slot = table[TokenHash(text[1], text[2], text.size())];
        if (slot >= 0) {
            throw "two tokens share a hash slot"; // stops the constant evaluation
        }
        slot = static_cast<std::int8_t>(i);
    }
    return table;
}();
#endif

const ControlKey* MatchAt(const char16_t* p, const char16_t* end) {
    const std::ptrdiff_t available = end - p;
    if (available < static_cast<std::ptrdiff_t>(kShortestToken)) {
        return nullptr;
    }
    const char16_t letter = p[1];
    if (letter < u'A' || letter > u'Z') {
        return nullptr;
    }
    const auto& candidates = kTokensByLetter[static_cast<std::size_t>(letter - u'A')];
#ifdef BRINDLEX_SSE2
    if (available >= kBlock) {
        // Units above 0xFF saturate to 0x00 or 0xFF, neither of which is in a token.
        const __m128i bytes = _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                                               _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)));
        const auto closing = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(']')))));
        if (closing == 0) {
            return nullptr;
        }
        const std::int8_t index =
            kTokenByHash[TokenHash(p[1], p[2], static_cast<std::size_t>(std::countr_zero(closing)) + 1)];
        if (index < 0) {
            return nullptr;
        }
        const PackedToken& token = kPackedTokens[static_cast<std::size_t>(index)];
        const __m128i expected = _mm_loadu_si128(reinterpret_cast<const __m128i*>(token.bytes.data()));
        const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, expected)));
        return (equal & token.lengthMask) == token.lengthMask ? &kControlKeys[static_cast<std::size_t>(index)]
                                                              : nullptr;
    }
#endif
    for (std::int8_t index : candidates) {
        if (index < 0) {
            break;
        }
        const std::u16string_view token = kControlKeys[static_cast<std::size_t>(index)].text;
        if (static_cast<std::size_t>(available) >= token.size() &&
            std::equal(token.begin(), token.end(), p)) {
            return &kControlKeys[static_cast<std::size_t>(index)];
        }
    }
    return nullptr;
}

#ifdef BRINDLEX_SSE2
inline std::size_t SumLanes(__m128i counts) {
    alignas(16) std::uint16_t lanes[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), counts);
    std::size_t sum = 0;
    for (std::uint16_t lane : lanes) {
        sum += lane;
    }
    return sum;
}
#endif

// Units the tokens add over the CRs and tabs they replace, for sizing the normalised copy once.
std::size_t ExtraUnitsForTokens(const char16_t* p, const char16_t* end) {
    std::size_t cr = 0;
    std::size_t tab = 0;
#ifdef BRINDLEX_SSE2
    const __m128i vCr = _mm_set1_epi16(u'\r');
    const __m128i vTab = _mm_set1_epi16(u'\t');
    // Per-lane counters (a match compares as -1); each gains at most 2 per step, so they are
    // emptied well before a 16-bit lane could overflow.
    constexpr std::ptrdiff_t kStepsPerFlush = 16384;
    while (end - p >= kBlock) {
        __m128i crCounts = _mm_setzero_si128();
        __m128i tabCounts = _mm_setzero_si128();
        for (std::ptrdiff_t step = 0; step < kStepsPerFlush && end - p >= kBlock; ++step, p += kBlock) {
            const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
            crCounts = _mm_sub_epi16(crCounts, _mm_cmpeq_epi16(lo, vCr));
            crCounts = _mm_sub_epi16(crCounts, _mm_cmpeq_epi16(hi, vCr));
            tabCounts = _mm_sub_epi16(tabCounts, _mm_cmpeq_epi16(lo, vTab));
            tabCounts = _mm_sub_epi16(tabCounts, _mm_cmpeq_epi16(hi, vTab));
        }
        cr += SumLanes(crCounts);
        tab += SumLanes(tabCounts);
    }
#endif
    for (; p != end; ++p) {
        cr += *p == u'\r' ? 1 : 0;
        tab += *p == u'\t' ? 1 : 0;
    }
    return cr * (kEnterToken.size() - 1) + tab * (kTabToken.size() - 1);
}

// A line break stored as CR LF is one Enter: its LF is not pasted after the key.
inline bool IsLfAfterCr(const char16_t* special, const char16_t* end) {
    return *special == u'\r' && special + 1 != end && special[1] == u'\n';
}

// The two tokens padded to one fixed-size store; index 0 for CR, 1 for tab.
constexpr std::size_t kTokenStore = 8;
constexpr auto kPaddedTokens = [] {
    std::array<std::array<char16_t, kTokenStore>, 2> padded{};
    std::copy(kEnterToken.begin(), kEnterToken.end(), padded[0].begin());
    std::copy(kTabToken.begin(), kTabToken.end(), padded[1].begin());
    return padded;
}();
constexpr std::array<std::size_t, 2> kTokenLengths{kEnterToken.size(), kTabToken.size()};
static_assert(kEnterToken.size() <= kTokenStore && kTabToken.size() <= kTokenStore);

// Writes the token for a CR or tab; stores kTokenStore units.
inline char16_t* PutToken(char16_t* out, char16_t special) {
    const std::size_t index = special == u'\t' ? 1 : 0;
    std::memcpy(out, kPaddedTokens[index].data(), kTokenStore * sizeof(char16_t));
    return out + kTokenLengths[index];
}

#ifdef BRINDLEX_SSE2
inline void CopyGroup(char16_t* out, const char16_t* from) {
    std::memcpy(out, from, kGroup * sizeof(char16_t));
}
constexpr std::size_t kSlack = static_cast<std::size_t>(kGroup);
#else
constexpr std::size_t kSlack = kTokenStore;
#endif

} // namespace

std::u16string NormaliseText(std::u16string_view text) {
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    const std::size_t extra = ExtraUnitsForTokens(p, end);
    if (extra == 0) {
        return std::u16string(text);
    }
    // The size if no CR were followed by LF; each CR LF pair makes the result one unit shorter.
    const std::size_t bound = text.size() + extra;
    // Room after the end: the loops below store whole blocks and tokens and then move on by the
    // part of them that counts.
    std::u16string result(bound + kSlack, u'\0');
    char16_t* out = result.data();
#ifdef BRINDLEX_SSE2
    const __m128i vCr = _mm_set1_epi16(u'\r');
    const __m128i vTab = _mm_set1_epi16(u'\t');
    // The LF of a CR LF on the last unit of a group, which the next group starts with.
    std::ptrdiff_t carriedLf = 0;
    // Two groups ahead, so that a group copied from just after a special stays inside the text.
    while (end - p >= 2 * kGroup) {
        const char16_t* from = p + carriedLf;
        for (std::uint64_t mask = GroupMask(p, vCr, vTab); mask != 0; mask &= mask - 1) {
            const char16_t* special = p + std::countr_zero(mask);
            CopyGroup(out, from);
            out += special - from;
            out = PutToken(out, *special);
            from = special + 1;
            from += IsLfAfterCr(special, end) ? 1 : 0;
        }
        carriedLf = from - (p + kGroup);
        if (carriedLf <= 0) {
            carriedLf = 0;
            CopyGroup(out, from);
            out += p + kGroup - from;
        }
        p += kGroup;
    }
    p += carriedLf;
#endif
    for (; p != end; ++p) {
        if (*p == u'\r' || *p == u'\t') {
            out = PutToken(out, *p);
            p += IsLfAfterCr(p, end) ? 1 : 0;
        } else {
            *out++ = *p;
        }
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
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
    const char16_t* p = begin + std::min(from, text.size());
#ifdef BRINDLEX_SSE2
    const __m128i vBracket = _mm_set1_epi16(u'[');
    for (; end - p >= kGroup; p += kGroup) {
        for (std::uint64_t mask = GroupMask(p, vBracket, vBracket); mask != 0; mask &= mask - 1) {
            const char16_t* at = p + std::countr_zero(mask);
            if (const ControlKey* match = MatchAt(at, end)) {
                key = match;
                return static_cast<std::size_t>(at - begin);
            }
        }
    }
#endif
    for (; p != end; ++p) {
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
