// Where an image button puts its icon and its caption: pure geometry, so that the rules can be
// tested without a window.
#pragma once

#include "core/layout/Geometry.h"

namespace brindlex {

// Where the icon goes beside the caption: left of it (or centred without one), or right of it.
enum class ImageAlign : unsigned char { kLeft, kRight };

struct ImageButtonLayoutInput {
    Rect item;           // the owner-draw item rectangle
    int clientWidth = 0; // width of the button's client area
    int iconWidth = 0;
    int iconHeight = 0;
    ImageAlign alignment = ImageAlign::kLeft;
    bool hasIcon = true; // without one the caption keeps the item rectangle
    bool hasCaption = false;
    int margin = 3;       // gap between the edge and an icon beside a caption
    bool pressed = false; // for a toggle: selected or checked
    bool toggle = false;  // a toggle's contents do not move while it is pressed
    int shiftX = 1;       // offset of the contents of a pressed (non-toggle) button
    int shiftY = 1;
};

struct ImageButtonLayout {
    // Top-left corner: where the icon is drawn; right and bottom: the extent given to DrawState.
    Rect image;
    // The box the caption is centred in (already shifted when pressed).
    Rect caption;
};

ImageButtonLayout PlaceImageButton(const ImageButtonLayoutInput& in);

// The measured text block (textWidth x textHeight, as DT_CALCRECT reports it from box's corner)
// centred in box; a block larger than the box overhangs it equally on both sides.
Rect CentreTextBlock(const Rect& box, int textWidth, int textHeight);

} // namespace brindlex
