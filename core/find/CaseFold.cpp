#include "core/find/CaseFold.h"

namespace brindlex {

std::u16string FoldLatinCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7')) {
            c = static_cast<char16_t>(c + 0x20);
        }
    }
    return folded;
}

} // namespace brindlex
