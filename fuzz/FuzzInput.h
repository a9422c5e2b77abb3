// The fuzzers' inputs read as UTF-16LE text: the whole of it, or pieces cut at U+FFFF (a unit no
// real text holds), so that one input can carry a query and several item names and texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace brindlex::fuzz {

inline constexpr char16_t kPieceSeparator = u'\uFFFF';

// An odd last byte is dropped.
inline std::u16string Utf16Text(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    return text;
}

inline std::vector<std::u16string> Pieces(std::u16string_view text) {
    std::vector<std::u16string> pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(kPieceSeparator, start)) != std::u16string_view::npos;
         start = end + 1) {
        pieces.emplace_back(text.substr(start, end - start));
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

// Stops the run with a message that names the broken rule; libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* target, const char* what) {
    std::fprintf(stderr, "%s fuzz: %s\n", target, what);
    std::abort();
}

} // namespace brindlex::fuzz
