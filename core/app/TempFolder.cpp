#include "core/app/TempFolder.h"

#include "core/find/CaseFold.h"

#include <algorithm>
#include <string>

namespace brindlex {

namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

} // namespace

bool IsInsideFolder(std::u16string_view path, std::u16string_view folder) {
    while (!folder.empty() && IsSeparator(folder.back())) {
        folder.remove_suffix(1);
    }
    if (folder.empty() || path.size() <= folder.size() + 1 || !IsSeparator(path[folder.size()])) {
        return false;
    }
    const std::u16string start = FoldLatinCase(path.substr(0, folder.size()));
    const std::u16string wanted = FoldLatinCase(folder);
    return std::equal(start.begin(), start.end(), wanted.begin(), wanted.end(),
                      [](char16_t a, char16_t b) { return a == b || (IsSeparator(a) && IsSeparator(b)); });
}

} // namespace brindlex
