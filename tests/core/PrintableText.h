// UTF-16 text as a test prints it: printable ASCII as it is, every other unit as \uXXXX, so that
// a failure shows a tab, a line break or a non-Latin letter unmistakably.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline std::string PrintableText(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}
