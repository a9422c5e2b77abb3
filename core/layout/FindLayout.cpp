#include "core/layout/FindLayout.h"

#include "core/layout/DialogButtonRow.h"
#include "res/resource.h"

namespace brindlex {

std::array<EditorPlacement, 5> FindLayout(int width, int height, int dpi) {
    const auto S = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    return {{
        {IDC_FIND_QUERY, {S(8), S(8), width - S(8), S(30)}},
        {IDC_FIND_RESULTS, {S(8), S(38), width - S(8), height - S(40)}},
        // The count line is centred on the buttons' row and stops short of Paste.
        {IDC_FIND_COUNT, {S(8), height - S(27), width - S(174), height - S(13)}},
        {IDC_FIND_PASTE, BottomRightButton(width, height, 1, dpi)},
        {2 /* IDCANCEL, "Close" */, BottomRightButton(width, height, 0, dpi)},
    }};
}

} // namespace brindlex
