// How settings values are read from and written to their text form. Implemented here rather
// than with the C library's wide functions so that the program reads a value the same way on
// every system it is built for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brindlex {

// Only this many characters of a value are looked at when it is read as a number or a flag.
inline constexpr std::size_t kIniNumberChars = 64;

// An unsigned decimal number as wcstoul reads it in base 10: leading white space, an optional
// sign, digits up to the first non-digit; a minus sign negates in unsigned 32-bit arithmetic,
// a number out of range gives 0xFFFFFFFF, no digits give 0. The 32 bits come back signed, so
// "-1" is -1. Only the first kIniNumberChars characters count.
std::int32_t ParseIniInt(std::u16string_view value);

// "true" or "yes" in any letter case, otherwise a signed decimal number (as wcstol) that is not
// 0. Only the first kIniNumberChars characters count.
bool ParseIniBool(std::u16string_view value);

// "%d" and "%u".
std::u16string FormatIniInt(std::int32_t value);
std::u16string FormatIniUInt(std::uint32_t value);

} // namespace brindlex
