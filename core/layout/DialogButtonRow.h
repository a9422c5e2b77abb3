// The row of push buttons along the bottom of the resizable dialogs (the item editor, Find):
// 75 x 24 pixels each, 8 pixels off the bottom and side edges and 8 apart, whatever the size
// (at 96 DPI; scaled in a window at `dpi`).
#pragma once

#include "core/layout/Dpi.h"
#include "core/layout/Geometry.h"

namespace brindlex {

inline constexpr int kDialogButtonWidth = 75;
inline constexpr int kDialogButtonHeight = 24;
inline constexpr int kDialogEdgeGap = 8;

// The button at the left end of the row in a client area `height` pixels high.
constexpr Rect BottomLeftButton(int height, int dpi = kBaseDpi) {
    const int gap = ScaleForDpi(kDialogEdgeGap, dpi);
    return {gap, height - gap - ScaleForDpi(kDialogButtonHeight, dpi),
            ScaleForDpi(kDialogEdgeGap + kDialogButtonWidth, dpi), height - gap};
}

// The button `fromRight` places from the right end of the row (0: the last one).
constexpr Rect BottomRightButton(int width, int height, int fromRight, int dpi = kBaseDpi) {
    const auto fromEdge = [width, dpi](int pixels) { return width - ScaleForDpi(pixels, dpi); };
    const int right = kDialogEdgeGap + fromRight * (kDialogButtonWidth + kDialogEdgeGap);
    const int gap = ScaleForDpi(kDialogEdgeGap, dpi);
    return {fromEdge(right + kDialogButtonWidth), height - gap - ScaleForDpi(kDialogButtonHeight, dpi),
            fromEdge(right), height - gap};
}

} // namespace brindlex
