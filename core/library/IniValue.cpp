#include "core/library/IniValue.h"

#include <algorithm>

namespace brindlex {

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string_view Head(std::u16string_view value) {
    return value.substr(0, std::min(value.size(), kIniNumberChars));
}

struct ParsedNumber {
    bool negative = false;
    bool anyDigit = false;
    bool overflow = false; // beyond 32 bits unsigned
    std::uint64_t magnitude = 0;
};

ParsedNumber ParseDecimal(std::u16string_view s) {
    ParsedNumber n;
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) {
        ++i;
    }
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        n.negative = s[i] == u'-';
        ++i;
    }
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        n.anyDigit = true;
        if (!n.overflow) {
            n.magnitude = n.magnitude * 10 + static_cast<std::uint64_t>(s[i] - u'0');
            n.overflow = n.magnitude > 0xFFFFFFFFu;
        }
    }
    return n;
}

bool EqualsIgnoringCase(std::u16string_view s, std::u16string_view lowerAscii) {
    if (s.size() != lowerAscii.size()) {
        return false;
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
        if (c != lowerAscii[i]) {
            return false;
        }
    }
    return true;
}

std::u16string FormatDecimal(std::uint64_t magnitude, bool negative) {
    char16_t buf[24];
    std::size_t pos = sizeof buf / sizeof buf[0];
    do {
        buf[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        buf[--pos] = u'-';
    }
    return std::u16string(buf + pos, sizeof buf / sizeof buf[0] - pos);
}

} // namespace

std::int32_t ParseIniInt(std::u16string_view value) {
    const ParsedNumber n = ParseDecimal(Head(value));
    if (!n.anyDigit) {
        return 0;
    }
    if (n.overflow) {
        return -1; // 0xFFFFFFFF, whatever the sign
    }
    std::uint32_t bits = static_cast<std::uint32_t>(n.magnitude);
    if (n.negative) {
        bits = 0u - bits;
    }
    return static_cast<std::int32_t>(bits);
}

bool ParseIniBool(std::u16string_view value) {
    const std::u16string_view head = Head(value);
    if (EqualsIgnoringCase(head, u"true") || EqualsIgnoringCase(head, u"yes")) {
        return true;
    }
    // A signed number is non-zero exactly when a digit other than 0 was read; out-of-range
    // numbers saturate and stay non-zero.
    const ParsedNumber n = ParseDecimal(head);
    return n.overflow || n.magnitude != 0;
}

std::u16string FormatIniInt(std::int32_t value) {
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(value))
                                             : static_cast<std::uint64_t>(value);
    return FormatDecimal(magnitude, negative);
}

std::u16string FormatIniUInt(std::uint32_t value) {
    return FormatDecimal(value, false);
}

} // namespace brindlex
