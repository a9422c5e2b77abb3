#include "win/dialogs/CQuickPasteDlg.h"

#include "win/framework/LocaleCaseFold.h"
#include "win/framework/WindowDpi.h"
#include "res/resource.h"

#include <algorithm>

namespace brindlex {

namespace {

// The search is folded (a moment for a large library) soon after the start, or soon after the
// popup has first been shown if the hotkey came sooner, so that the first letter typed finds it
// ready. Not at once: under Wine a painted window reaches the screen only once its thread is idle,
// and the fold would hold the popup back from the screen.
constexpr UINT_PTR kPrepareTimer = 0x51;
constexpr UINT kPrepareAfterStartMs = 1000;
constexpr UINT kPrepareAfterShownMs = 100;

enum Column { kColumnName, kColumnFolder };

} // namespace

CQuickPasteDlg::CQuickPasteDlg(CLibrary& library, const CRecentItems& recent, ICommandHost& host)
    : CModelessDlg(IDD_QUICK_PASTE, host, CommandKind::QuickPasteClosed), m_library(library),
      m_results(library, FoldForUserLocale, recent) {
    AddCommand(IDC_QUICK_QUERY, EN_CHANGE, [this] { OnQueryChanged(); });
}

CQuickPasteDlg::~CQuickPasteDlg() {
    ReleaseWindow();
}

bool CQuickPasteDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_QUICK_RESULTS), {L"Name", L"Folder"});
    FitColumns();
    ::SetTimer(m_hWnd, kPrepareTimer, kPrepareAfterStartMs, nullptr);
    return true;
}

void CQuickPasteDlg::OnDpiChanged() {
    FitColumns();
}

// The name takes three fifths of the list's width, the folder the rest, room left for a scroll bar.
void CQuickPasteDlg::FitColumns() {
    RECT rc{};
    ::GetClientRect(m_list.GetSafeHwnd(), &rc);
    const int width = rc.right - rc.left - SystemMetricForDpi(SM_CXVSCROLL, Dpi());
    ListView_SetColumnWidth(m_list.GetSafeHwnd(), kColumnName, width * 3 / 5);
    ListView_SetColumnWidth(m_list.GetSafeHwnd(), kColumnFolder, width - width * 3 / 5);
}

void CQuickPasteDlg::Open(const RECT& rc, const std::u16string& note) {
    m_strNote = note;
    SetDlgItemText(IDC_QUICK_NOTE, note);
    SetDlgItemText(IDC_QUICK_QUERY, u""); // the results follow through EN_CHANGE
    OnQueryChanged();                     // also when the query was empty already
    m_bOpening = true;
    SetWindowPos(HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_SHOWWINDOW);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(GetDlgItem(IDC_QUICK_QUERY));
    // Shown and brought forward from another program's front, the caption can stay drawn in the
    // inactive colours (seen under Wine) although the popup has the focus: draw it as it is.
    if (::GetForegroundWindow() == m_hWnd) {
        SendMessage(WM_NCACTIVATE, TRUE);
    }
    m_bOpening = false;
    if (!m_results.IsSearchPrepared()) {
        ::SetTimer(m_hWnd, kPrepareTimer, kPrepareAfterShownMs, nullptr);
    }
}

void CQuickPasteDlg::OnQueryChanged() {
    m_results.SetQuery(GetDlgItemText(IDC_QUICK_QUERY));
    m_list.Show(m_results.Count(), 0);
}

bool CQuickPasteDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) {
        return false;
    }
    switch (pMsg->wParam) {
    case VK_UP:
    case VK_DOWN:
        m_list.Step(pMsg->wParam == VK_UP ? -1 : 1, m_results.Count());
        return true;
    case VK_PRIOR:
    case VK_NEXT: {
        // A page of rows, as the list itself would move with the focus in it.
        const int page = std::max(1, ListView_GetCountPerPage(m_list.GetSafeHwnd()) - 1);
        m_list.Step(pMsg->wParam == VK_PRIOR ? -page : page, m_results.Count());
        return true;
    }
    case VK_RETURN:
        Choose();
        return true;
    default:
        return false;
    }
}

LRESULT CQuickPasteDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam != kPrepareTimer) {
            break;
        }
        ::KillTimer(m_hWnd, kPrepareTimer);
        if (!m_results.IsSearchPrepared()) {
            m_results.PrepareSearch();
        }
        return 0;
    case WM_ACTIVATE:
        // A click elsewhere: the popup goes, and the focus stays where the user clicked.
        if (LOWORD(wParam) == WA_INACTIVE && !m_bOpening && IsWindowVisible()) {
            ReportToOwner(CommandKind::QuickPasteDeactivated);
        }
        break;
    case WM_NOTIFY:
        if (LRESULT result = 0; lParam != 0 && OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) {
            return result;
        }
        break;
    default:
        break;
    }
    return CModelessDlg::WindowProc(message, wParam, lParam);
}

bool CQuickPasteDlg::OnNotify(NMHDR& hdr, LRESULT& result) {
    if (hdr.hwndFrom != m_list.GetSafeHwnd()) {
        return false;
    }
    switch (hdr.code) {
    case NM_CUSTOMDRAW:
        result = m_list.OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(hdr));
        return true;
    case LVN_GETDISPINFOW:
        OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(hdr));
        return true;
    case NM_DBLCLK:
        if (reinterpret_cast<const NMITEMACTIVATE&>(hdr).iItem >= 0) {
            Choose();
        }
        return true;
    default:
        return false;
    }
}

void CQuickPasteDlg::OnGetDispInfo(NMLVDISPINFOW& info) {
    const FindRow row = m_results.Row(info.item.iItem);
    m_strCell.clear();
    if (row.pItem != nullptr) {
        if (info.item.iSubItem == kColumnName) {
            m_strCell = row.pItem->m_strName;
        } else if (m_library.IsGroupIndex(row.nGroup)) {
            m_strCell = m_library.Group(row.nGroup).m_strName;
        }
    }
    CResultList::FillCell(info, m_strCell);
}

void CQuickPasteDlg::Choose() {
    const FindRow row = m_results.Row(SelectedRow());
    if (row.pItem == nullptr || HasNote()) {
        return; // nothing to paste, or a target that cannot take it (the note says why)
    }
    ReportToOwner({CommandKind::PasteQuickItem, row.nGroup, row.nItem});
}

void CQuickPasteDlg::OnOK() {
    Choose();
}

} // namespace brindlex
