#include "win/dialogs/CFindDlg.h"

#include "core/layout/FindLayout.h"
#include "core/library/CLibrary.h"
#include "core/app/CommandIds.h"
#include "win/framework/LocaleCaseFold.h"
#include "win/framework/LayoutGeometry.h"
#include "win/framework/WideString.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace brindlex {

namespace {

// A private note to itself: the library changed, read the results again once that is over.
constexpr UINT WM_FIND_REFRESH = WM_APP + 0x60;

enum Column { kColumnName, kColumnFolder, kColumnText };

} // namespace

CFindDlg::CFindDlg(CLibrary& library)
    : CModelessDlg(IDD_FIND, WM_FIND_CLOSED), m_library(library), m_results(library, FoldForUserLocale) {
    AddCommand(IDC_FIND_QUERY, EN_CHANGE, [this] { OnQueryChanged(); });
    AddCommand(IDC_FIND_PASTE, BN_CLICKED, [this] { Choose(true); });
}

CFindDlg::~CFindDlg() {
    m_results.SetChangeHandler(nullptr);
    ReleaseWindow();
}

bool CFindDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_hResults = GetDlgItem(IDC_FIND_RESULTS);
    SetUpResultsList();
    // Deleting a folder reports once per item: one note, one read when the operation is over.
    m_results.SetChangeHandler([this] {
        if (!m_bRefreshPosted && PostMessage(WM_FIND_REFRESH)) {
            m_bRefreshPosted = true;
        }
    });
    SendMessage(WM_SIZE, 0, 0);
    ShowResults(-1);
    return true; // the query, first in the tab order, gets the focus
}

void CFindDlg::SetUpResultsList() {
    ListView_SetExtendedListViewStyle(m_hResults, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const wchar_t* titles[] = {L"Name", L"Folder", L"Text"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(titles[i]);
        column.cx = 100;
        column.iSubItem = i;
        ListView_InsertColumn(m_hResults, i, &column);
    }
}

void CFindDlg::LayoutControls() {
    const RECT rc = GetClientRect();
    PlaceControls(m_hWnd, FindLayout(rc.right - rc.left, rc.bottom - rc.top));
    // Name and folder a quarter and a sixth of the width; the text takes what is left.
    RECT rcList{};
    ::GetClientRect(m_hResults, &rcList);
    const int width = std::max(0, static_cast<int>(rcList.right - rcList.left));
    ListView_SetColumnWidth(m_hResults, kColumnName, width / 4);
    ListView_SetColumnWidth(m_hResults, kColumnFolder, width / 6);
    ListView_SetColumnWidth(m_hResults, kColumnText, width - width / 4 - width / 6);
    // Without this the dialog's background, erased after the move, covers controls it did not
    // clip (Close was left blank under Wine).
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int CFindDlg::SelectedRow() const {
    return m_hResults != nullptr ? ListView_GetNextItem(m_hResults, -1, LVNI_SELECTED) : -1;
}

void CFindDlg::OnQueryChanged() {
    m_results.SetQuery(GetDlgItemText(IDC_FIND_QUERY));
    ShowResults(0);
}

void CFindDlg::OnLibraryChanged() {
    m_bRefreshPosted = false;
    ShowResults(SelectedRow());
}

// The list holds only a count: its rows are read from the results as they are painted.
void CFindDlg::ShowResults(int selection) {
    const int count = m_results.Count();
    ListView_SetItemCountEx(m_hResults, count, 0);
    ::InvalidateRect(m_hResults, nullptr, FALSE);
    SetDlgItemText(IDC_FIND_COUNT, m_results.CountLine());
    SelectRow(std::min(selection, count - 1));
    ::EnableWindow(GetDlgItem(IDC_FIND_PASTE), count > 0 ? TRUE : FALSE);
}

void CFindDlg::SelectRow(int row) {
    if (row < 0) {
        // Only the rows that have a state: clearing "all" (-1) visits every one of 100,000 rows.
        for (const UINT flag : {LVNI_SELECTED, LVNI_FOCUSED}) {
            const int current = ListView_GetNextItem(m_hResults, -1, flag);
            if (current >= 0) {
                ListView_SetItemState(m_hResults, current, 0, LVIS_SELECTED | LVIS_FOCUSED);
            }
        }
        return;
    }
    // A single-selection list lets the previous row go by itself.
    ListView_SetItemState(m_hResults, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_hResults, row, FALSE);
}

bool CFindDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) {
        return false;
    }
    const bool bQuery = pMsg->hwnd == GetDlgItem(IDC_FIND_QUERY);
    switch (pMsg->wParam) {
    case VK_UP:
    case VK_DOWN:
        if (bQuery) {
            const int count = m_results.Count();
            const int step = pMsg->wParam == VK_UP ? -1 : 1;
            const int selected = SelectedRow();
            SelectRow(count == 0 ? -1 : std::clamp(selected < 0 ? 0 : selected + step, 0, count - 1));
            return true;
        }
        return false;
    case VK_RETURN:
        // Enter anywhere but on the buttons chooses the selected row (Ctrl+Enter pastes it too).
        if (pMsg->hwnd == GetDlgItem(IDCANCEL) || pMsg->hwnd == GetDlgItem(IDC_FIND_PASTE)) {
            return false;
        }
        Choose((::GetKeyState(VK_CONTROL) & 0x8000) != 0);
        return true;
    default:
        return false;
    }
}

LRESULT CFindDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {320, 220};
        return 0;
    }
    case WM_FIND_REFRESH:
        OnLibraryChanged();
        return 0;
    case WM_NOTIFY:
        if (lParam != 0 && reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == m_hResults &&
            reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
            return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        }
        if (lParam != 0 && OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) {
            return 0;
        }
        break;
    default:
        break;
    }
    return CModelessDlg::WindowProc(message, wParam, lParam);
}

bool CFindDlg::OnNotify(const NMHDR& hdr) {
    if (hdr.hwndFrom != m_hResults) {
        return false;
    }
    switch (hdr.code) {
    case LVN_GETDISPINFOW:
        OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&hdr)));
        return true;
    case NM_DBLCLK:
        if (reinterpret_cast<const NMITEMACTIVATE&>(hdr).iItem >= 0) {
            Choose(false);
        }
        return true;
    default:
        return false;
    }
}

// The focus stays in the query while the user moves through the results: the selected row is
// drawn in the highlight colours all the same, not in the pale grey of an unfocused list.
LRESULT CFindDlg::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
        ListView_GetItemState(m_hResults, static_cast<int>(draw.nmcd.dwItemSpec), LVIS_SELECTED) != 0) {
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        draw.clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void CFindDlg::OnGetDispInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    // A row read here is up to date even before the posted refresh has run.
    const FindRow row = m_results.Row(item.iItem);
    m_strCell.clear();
    if (row.pItem != nullptr) {
        switch (item.iSubItem) {
        case kColumnName:
            m_strCell = row.pItem->m_strName;
            break;
        case kColumnFolder:
            if (m_library.IsGroupIndex(row.nGroup)) {
                m_strCell = m_library.Group(row.nGroup).m_strName;
            }
            break;
        default:
            m_strCell = m_results.Excerpt(item.iItem);
            break;
        }
    }
    const std::size_t length = std::min(m_strCell.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(m_strCell.data(), length, reinterpret_cast<char16_t*>(item.pszText));
    item.pszText[length] = L'\0';
}

void CFindDlg::Choose(bool paste) {
    const FindRow row = m_results.Row(SelectedRow());
    if (row.pItem == nullptr) {
        return;
    }
    // The owner releases this dialog while it handles the report.
    ReportToOwner(paste ? WM_FIND_PASTE : WM_FIND_CHOOSE, static_cast<WPARAM>(row.nGroup),
                  static_cast<LPARAM>(row.nItem));
}

void CFindDlg::OnOK() {
    Choose(false);
}

} // namespace brindlex
