#include "core/layout/FindLayout.h"

#include "res/resource.h"

namespace brindlex {

std::array<EditorPlacement, 5> FindLayout(int width, int height) {
    const int w = width;
    const int h = height;
    return {{
        {IDC_FIND_QUERY, {8, 8, w - 8, 30}},
        {IDC_FIND_RESULTS, {8, 38, w - 8, h - 40}},
        // The count line is centred on the buttons' row and stops short of Paste.
        {IDC_FIND_COUNT, {8, h - 27, w - 174, h - 13}},
        // The buttons are 75 x 24 like the editor's, 8 pixels off the edges and apart.
        {IDC_FIND_PASTE, {w - 166, h - 32, w - 91, h - 8}},
        {2 /* IDCANCEL, "Close" */, {w - 83, h - 32, w - 8, h - 8}},
    }};
}

} // namespace brindlex
