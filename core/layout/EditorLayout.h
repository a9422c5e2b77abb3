// The item editor's pixel layout and its token commands: pure rules, so that they can be
// tested without a window.
#pragma once

#include "core/layout/Dpi.h"
#include "core/layout/Geometry.h"

#include <array>
#include <cstddef>

namespace brindlex {

struct EditorPlacement {
    int id;    // control id in the editor's template
    Rect rect; // client pixels, right and bottom exclusive
};

// Where LayoutEditor puts the editor's controls for a client area of width x height pixels.
// Order: "Name:", name, "Pasting text:", text, Copy, Save, Cancel, Insert. Nothing is clamped:
// a tiny client area gives empty or inverted rectangles, passed on as they are.
std::array<EditorPlacement, 8> EditorLayout(int width, int height, int dpi = kBaseDpi);

// The token a command of the token menu inserts (ID_TOKEN_FIRST + i gives i), or -1 for any other
// command.
int TokenIndexOfCommand(unsigned commandId, std::size_t tokenCount);

} // namespace brindlex
