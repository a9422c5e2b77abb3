// How a library list draws a row: its name next to an icon, a blue bar when selected, and a
// sunken line under each row when asked.
#pragma once

#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

#include <functional>
#include <string>

namespace brindlex {

class CRowPainter {
public:
    CRowPainter(int nIconId, int nSelectedIconId, bool bFillBackground);

    // Loads the icons for rows in a list at `dpi`; once the program's instance is known, and again
    // when the list moves to a screen of another scale.
    void LoadIcons(int dpi);
    // The DPI the rows are drawn at: the last LoadIcons's.
    int Dpi() const { return m_nDpi; }
    void SetDrawEdge(bool draw) { m_bDrawEdge = draw; }
    bool GetDrawEdge() const { return m_bDrawEdge; }
    // The name a row shows, nullptr for no record.
    using NameOfRow = std::function<const std::u16string*(int row)>;

    // One WM_DRAWITEM; `nameOf` is asked only when the row is drawn.
    void DrawItem(const DRAWITEMSTRUCT& dis, const NameOfRow& nameOf) const;

private:
    void DrawLook(HDC hDC, const RECT& row, const std::u16string* name, bool selected) const;

    COLORREF m_clrSelBack = RGB(0, 0, 255);
    COLORREF m_clrBack = RGB(255, 255, 255);
    COLORREF m_clrSelText = RGB(25, 255, 255);
    bool m_bDrawEdge = true;
    const int m_nIconId;
    const int m_nSelectedIconId;
    const bool m_bFillBackground;
    int m_nDpi = 96;
    CIconHandle m_hIcon;
    CIconHandle m_hSelectedIcon;
};

} // namespace brindlex
