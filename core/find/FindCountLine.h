// The line under Find's results that says how many items match.
#pragma once

#include <cstddef>
#include <string>

namespace brindlex {

// "12,345": groups of three digits with "," between them.
std::u16string GroupedNumber(std::size_t n);

// "3 of 12,345 items" ("of 1 item" in a library of one); "No item matches" when none does; empty
// while there is no query, since there is nothing to count yet.
std::u16string FindCountLine(bool queryEmpty, std::size_t matches, std::size_t total);

} // namespace brindlex
