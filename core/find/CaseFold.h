// Case folding for Find, given as a function: on Windows the system's lower-casing for the
// user's locale, elsewhere (and in the native tests) the small Latin one below.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace brindlex {

// Returns the folded copy. Usually the same length as its argument, but a fold may change it.
using CaseFold = std::function<std::u16string(std::u16string_view)>;

// Lower-cases A-Z and the capitals of Latin-1 (U+00C0..U+00DE without the multiplication sign);
// everything else stays as it is.
std::u16string FoldLatinCase(std::u16string_view text);

} // namespace brindlex
