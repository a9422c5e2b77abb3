#include "core/layout/EditorLayout.h"

#include "core/layout/DialogButtonRow.h"
#include "res/resource.h"

namespace brindlex {

std::array<EditorPlacement, 8> EditorLayout(int width, int height, int dpi) {
    const auto S = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    return {{
        {IDC_NAME_LABEL, {S(8), S(8), width - S(8), S(22)}},
        {IDC_ITEM_NAME, {S(8), S(30), width - S(8), S(50)}},
        {IDC_TEXT_LABEL, {S(8), S(66), width - S(8), S(80)}},
        {IDC_ITEM_TEXT, {S(8), S(88), width - S(8), height - S(48)}},
        {IDC_COPY_TEXT, BottomLeftButton(height, dpi)},
        {1 /* IDOK, "Save" */, BottomRightButton(width, height, 1, dpi)},
        {2 /* IDCANCEL */, BottomRightButton(width, height, 0, dpi)},
        // 120 x 24 over the right end of the "Pasting text:" line, just above the text.
        {IDC_INSERT_TOKEN, {width - S(128), S(64), width - S(8), S(88)}},
    }};
}

int TokenIndexOfCommand(unsigned commandId, std::size_t tokenCount) {
    if (commandId < ID_TOKEN_FIRST || commandId - ID_TOKEN_FIRST >= tokenCount) {
        return -1;
    }
    return static_cast<int>(commandId - ID_TOKEN_FIRST);
}

} // namespace brindlex
