#include "core/find/FindCountLine.h"

namespace brindlex {

std::u16string GroupedNumber(std::size_t n) {
    std::u16string digits;
    for (int i = 0; n > 0 || i == 0; ++i, n /= 10) {
        if (i > 0 && i % 3 == 0) {
            digits.insert(digits.begin(), u',');
        }
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
    }
    return digits;
}

std::u16string FindCountLine(bool queryEmpty, std::size_t matches, std::size_t total) {
    if (queryEmpty) {
        return {};
    }
    if (matches == 0) {
        return u"No item matches";
    }
    return GroupedNumber(matches) + u" of " + GroupedNumber(total) + (total == 1 ? u" item" : u" items");
}

} // namespace brindlex
