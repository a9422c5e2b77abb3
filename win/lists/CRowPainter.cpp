#include "win/lists/CRowPainter.h"

#include "core/lists/ListRules.h"
#include "win/framework/Drawing.h"
#include "win/framework/LayoutGeometry.h"
#include "win/framework/ResourceLoader.h"
#include "win/framework/WideString.h"

namespace brindlex {

namespace {

HICON LoadRowIcon(int id, int dpi) {
    return LoadIconResource(id, RowIconSize(dpi), RowIconSize(dpi), LR_DEFAULTCOLOR);
}

} // namespace

CRowPainter::CRowPainter(int nIconId, int nSelectedIconId, bool bFillBackground)
    : m_nIconId(nIconId), m_nSelectedIconId(nSelectedIconId), m_bFillBackground(bFillBackground) {
}

void CRowPainter::LoadIcons(int dpi) {
    m_nDpi = dpi;
    m_hIcon.reset(LoadRowIcon(m_nIconId, dpi));
    // The item list shows one icon in both looks: it is loaded once.
    m_hSelectedIcon.reset(m_nSelectedIconId != m_nIconId ? LoadRowIcon(m_nSelectedIconId, dpi) : nullptr);
}

void CRowPainter::DrawItem(const DRAWITEMSTRUCT& dis, const NameOfRow& nameOf) const {
    if (dis.itemID == static_cast<UINT>(-1)) {
        return; // the focus of an empty list: no focus rectangle is ever drawn
    }
    const RowLooks looks =
        RowLooksToDraw((dis.itemAction & ODA_DRAWENTIRE) != 0, (dis.itemAction & ODA_SELECT) != 0,
                       (dis.itemState & ODS_SELECTED) != 0);
    if (!looks.normal && !looks.selected) {
        return;
    }
    const std::u16string* name = nameOf(static_cast<int>(dis.itemID));
    const int oldMode = ::SetBkMode(dis.hDC, TRANSPARENT);
    DrawLook(dis.hDC, dis.rcItem, name, looks.selected);
    ::SetBkMode(dis.hDC, oldMode);
}

void CRowPainter::DrawLook(HDC hDC, const RECT& row, const std::u16string* name, bool selected) const {
    if (selected) {
        FillSolidRect(hDC, row, m_clrSelBack);
    } else if (m_bFillBackground) {
        FillSolidRect(hDC, row, m_clrBack);
    }
    if (m_bDrawEdge) {
        RECT edge = row;
        ::DrawEdge(hDC, &edge, EDGE_SUNKEN, BF_BOTTOM);
    }
    const HICON hIcon = selected && m_hSelectedIcon ? m_hSelectedIcon.get() : m_hIcon.get();
    if (hIcon != nullptr) {
        const Point at = RowIconPosition(ToRect(row), m_nDpi);
        const int size = RowIconSize(m_nDpi);
        ::DrawIconEx(hDC, at.x, at.y, hIcon, size, size, 0, nullptr, DI_NORMAL);
    }
    if (name == nullptr || name->empty()) {
        return;
    }
    SIZE extent{};
    ::GetTextExtentPoint32W(hDC, W(*name), static_cast<int>(name->size()), &extent);
    RECT text = ToRECT(RowTextRect(ToRect(row), extent.cy, m_nDpi));
    const COLORREF oldColour = ::SetTextColor(hDC, selected ? m_clrSelText : RGB(0, 0, 0));
    // One line, clipped at the row; an '&' in a name is shown as it is, not as a mnemonic.
    ::DrawTextW(hDC, W(*name), static_cast<int>(name->size()), &text, DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(hDC, oldColour);
}

} // namespace brindlex
