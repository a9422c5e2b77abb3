// Where LayoutControls puts the main window's controls for a client area of W x H pixels, in a
// window at `dpi` (the numbers are those at 96 DPI, scaled).
#pragma once

#include "core/layout/Dpi.h"
#include "core/layout/Geometry.h"

#include <array>

namespace brindlex {

struct ControlPlacement {
    int id;
    Rect rect; // x, y, width and height as left, top, left + width, top + height
};

// comboHeight is the height of the target combo box's closed selection field.
// Order: Menu, always on top, the six group and item buttons, target list, "<", ">", Paste,
// group list, item list. Sizes may come out zero or negative for tiny windows; they are passed on.
std::array<ControlPlacement, 14> MainWindowLayout(int width, int height, int comboHeight, int dpi = kBaseDpi);

// The band behind the button row: solid rectangles and their colours, drawn in this order.
struct BandRect {
    Rect rect;
    unsigned colour; // COLORREF layout 0x00BBGGRR
};
std::array<BandRect, 5> MainWindowBand(const Rect& client, unsigned windowColour, int dpi = kBaseDpi);

// C + k on each of the red, green and blue bytes, modulo 256 (no clamping).
unsigned ShiftColour(unsigned colour, int k);

} // namespace brindlex
