// Keeping a window on the screen: the popup beside the caret and a main window whose stored
// position is on no monitor any more (one unplugged, a resolution lowered) both end up wholly
// inside a work area, as near where they were asked to be as fits.
#pragma once

#include "core/layout/Geometry.h"

namespace brindlex {

// `r` moved the least distance that puts it wholly inside `area`, and first cut to the area's
// size where it is wider or taller.
Rect KeepInside(const Rect& r, const Rect& area);

} // namespace brindlex
