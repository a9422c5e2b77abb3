#include "core/layout/PopupPlacement.h"

#include <algorithm>

namespace brindlex {

namespace {

// The start of a span of `length` inside [low, high), as near `wanted` as it fits.
int FitSpan(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

Rect PlacePopup(const Rect& anchor, int width, int height, const Rect& workArea) {
    width = std::min(width, workArea.Width());
    height = std::min(height, workArea.Height());
    int top = anchor.bottom;
    if (top + height > workArea.bottom && anchor.top - height >= workArea.top) {
        top = anchor.top - height; // no room below the line: above it, not over it
    }
    const int left = FitSpan(anchor.left, width, workArea.left, workArea.right);
    top = FitSpan(top, height, workArea.top, workArea.bottom);
    return {left, top, left + width, top + height};
}

} // namespace brindlex
