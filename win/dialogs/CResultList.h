// A virtual list view of search results, as Find and the quick-paste popup show them: it holds
// only a count and asks for each cell as it paints, so 100,000 rows cost nothing to show. The
// focus stays in the query above it while the user moves through the rows, so the selected row
// is drawn in the highlight colours all the same, not in the pale grey of an unfocused list.
#pragma once

#include "win/framework/Win32.h"

#include <commctrl.h>

#include <initializer_list>
#include <string>

namespace brindlex {

class CResultList {
public:
    void Attach(HWND hList, std::initializer_list<const wchar_t*> columnTitles);
    HWND GetSafeHwnd() const { return m_hList; }

    // A new count; the rows are painted again and `selection` (clamped, -1: none) selected.
    void Show(int count, int selection);
    void Select(int row);
    int SelectedRow() const;
    // Up (-1) or Down (+1) from the selected row, staying inside the `count` rows.
    void Step(int step, int count);

    // What the parent's WM_NOTIFY of the list answers for NM_CUSTOMDRAW.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;
    // Puts `text` into the cell the list asked for, cut to its buffer.
    static void FillCell(NMLVDISPINFOW& info, const std::u16string& text);

private:
    HWND m_hList = nullptr;
};

} // namespace brindlex
