// Whether the program runs from inside a folder such as the temporary one: a program opened
// from inside a zip runs from a copy that Windows unpacks under %TEMP%, gone by the next logon.
#pragma once

#include <string_view>

namespace brindlex {

// Whether `path` lies inside `folder`, at any depth: `folder` without its trailing separators
// is a prefix of `path` that ends at a separator with more after it. Letters compare without
// case (A-Z and Latin-1), and '\' and '/' are the same separator. An empty folder holds nothing.
bool IsInsideFolder(std::u16string_view path, std::u16string_view folder);

} // namespace brindlex
