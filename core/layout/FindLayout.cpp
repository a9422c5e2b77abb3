#include "core/layout/FindLayout.h"

#include "core/layout/DialogButtonRow.h"
#include "res/resource.h"

namespace brindlex {

std::array<EditorPlacement, 5> FindLayout(int width, int height) {
    return {{
        {IDC_FIND_QUERY, {8, 8, width - 8, 30}},
        {IDC_FIND_RESULTS, {8, 38, width - 8, height - 40}},
        // The count line is centred on the buttons' row and stops short of Paste.
        {IDC_FIND_COUNT, {8, height - 27, width - 174, height - 13}},
        {IDC_FIND_PASTE, BottomRightButton(width, height, 1)},
        {2 /* IDCANCEL, "Close" */, BottomRightButton(width, height, 0)},
    }};
}

} // namespace brindlex
