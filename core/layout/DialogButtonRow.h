// The row of push buttons along the bottom of the resizable dialogs (the item editor, Find):
// 75 x 24 pixels each, 8 pixels off the bottom and side edges and 8 apart, whatever the size.
#pragma once

#include "core/layout/Geometry.h"

namespace brindlex {

inline constexpr int kDialogButtonWidth = 75;
inline constexpr int kDialogButtonHeight = 24;
inline constexpr int kDialogEdgeGap = 8;

// The button at the left end of the row in a client area `height` pixels high.
constexpr Rect BottomLeftButton(int height) {
    return {kDialogEdgeGap, height - kDialogEdgeGap - kDialogButtonHeight,
            kDialogEdgeGap + kDialogButtonWidth, height - kDialogEdgeGap};
}

// The button `fromRight` places from the right end of the row (0: the last one).
constexpr Rect BottomRightButton(int width, int height, int fromRight) {
    const int right = width - kDialogEdgeGap - fromRight * (kDialogButtonWidth + kDialogEdgeGap);
    return {right - kDialogButtonWidth, height - kDialogEdgeGap - kDialogButtonHeight, right,
            height - kDialogEdgeGap};
}

} // namespace brindlex
