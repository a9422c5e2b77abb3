#include "core/layout/EditorLayout.h"

#include "res/resource.h"

namespace brindlex {

std::array<EditorPlacement, 8> EditorLayout(int width, int height) {
    const int w = width;
    const int h = height;
    return {{
        {IDC_NAME_LABEL, {8, 8, w - 8, 22}},
        {IDC_ITEM_NAME, {8, 30, w - 8, 50}},
        {IDC_TEXT_LABEL, {8, 66, w - 8, 80}},
        {IDC_ITEM_TEXT, {8, 88, w - 8, h - 48}},
        // The three bottom buttons are 75 x 24, 8 pixels off the bottom (and side) edges.
        {IDC_COPY_TEXT, {8, h - 32, 83, h - 8}},
        {1 /* IDOK, "Save" */, {w - 166, h - 32, w - 91, h - 8}},
        {2 /* IDCANCEL */, {w - 83, h - 32, w - 8, h - 8}},
        // 120 x 24 over the right end of the "Pasting text:" line, just above the text.
        {IDC_INSERT_TOKEN, {w - 128, 64, w - 8, 88}},
    }};
}

int TokenIndexOfCommand(unsigned commandId, std::size_t tokenCount) {
    if (commandId < ID_TOKEN_FIRST || commandId - ID_TOKEN_FIRST >= tokenCount) {
        return -1;
    }
    return static_cast<int>(commandId - ID_TOKEN_FIRST);
}

} // namespace brindlex
