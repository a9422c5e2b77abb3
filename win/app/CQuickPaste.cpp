#include "win/app/CQuickPaste.h"

#include "core/layout/PopupPlacement.h"
#include "core/paste/TargetIntegrity.h"
#include "win/paste/CPasteTarget.h"

namespace brindlex {

namespace {

bool IsWindowOfThisProcess(HWND hWnd) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    return processId == ::GetCurrentProcessId();
}

Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The caret of the thread that owns `hFront`, on the screen; else the mouse pointer with the
// height of the pointer below it, so that the popup does not open under it.
Rect PopupAnchor(HWND hFront) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (hFront != nullptr && ::GetGUIThreadInfo(::GetWindowThreadProcessId(hFront, nullptr), &info) &&
        info.hwndCaret != nullptr) {
        RECT caret = info.rcCaret;
        ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
        return ToRect(caret);
    }
    POINT pt{};
    ::GetCursorPos(&pt);
    return {pt.x, pt.y, pt.x + 1, pt.y + ::GetSystemMetrics(SM_CYCURSOR)};
}

Rect WorkAreaOf(const Rect& anchor) {
    const RECT r{anchor.left, anchor.top, anchor.right, anchor.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        return ToRect(work);
    }
    return ToRect(monitor.rcWork);
}

} // namespace

CQuickPaste::CQuickPaste(CLibrary& library, IOwner& owner, ICommandHost& host)
    : m_library(library), m_owner(owner), m_host(host), m_recent(library) {
}

void CQuickPaste::OnHotkey() {
    if (IsOpen()) {
        OnClosed(true);
    } else {
        Open();
    }
}

void CQuickPaste::Open() {
    m_hFront = ::GetForegroundWindow();
    const HWND hRoot = m_hFront != nullptr ? ::GetAncestor(m_hFront, GA_ROOTOWNER) : nullptr;
    m_hTarget = hRoot != nullptr && IsWindowOfThisProcess(hRoot) ? m_owner.ChosenTarget() : hRoot;

    std::u16string note;
    if (m_hTarget != nullptr) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(m_hTarget, &processId);
        if (!CanTypeInto(ProcessIntegrityLevel(::GetCurrentProcessId()), ProcessIntegrityLevel(processId))) {
            note = u"That window runs as administrator: Brindlex cannot paste into it.";
        }
    }
    if (!Prepare()) {
        return;
    }
    const RECT size = m_pDlg->GetWindowRect();
    const Rect anchor = PopupAnchor(m_hFront);
    const Rect placed =
        PlacePopup(anchor, size.right - size.left, size.bottom - size.top, WorkAreaOf(anchor));
    m_pDlg->Open(RECT{placed.left, placed.top, placed.right, placed.bottom}, note);
}

bool CQuickPaste::Prepare() {
    if (m_pDlg == nullptr) {
        m_pDlg = std::make_unique<CQuickPasteDlg>(m_library, m_recent, m_host);
        // No owner: the popup must not bring the main window forward with it.
        if (!m_pDlg->Create(nullptr)) {
            m_pDlg.reset();
        }
    }
    return m_pDlg != nullptr;
}

void CQuickPaste::OnChoose(int group, int item) {
    if (!m_library.IsGroupIndex(group) || item < 0 ||
        static_cast<std::size_t>(item) >= m_library.Group(group).ItemCount()) {
        return;
    }
    const CPasteItem& chosen = m_library.Group(group).Item(static_cast<std::size_t>(item));
    // The target first, so that hiding the popup hands the activation to no other window.
    if (m_hTarget != nullptr) {
        ::SetForegroundWindow(m_hTarget);
    }
    Hide();
    m_owner.PasteQuickItem(m_hTarget, chosen);
}

void CQuickPaste::OnClosed(bool giveFocusBack) {
    if (giveFocusBack && m_hFront != nullptr && ::IsWindow(m_hFront)) {
        ::SetForegroundWindow(m_hFront);
    }
    Hide();
}

void CQuickPaste::Hide() {
    if (m_pDlg != nullptr) {
        m_pDlg->ShowWindow(SW_HIDE);
    }
}

} // namespace brindlex
