#include "core/find/WordSearch.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>

namespace brindlex {

#define BRINDLEX_SSE2 1
#endif

namespace {

#ifdef BRINDLEX_SSE2
template <typename Char> __m128i Splat(Char c) {
    if constexpr (sizeof(Char) == 1) {
        return _mm_set1_epi8(static_cast<char>(c));
    } else {
        return _mm_set1_epi16(static_cast<short>(c));
    }
}

inline __m128i Load(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

// One bit for each of the 16 starts p[0..15]: set where p[start] is `first` and p[start + gap]
// is `last`.
inline unsigned CandidateMask(const char* p, std::size_t gap, __m128i first, __m128i last) {
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(Load(p), first), _mm_cmpeq_epi8(Load(p + gap), last))));
}

inline unsigned CandidateMask(const char16_t* p, std::size_t gap, __m128i first, __m128i last) {
    const __m128i lo = _mm_and_si128(_mm_cmpeq_epi16(Load(p), first), _mm_cmpeq_epi16(Load(p + gap), last));
    const __m128i hi =
        _mm_and_si128(_mm_cmpeq_epi16(Load(p + 8), first), _mm_cmpeq_epi16(Load(p + 8 + gap), last));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(lo, hi)));
}
#endif

// A start is a candidate when the unit there is the word's first and the unit m - 1 further on
// is its last: in prose that pair is rare enough that most blocks have none.
template <typename Char>
std::size_t Find(std::basic_string_view<Char> text, std::basic_string_view<Char> word) {
    const std::size_t m = word.size();
    if (m == 0) {
        return 0;
    }
    if (m > text.size()) {
        return std::basic_string_view<Char>::npos;
    }
    const Char* p = text.data();
    const std::size_t starts = text.size() - m + 1;
    std::size_t i = 0;
#ifdef BRINDLEX_SSE2
    constexpr std::size_t kStarts = 16;
    const __m128i first = Splat(word[0]);
    const __m128i last = Splat(word[m - 1]);
    for (; i + kStarts <= starts; i += kStarts) {
        for (unsigned mask = CandidateMask(p + i, m - 1, first, last); mask != 0; mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
            if (std::equal(word.begin(), word.end(), p + at)) {
                return at;
            }
        }
    }
#endif
    for (; i < starts; ++i) {
        if (p[i] == word[0] && p[i + m - 1] == word[m - 1] && std::equal(word.begin(), word.end(), p + i)) {
            return i;
        }
    }
    return std::basic_string_view<Char>::npos;
}

} // namespace

std::size_t FindWord(std::string_view text, std::string_view word) {
    return Find(text, word);
}

std::size_t FindWord(std::u16string_view text, std::u16string_view word) {
    return Find(text, word);
}

} // namespace brindlex
