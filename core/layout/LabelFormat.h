// How a label draws its text: the DrawTextW format chosen from the static control's style.
// Pure, so that it can be tested without a window; the values are Win32's own.
#pragma once

#include <string_view>

namespace brindlex {

// Static control styles the label looks at.
inline constexpr unsigned kSsTypeMask = 0x1F;
inline constexpr unsigned kSsLeft = 0x0;
inline constexpr unsigned kSsCenter = 0x1;
inline constexpr unsigned kSsRight = 0x2;
inline constexpr unsigned kSsLeftNoWordWrap = 0xC;
inline constexpr unsigned kSsCenterImage = 0x200;

// DrawTextW flags the label uses.
inline constexpr unsigned kDtLeft = 0x0;
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtRight = 0x2;
inline constexpr unsigned kDtVCenter = 0x4;
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtSingleLine = 0x20;
inline constexpr unsigned kDtExpandTabs = 0x40;

// Centred, right-aligned and plain left text wrap at word boundaries, SS_LEFTNOWORDWRAP does not;
// a tab in the text expands. SS_CENTERIMAGE overrides all of it: one line centred both ways, or,
// for text with a line break, centred lines from the top.
unsigned LabelTextFormat(unsigned style, std::u16string_view text);

// Whether DrawTextW with this format draws the text, textWidth pixels wide, as one line in a
// rectangle clientWidth wide: no line break or tab in it, and no word wrap needed.
bool DrawsAsOneLine(unsigned format, std::u16string_view text, int textWidth, int clientWidth);

struct LabelLineOrigin {
    int x = 0;
    int y = 0;
    friend bool operator==(const LabelLineOrigin&, const LabelLineOrigin&) = default;
};

// Where DrawTextW starts such a line in the rectangle: at the left, centred or at the right as
// the format says; at the top, or centred vertically for DT_VCENTER | DT_SINGLELINE.
LabelLineOrigin OneLineOrigin(unsigned format, int left, int top, int right, int bottom, int textWidth,
                              int textHeight);

} // namespace brindlex
