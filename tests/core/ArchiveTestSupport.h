// Helpers shared by the data file tests: byte images written out by hand and a readable dump of
// a library, so that a mismatch shows what differs.
#pragma once

#include "core/library/CLibrary.h"
#include "PrintableText.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace brindlex {

namespace archive_test {

using Bytes = std::vector<std::uint8_t>;

// "FF FE 01" -> {0xFF, 0xFE, 0x01}
inline Bytes Hex(const std::string& text) {
    Bytes out;
    std::istringstream in(text);
    std::string byte;
    while (in >> byte) {
        out.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
    }
    return out;
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

inline Bytes Le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

inline Bytes Le16(std::uint16_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

// The 11-byte header of schema 1.
inline Bytes Header() {
    return Hex("FF FF 01 00 05 00 43 44 61 74 61");
}

// A Unicode string with the 1-byte length form.
inline Bytes WideShort(const std::u16string& s) {
    Bytes out = Hex("FF FE FF");
    out.push_back(static_cast<std::uint8_t>(s.size()));
    for (char16_t c : s) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

// Every group, item, reserved value and text, in order.
inline std::string Dump(const CLibrary& lib) {
    std::string out;
    for (int g = 0; g < lib.GroupCount(); ++g) {
        const CPasteGroup& group = lib.Group(g);
        out += "[" + PrintableText(group.m_strName) + "]";
        for (const auto& item : group.m_arrItems) {
            out += " {" + PrintableText(item->m_strName) + "|" + std::to_string(item->m_dwReserved) + "|" +
                   PrintableText(item->m_strText) + "}";
        }
        out += "\n";
    }
    return out;
}

} // namespace archive_test

} // namespace brindlex
