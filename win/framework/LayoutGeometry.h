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

// Moves each control of `hDialog` that a placement names (`id`, `rect`) to its rectangle; a
// control the template lacks is skipped.
template <typename Placements> void PlaceControls(HWND hDialog, const Placements& placements) {
    for (const auto& placement : placements) {
        if (HWND hControl = ::GetDlgItem(hDialog, placement.id)) {
            ::MoveWindow(hControl, placement.rect.left, placement.rect.top, placement.rect.Width(),
                         placement.rect.Height(), TRUE);
        }
    }
}

} // namespace brindlex
