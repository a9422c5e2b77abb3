#include "win/framework/CDialog.h"

#include "win/framework/CMessageLoop.h"
#include "win/framework/CWinApp.h"
#include "win/framework/Callbacks.h"
#include "win/framework/DialogRescale.h"
#include "win/framework/MessageParams.h"
#include "win/framework/WindowDpi.h"

#include <utility>

namespace brindlex {

CDialog::CDialog(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {
}

CDialog::CDialog(const DLGTEMPLATE* pTemplate) : m_pTemplate(pTemplate) {
}

CDialog::~CDialog() = default;

HWND CDialog::CreateFromTemplate(HWND hWndParent) {
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (m_pTemplate != nullptr) {
        return ::CreateDialogIndirectParamW(hInstance, m_pTemplate, hWndParent, DialogProc, self);
    }
    return ::CreateDialogParamW(hInstance, MAKEINTRESOURCEW(m_nIDTemplate), hWndParent, DialogProc, self);
}

// The dialog manager calls this for every message, but only WM_INITDIALOG needs it: there the
// object is bound and the window subclassed, so from then on every message reaches WindowProc
// first and the dialog manager's processing is what Default() calls.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    return GuardCallback<INT_PTR>("dialog procedure", FALSE, [&]() -> INT_PTR {
        auto* pDlg = reinterpret_cast<CDialog*>(lParam);
        if (pDlg == nullptr || FromHandle(hWnd) != nullptr || pDlg->m_hWnd != nullptr ||
            !pDlg->InstallSubclass(hWnd)) {
            return FALSE;
        }
        pDlg->Bind(hWnd, Attach::Subclassed);
        CMessageLoop::AddDialog(hWnd);
        pDlg->PreSubclassWindow();
        return pDlg->Dispatch(WM_INITDIALOG, wParam, lParam);
    });
}

INT_PTR CDialog::DoModal(HWND hWndOwner) {
    if (m_hWnd != nullptr) {
        return -1;
    }
    m_bModal = true;
    m_bEndModal = false;
    m_nModalResult = -1;
    // As the system's modal dialogs do: the owner takes no input while the dialog runs.
    const bool bDisableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner) != FALSE;
    if (bDisableOwner) {
        ::EnableWindow(hWndOwner, FALSE);
    }
    const HWND hWnd = CreateFromTemplate(hWndOwner);
    bool bQuit = false;
    if (hWnd != nullptr && m_hWnd == hWnd) {
        if (!m_bEndModal && ::IsWindowVisible(hWnd) == FALSE && ShowWhenModalRunStarts()) {
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        }
        bQuit = !CMessageLoop::RunUntil([this, hWnd] { return m_bEndModal || m_hWnd != hWnd; });
    }
    if (bDisableOwner) {
        ::EnableWindow(hWndOwner, TRUE);
    }
    if (hWnd != nullptr && ::IsWindow(hWnd) != FALSE) {
        ::DestroyWindow(hWnd);
    }
    m_bModal = false;
    return hWnd != nullptr && !bQuit && m_bEndModal ? m_nModalResult : -1;
}

bool CDialog::Create(HWND hWndParent) {
    if (m_hWnd != nullptr) {
        return false;
    }
    m_bModal = false;
    const HWND hWnd = CreateFromTemplate(hWndParent);
    if (hWnd == nullptr || m_hWnd != hWnd) {
        return false;
    }
    m_bOwnsWindow = true;
    return true;
}

void CDialog::EndDialog(int nResult) {
    if (m_bModal) {
        m_nModalResult = nResult;
        m_bEndModal = true;
        // Wakes the loop when this is called from outside its message handling.
        if (m_hWnd != nullptr) {
            ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
        }
        return;
    }
    DestroyWindow();
}

bool CDialog::OnInitDialog() {
    return true;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

int CDialog::Dpi() const {
    return m_nDpi != 0 ? m_nDpi : WindowDpi(m_hWnd);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_DPICHANGED: {
        if (lParam == 0) {
            break;
        }
        // The system's own handling first: it scales a template dialog's font and controls where
        // it can (a new font says so); otherwise that is done here.
        const int oldDpi = Dpi();
        const LRESULT fontBefore = SendMessage(WM_GETFONT);
        Default();
        m_nDpi = LOWORD(wParam);
        if (SendMessage(WM_GETFONT) == fontBefore) {
            CFontHandle font = RescaleDialogForDpi(m_hWnd, oldDpi, m_nDpi);
            if (font) {
                m_fontForDpi = std::move(font);
            }
        }
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        OnDpiChanged();
        SendMessage(WM_SIZE, 0, 0);
        InvalidateRect(nullptr, true);
        return 0;
    }
    case WM_COMMAND:
        // Buttons, Enter and Esc (the dialog manager) and menus all send code 0 (BN_CLICKED).
        if (CommandCode(wParam) == BN_CLICKED) {
            if (CommandId(wParam) == IDOK) {
                OnOK();
                return 0;
            }
            if (CommandId(wParam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

} // namespace brindlex
