// Find's pixel layout: the query on top, the results filling the window, and a bottom row with
// the count line at the left and Paste and Close at the right.
#pragma once

#include "core/layout/EditorLayout.h"

#include <array>

namespace brindlex {

// Where Find's controls go for a client area of width x height pixels. Order: query, results,
// count line, Paste, Close. Nothing is clamped: a tiny client area gives inverted rectangles.
std::array<EditorPlacement, 5> FindLayout(int width, int height, int dpi = kBaseDpi);

} // namespace brindlex
