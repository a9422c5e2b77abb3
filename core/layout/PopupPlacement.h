// Where the quick-paste popup opens: just below the text caret of the window the user types in
// (or below the mouse pointer when no caret can be found), so that the letters typed and the
// results stay near the place the item will go; above it when there is no room below; and always
// wholly inside the work area of that monitor.
#pragma once

#include "core/layout/Geometry.h"

namespace brindlex {

// `anchor`: the caret's rectangle on the screen, or the pointer's (its hot spot and the height
// of a line below it). A popup larger than the work area is cut to it.
Rect PlacePopup(const Rect& anchor, int width, int height, const Rect& workArea);

} // namespace brindlex
