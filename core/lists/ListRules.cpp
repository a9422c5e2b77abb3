#include "core/lists/ListRules.h"

#include <string>

namespace brindlex {

Point RowIconPosition(const Rect& row, int dpi) {
    const int h = row.Height();
    return {row.left + h / 2 - ScaleForDpi(11, dpi), row.top + h / 2 - ScaleForDpi(14, dpi)};
}

Rect RowTextRect(const Rect& row, int cy, int dpi) {
    const int h = row.Height();
    const auto S = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    Rect r;
    r.left = (row.left + h / 2 + S(14)) + (row.left + h / 2 - S(11)) + S(4);
    r.top = row.top + row.bottom / 2 - row.top / 2 - cy / 2 - cy / 8;
    r.right = row.right;
    r.bottom = row.bottom;
    return r;
}

int AutoScrollPeriod(int distance, int rowHeight) {
    if (rowHeight <= 0) {
        rowHeight = kRowHeight; // a list without rows reports no height; keep the timer sane
    }
    if (distance < 0) {
        distance = 0;
    }
    return 250 / (distance / rowHeight + 1);
}

MarkerLine DropMarkerLine(int position, bool hasRow, const Rect& rowRect, const Rect& client, int dpi) {
    MarkerLine line;
    line.width = ScaleForDpi(2, dpi);
    if (!hasRow) {
        return line;
    }
    if (position >= 0) {
        line.x1 = rowRect.left;
        line.x2 = rowRect.right - 1;
        line.y = rowRect.top + ScaleForDpi(1, dpi); // the whole line inside the row
        line.visible = client.Contains(rowRect.left, rowRect.top);
    } else {
        line.x1 = rowRect.left;
        line.x2 = rowRect.right - 1;
        line.y = rowRect.bottom;
        line.visible = client.Contains(0, rowRect.bottom);
    }
    return line;
}

DragZone ClassifyDragPoint(Point p, bool hitOutside, int lastRowBottom, bool hasRows, const Rect& client) {
    if (hasRows && !hitOutside && p.y <= lastRowBottom) {
        return DragZone::OverRow;
    }
    if (client.Contains(p.x, p.y)) {
        return DragZone::BelowRows;
    }
    return DragZone::Outside;
}

int NormaliseDropPosition(int position, int count) {
    return position >= 0 && position < count ? position : -1;
}

ScrollRequest AutoScrollRequest(int y, int clientHeight) {
    if (y > clientHeight) {
        return {+1, y - clientHeight};
    }
    if (y < 0) {
        return {-1, -y};
    }
    return {};
}

RowLooks RowLooksToDraw(bool drawEntire, bool selectionChanged, bool isSelected) {
    RowLooks looks;
    if (drawEntire || selectionChanged) {
        looks.normal = !isSelected;
        looks.selected = isSelected;
    }
    return looks;
}

int ArrowKeyTarget(bool up, int caret, int count) {
    if (caret < 0 || caret >= count) {
        return -1;
    }
    if (up) {
        return caret > 0 ? caret - 1 : -1;
    }
    return caret + 1 < count ? caret + 1 : -1;
}

std::u16string DeleteGroupQuestion(std::size_t itemCount) {
    std::u16string text;
    if (itemCount > 0) {
        std::u16string count;
        for (std::size_t n = itemCount; n > 0; n /= 10) {
            count.insert(count.begin(), static_cast<char16_t>(u'0' + n % 10));
        }
        text = u"The selected group contains " + count + (itemCount == 1 ? u" item.\r\n" : u" items.\r\n");
    }
    return text + u"Are you sure to delete selected folder?";
}

} // namespace brindlex
