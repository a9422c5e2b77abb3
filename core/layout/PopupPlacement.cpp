#include "core/layout/PopupPlacement.h"

#include "core/layout/KeepInside.h"

namespace brindlex {

Rect PlacePopup(const Rect& anchor, int width, int height, const Rect& workArea) {
    int top = anchor.bottom;
    if (top + height > workArea.bottom && anchor.top - height >= workArea.top) {
        top = anchor.top - height; // no room below the line: above it, not over it
    }
    return KeepInside({anchor.left, top, anchor.left + width, top + height}, workArea);
}

} // namespace brindlex
