// A window object's life with its window: creation, taking over and giving back, binding,
// release and default processing. The window procedures are in CWndProcedure.cpp, the thin calls
// on the bound window in CWndForwarders.cpp.
#include "win/framework/CWnd.h"

#include "win/framework/CMessageLoop.h"
#include "win/framework/CWinApp.h"
#include "win/framework/CWndMap.h"

#include <commctrl.h>

namespace brindlex {

namespace {

constexpr UINT_PTR kSubclassId = 0x42524E58; // one subclass of ours per window
constexpr const wchar_t* kOwnClassName = L"BrindlexWnd";

// The framework's own window class, registered on first use.
bool RegisterOwnClass(HINSTANCE hInstance, WNDPROC windowProc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(hInstance, kOwnClassName, &wc) != FALSE) {
        return true;
    }
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kOwnClassName;
    return ::RegisterClassExW(&wc) != 0;
}

} // namespace

CWnd::~CWnd() {
    CDispatchFrame::AbandonAll(m_pFrame);
    ReleaseWindow();
}

void CWnd::ReleaseWindow() noexcept {
    if (m_hWnd == nullptr) {
        return;
    }
    const HWND hWnd = m_hWnd;
    const bool bOwns = m_bOwnsWindow;
    Unbind();
    if (bOwns && ::IsWindow(hWnd)) {
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return CWndMap::Find(hWnd);
}

void CWnd::Bind(HWND hWnd, Attach attach) {
    m_hWnd = hWnd;
    m_attach = attach;
    CWndMap::Add(hWnd, this);
}

void CWnd::Unbind() {
    if (m_hWnd == nullptr) {
        return;
    }
    CWndMap::Remove(m_hWnd);
    if (m_attach == Attach::Subclassed) {
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    }
    CMessageLoop::RemoveDialog(m_hWnd);
    m_hWnd = nullptr;
    m_attach = Attach::None;
    m_bOwnsWindow = false;
}

bool CWnd::InstallSubclass(HWND hWnd) {
    return ::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

bool CWnd::CreateEx(DWORD dwExStyle, const wchar_t* className, const wchar_t* windowName, DWORD dwStyle,
                    const RECT& rect, HWND hWndParent, UINT nID) {
    if (m_hWnd != nullptr) {
        return false;
    }
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    const bool bOwnClass = className == nullptr;
    if (bOwnClass && !RegisterOwnClass(hInstance, OwnClassProc)) {
        return false;
    }
    const HMENU hMenu =
        (dwStyle & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    // Our own class is bound from WM_NCCREATE on (a creation that fails later unbinds at
    // WM_NCDESTROY); any other class is taken over once it exists.
    const HWND hWnd = ::CreateWindowExW(dwExStyle, bOwnClass ? kOwnClassName : className, windowName, dwStyle,
                                        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                        hWndParent, hMenu, hInstance, bOwnClass ? this : nullptr);
    if (hWnd == nullptr) {
        return false;
    }
    if (!bOwnClass && !SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return false;
    }
    if (m_hWnd != hWnd) {
        return false;
    }
    m_bOwnsWindow = true;
    return true;
}

bool CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr || ::IsWindow(hWnd) == FALSE || FromHandle(hWnd) != nullptr) {
        return false;
    }
    if (!InstallSubclass(hWnd)) {
        return false;
    }
    Bind(hWnd, Attach::Subclassed);
    PreSubclassWindow();
    return true;
}

bool CWnd::SubclassDlgItem(UINT nID, HWND hWndParent) {
    const HWND hWnd = ::GetDlgItem(hWndParent, static_cast<int>(nID));
    return hWnd != nullptr && SubclassWindow(hWnd);
}

bool CWnd::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd) != FALSE;
}

void CWnd::PreSubclassWindow() {
}

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM) {
    return Default();
}

bool CWnd::PreTranslateMessage(MSG*) {
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (m_attach) {
    case Attach::Subclassed:
        // A dialog's default initialisation is the dialog manager's, which already runs around
        // WM_INITDIALOG: passing it down again would re-enter the dialog procedure.
        if (message == WM_INITDIALOG) {
            return TRUE;
        }
        return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
    case Attach::OwnClass:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    case Attach::None:
        break;
    }
    return 0;
}

} // namespace brindlex
