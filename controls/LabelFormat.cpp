#include "controls/LabelFormat.h"

namespace brindlex {

unsigned LabelTextFormat(unsigned style, std::u16string_view text) {
    unsigned format = 0;
    switch (style & kSsTypeMask) {
    case kSsCenter:
        format = kDtCenter | kDtWordBreak;
        break;
    case kSsRight:
        format = kDtRight | kDtWordBreak;
        break;
    case kSsLeftNoWordWrap:
        format = kDtLeft;
        break;
    default:
        format = kDtLeft | kDtWordBreak;
        break;
    }
    if (text.find(u'\t') != std::u16string_view::npos) {
        format |= kDtExpandTabs;
    }
    if ((style & kSsCenterImage) != 0) {
        format = text.find(u"\r\n") != std::u16string_view::npos ? kDtCenter
                                                                 : kDtCenter | kDtVCenter | kDtSingleLine;
    }
    return format;
}

} // namespace brindlex
