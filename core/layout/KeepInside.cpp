#include "core/layout/KeepInside.h"

#include <algorithm>

namespace brindlex {

namespace {

// The start of a span of `length` inside [low, high), as near `wanted` as it fits.
int FitSpan(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

Rect KeepInside(const Rect& r, const Rect& area) {
    const int width = std::min(r.Width(), area.Width());
    const int height = std::min(r.Height(), area.Height());
    const int left = FitSpan(r.left, width, area.left, area.right);
    const int top = FitSpan(r.top, height, area.top, area.bottom);
    return {left, top, left + width, top + height};
}

} // namespace brindlex
