#include "win/dialogs/CResultList.h"

#include <algorithm>

namespace brindlex {

void CResultList::Attach(HWND hList, std::initializer_list<const wchar_t*> columnTitles) {
    m_hList = hList;
    ListView_SetExtendedListViewStyle(m_hList, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    int i = 0;
    for (const wchar_t* title : columnTitles) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(title);
        column.cx = 100;
        column.iSubItem = i;
        ListView_InsertColumn(m_hList, i, &column);
        ++i;
    }
}

void CResultList::Show(int count, int selection) {
    ListView_SetItemCountEx(m_hList, count, 0);
    ::InvalidateRect(m_hList, nullptr, FALSE);
    Select(std::min(selection, count - 1));
}

void CResultList::Select(int row) {
    if (row < 0) {
        // Only the rows that have a state: clearing "all" (-1) visits every one of 100,000 rows.
        for (const UINT flag : {LVNI_SELECTED, LVNI_FOCUSED}) {
            const int current = ListView_GetNextItem(m_hList, -1, flag);
            if (current >= 0) {
                ListView_SetItemState(m_hList, current, 0, LVIS_SELECTED | LVIS_FOCUSED);
            }
        }
        return;
    }
    // A single-selection list lets the previous row go by itself.
    ListView_SetItemState(m_hList, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_hList, row, FALSE);
}

int CResultList::SelectedRow() const {
    return m_hList != nullptr ? ListView_GetNextItem(m_hList, -1, LVNI_SELECTED) : -1;
}

void CResultList::Step(int step, int count) {
    const int selected = SelectedRow();
    Select(count == 0 ? -1 : std::clamp(selected < 0 ? 0 : selected + step, 0, count - 1));
}

LRESULT CResultList::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
        ListView_GetItemState(m_hList, static_cast<int>(draw.nmcd.dwItemSpec), LVIS_SELECTED) != 0) {
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        draw.clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void CResultList::FillCell(NMLVDISPINFOW& info, const std::u16string& text) {
    LVITEMW& item = info.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), length, reinterpret_cast<char16_t*>(item.pszText));
    item.pszText[length] = L'\0';
}

} // namespace brindlex
