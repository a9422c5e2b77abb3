#include "core/layout/LabelFormat.h"

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

bool DrawsAsOneLine(unsigned format, std::u16string_view text, int textWidth, int clientWidth) {
    if (text.empty() || text.find_first_of(u"\r\n\t") != std::u16string_view::npos) {
        return false;
    }
    if ((format & kDtSingleLine) != 0) {
        return true;
    }
    return (format & kDtWordBreak) == 0 || textWidth <= clientWidth;
}

LabelLineOrigin OneLineOrigin(unsigned format, int left, int top, int right, int bottom, int textWidth,
                              int textHeight) {
    LabelLineOrigin origin{left, top};
    if ((format & kDtCenter) != 0) {
        origin.x = (left + right - textWidth) / 2;
    } else if ((format & kDtRight) != 0) {
        origin.x = right - textWidth;
    }
    if ((format & (kDtVCenter | kDtSingleLine)) == (kDtVCenter | kDtSingleLine)) {
        origin.y = top + (bottom - top - textHeight) / 2;
    }
    return origin;
}

} // namespace brindlex
