#include "core/layout/EditorLayout.h"

#include "core/layout/DialogButtonRow.h"
#include "res/resource.h"

namespace brindlex {

std::array<EditorPlacement, 8> EditorLayout(int width, int height) {
    return {{
        {IDC_NAME_LABEL, {8, 8, width - 8, 22}},
        {IDC_ITEM_NAME, {8, 30, width - 8, 50}},
        {IDC_TEXT_LABEL, {8, 66, width - 8, 80}},
        {IDC_ITEM_TEXT, {8, 88, width - 8, height - 48}},
        {IDC_COPY_TEXT, BottomLeftButton(height)},
        {1 /* IDOK, "Save" */, BottomRightButton(width, height, 1)},
        {2 /* IDCANCEL */, BottomRightButton(width, height, 0)},
        // 120 x 24 over the right end of the "Pasting text:" line, just above the text.
        {IDC_INSERT_TOKEN, {width - 128, 64, width - 8, 88}},
    }};
}

int TokenIndexOfCommand(unsigned commandId, std::size_t tokenCount) {
    if (commandId < ID_TOKEN_FIRST || commandId - ID_TOKEN_FIRST >= tokenCount) {
        return -1;
    }
    return static_cast<int>(commandId - ID_TOKEN_FIRST);
}

} // namespace brindlex
