// The core's layout rectangles and points as Win32 RECTs and POINTs, and back.
#pragma once

#include "core/layout/Geometry.h"
#include "win/framework/Win32.h"

namespace brindlex {

inline RECT ToRECT(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

inline Point ToPoint(POINT p) {
    return Point{p.x, p.y};
}

} // namespace brindlex
