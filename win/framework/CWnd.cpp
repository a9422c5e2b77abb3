#include "win/framework/CWnd.h"

#include "win/framework/CMessageLoop.h"
#include "win/framework/CWinApp.h"
#include "win/framework/Callbacks.h"
#include "win/framework/WideString.h"

#include <commctrl.h>

#include <unordered_map>

namespace {

constexpr UINT_PTR kSubclassId = 0x42524E58; // one subclass of ours per window
constexpr const wchar_t* kOwnClassName = L"BrindlexWnd";

std::unordered_map<HWND, CWnd*>& Objects() {
    static std::unordered_map<HWND, CWnd*> objects;
    return objects;
}

// The control a reflectable message is about, or nullptr for anything else.
HWND ReflectionTarget(HWND hWndParent, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: // lParam 0: a menu or an accelerator
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        return hdr != nullptr ? hdr->hwndFrom : nullptr;
    }
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return dis != nullptr && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        // Carries no window: the control is found by its id.
        const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return mis != nullptr && mis->CtlType != ODT_MENU
                   ? ::GetDlgItem(hWndParent, static_cast<int>(mis->CtlID))
                   : nullptr;
    }
    case WM_DELETEITEM: {
        const auto* dis = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        return dis != nullptr ? dis->hwndItem : nullptr;
    }
    default:
        return nullptr;
    }
}

} // namespace

// One level of message handling of an object; the object may be destroyed inside it, which the
// destructor tells every open frame so that nothing of the object is touched afterwards.
struct CWnd::DispatchFrame {
    DispatchFrame(CWnd* pWnd, CurrentMessage now)
        : m_pWnd(pWnd), m_pOuter(pWnd->m_pFrame), m_saved(pWnd->m_current) {
        pWnd->m_pFrame = this;
        pWnd->m_current = now;
    }
    ~DispatchFrame() {
        if (!m_bDestroyed) {
            m_pWnd->m_pFrame = m_pOuter;
            m_pWnd->m_current = m_saved;
        }
    }
    DispatchFrame(const DispatchFrame&) = delete;
    DispatchFrame& operator=(const DispatchFrame&) = delete;

    CWnd* m_pWnd;
    DispatchFrame* m_pOuter;
    CurrentMessage m_saved;
    bool m_bDestroyed = false;
};

CWnd::~CWnd() {
    for (DispatchFrame* frame = m_pFrame; frame != nullptr; frame = frame->m_pOuter) {
        frame->m_bDestroyed = true;
    }
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
    if (hWnd == nullptr) {
        return nullptr;
    }
    const auto& objects = Objects();
    const auto it = objects.find(hWnd);
    return it != objects.end() ? it->second : nullptr;
}

void CWnd::Bind(HWND hWnd, Attach attach) {
    m_hWnd = hWnd;
    m_attach = attach;
    Objects()[hWnd] = this;
}

void CWnd::Unbind() {
    if (m_hWnd == nullptr) {
        return;
    }
    Objects().erase(m_hWnd);
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
    const HMENU hMenu =
        (dwStyle & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (className == nullptr) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (::GetClassInfoExW(hInstance, kOwnClassName, &wc) == FALSE) {
            wc = WNDCLASSEXW{};
            wc.cbSize = sizeof(wc);
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = OwnClassProc;
            wc.hInstance = hInstance;
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
            wc.lpszClassName = kOwnClassName;
            if (::RegisterClassExW(&wc) == 0) {
                return false;
            }
        }
        // Bound from WM_NCCREATE on; a creation that fails later unbinds at WM_NCDESTROY.
        const HWND hWnd = ::CreateWindowExW(dwExStyle, kOwnClassName, windowName, dwStyle, rect.left,
                                            rect.top, width, height, hWndParent, hMenu, hInstance, this);
        if (hWnd == nullptr || m_hWnd != hWnd) {
            return false;
        }
        m_bOwnsWindow = true;
        return true;
    }
    const HWND hWnd = ::CreateWindowExW(dwExStyle, className, windowName, dwStyle, rect.left, rect.top, width,
                                        height, hWndParent, hMenu, hInstance, nullptr);
    if (hWnd == nullptr) {
        return false;
    }
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
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

HWND CWnd::UnsubclassWindow() {
    if (m_attach != Attach::Subclassed) {
        return nullptr;
    }
    const HWND hWnd = m_hWnd;
    Unbind();
    return hWnd;
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

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    DispatchFrame frame(this, {message, wParam, lParam});
    LRESULT result = 0;
    if (Reflect(m_hWnd, message, wParam, lParam, &result)) {
        return result;
    }
    return WindowProc(message, wParam, lParam);
}

bool CWnd::Reflect(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const HWND hWndChild = ReflectionTarget(hWndParent, message, wParam, lParam);
    if (hWndChild == nullptr || hWndChild == hWndParent) {
        return false;
    }
    CWnd* pChild = FromHandle(hWndChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CALLBACK CWnd::OwnClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    try {
        CWnd* pWnd = FromHandle(hWnd);
        if (pWnd == nullptr && message == WM_NCCREATE) {
            pWnd = static_cast<CWnd*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            if (pWnd != nullptr) {
                pWnd->Bind(hWnd, Attach::OwnClass);
            }
        }
        result = pWnd != nullptr ? pWnd->Dispatch(message, wParam, lParam)
                                 : ::DefWindowProcW(hWnd, message, wParam, lParam);
    } catch (...) {
        brindlex::ReportCallbackException("window procedure");
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        if (CWnd* pWnd = FromHandle(hWnd)) {
            pWnd->Unbind();
        }
    }
    return result;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    LRESULT result = 0;
    try {
        CWnd* pWnd = FromHandle(hWnd);
        result = pWnd != nullptr ? pWnd->Dispatch(message, wParam, lParam)
                                 : ::DefSubclassProc(hWnd, message, wParam, lParam);
    } catch (...) {
        brindlex::ReportCallbackException("subclass procedure");
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        if (CWnd* pWnd = FromHandle(hWnd)) {
            pWnd->Unbind();
        }
    }
    return result;
}

RECT CWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const {
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetRectInParent() const {
    RECT rc = GetWindowRect();
    const HWND hWndParent = (GetStyle() & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent != nullptr) {
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    }
    return rc;
}

bool CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) {
        return false;
    }
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

bool CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    const DWORD style = GetExStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) {
        return false;
    }
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void CWnd::SetWindowText(const std::u16string& text) const {
    ::SetWindowTextW(m_hWnd, W(text));
}

std::u16string CWnd::GetWindowText() const {
    return GetWindowTextU16(m_hWnd);
}

void CWnd::SetDlgItemText(int nID, const std::u16string& text) const {
    ::SetDlgItemTextW(m_hWnd, nID, W(text));
}

std::u16string CWnd::GetDlgItemText(int nID) const {
    return GetWindowTextU16(::GetDlgItem(m_hWnd, nID));
}

void CWnd::CenterWindow(HWND hWndCenter) const {
    const DWORD style = GetStyle();
    const bool bChild = (style & WS_CHILD) != 0;
    HWND hWndOn = hWndCenter;
    if (hWndOn == nullptr) {
        hWndOn = bChild ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndOn != nullptr && (::IsWindowVisible(hWndOn) == FALSE || ::IsIconic(hWndOn) != FALSE)) {
            hWndOn = nullptr;
        }
    }
    if (hWndOn == ::GetDesktopWindow()) {
        hWndOn = nullptr;
    }

    RECT rcArea{};
    RECT rcOn{};
    if (bChild) {
        const HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        rcOn = rcArea;
        if (hWndOn != nullptr && hWndOn != hWndParent) {
            ::GetWindowRect(hWndOn, &rcOn);
            ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<POINT*>(&rcOn), 2);
        }
    } else {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        const HMONITOR hMonitor =
            ::MonitorFromWindow(hWndOn != nullptr ? hWndOn : m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (::GetMonitorInfoW(hMonitor, &mi) != FALSE) {
            rcArea = mi.rcWork;
        } else {
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
        }
        rcOn = rcArea;
        if (hWndOn != nullptr) {
            ::GetWindowRect(hWndOn, &rcOn);
        }
    }

    const RECT rc = bChild ? GetRectInParent() : GetWindowRect();
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    int x = (rcOn.left + rcOn.right) / 2 - width / 2;
    int y = (rcOn.top + rcOn.bottom) / 2 - height / 2;
    if (x + width > rcArea.right) {
        x = rcArea.right - width;
    }
    if (x < rcArea.left) {
        x = rcArea.left;
    }
    if (y + height > rcArea.bottom) {
        y = rcArea.bottom - height;
    }
    if (y < rcArea.top) {
        y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
