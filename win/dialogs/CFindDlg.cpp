#include "win/dialogs/CFindDlg.h"

#include "core/layout/FindLayout.h"
#include "core/library/CLibrary.h"
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

CFindDlg::CFindDlg(CLibrary& library, ICommandHost& host)
    : CModelessDlg(IDD_FIND, host, CommandKind::FindClosed), m_library(library),
      m_results(library, FoldForUserLocale) {
    AddCommand(IDC_FIND_QUERY, EN_CHANGE, [this] { OnQueryChanged(); });
    AddCommand(IDC_FIND_PASTE, BN_CLICKED, [this] { Choose(true); });
}

CFindDlg::~CFindDlg() {
    m_results.SetChangeHandler(nullptr);
    ReleaseWindow();
}

bool CFindDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_FIND_RESULTS), {L"Name", L"Folder", L"Text"});
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

void CFindDlg::LayoutControls() {
    const RECT rc = GetClientRect();
    PlaceControls(m_hWnd, FindLayout(rc.right - rc.left, rc.bottom - rc.top, Dpi()));
    // Name and folder a quarter and a sixth of the width; the text takes what is left.
    const HWND hList = m_list.GetSafeHwnd();
    RECT rcList{};
    ::GetClientRect(hList, &rcList);
    const int width = std::max(0, static_cast<int>(rcList.right - rcList.left));
    ListView_SetColumnWidth(hList, kColumnName, width / 4);
    ListView_SetColumnWidth(hList, kColumnFolder, width / 6);
    ListView_SetColumnWidth(hList, kColumnText, width - width / 4 - width / 6);
    // Without this the dialog's background, erased after the move, covers controls it did not
    // clip (Close was left blank under Wine).
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int CFindDlg::SelectedRow() const {
    return m_list.SelectedRow();
}

void CFindDlg::OnQueryChanged() {
    m_results.SetQuery(GetDlgItemText(IDC_FIND_QUERY));
    ShowResults(0);
}

void CFindDlg::OnLibraryChanged() {
    m_bRefreshPosted = false;
    ShowResults(SelectedRow());
}

void CFindDlg::ShowResults(int selection) {
    const int count = m_results.Count();
    m_list.Show(count, selection);
    SetDlgItemText(IDC_FIND_COUNT, m_results.CountLine());
    ::EnableWindow(GetDlgItem(IDC_FIND_PASTE), count > 0 ? TRUE : FALSE);
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
            m_list.Step(pMsg->wParam == VK_UP ? -1 : 1, m_results.Count());
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
        if (lParam != 0 && reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == m_list.GetSafeHwnd() &&
            reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
            return m_list.OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
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
    if (hdr.hwndFrom != m_list.GetSafeHwnd()) {
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

void CFindDlg::OnGetDispInfo(NMLVDISPINFOW& info) {
    const LVITEMW& item = info.item;
    if ((item.mask & LVIF_TEXT) == 0) {
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
    CResultList::FillCell(info, m_strCell);
}

void CFindDlg::Choose(bool paste) {
    const FindRow row = m_results.Row(SelectedRow());
    if (row.pItem == nullptr) {
        return;
    }
    // The owner releases this dialog while it handles the report.
    ReportToOwner({paste ? CommandKind::PasteFound : CommandKind::ChooseFound, row.nGroup, row.nItem});
}

void CFindDlg::OnOK() {
    Choose(false);
}

} // namespace brindlex
