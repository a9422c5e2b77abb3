#include "win/lists/CInplaceEdit.h"

namespace brindlex {

namespace {
constexpr UINT kEditId = 1;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
} // namespace

bool CInplaceEdit::Open(HWND hWndList, const RECT& rect, const std::u16string& text, int index,
                        RowId record) {
    if (!CreateEx(0, L"EDIT", L"", kEditStyle, rect, hWndList, kEditId)) {
        return false;
    }
    m_nIndex = index;
    m_record = record;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    SendMessage(WM_SETFONT, static_cast<WPARAM>(::SendMessageW(hWndList, WM_GETFONT, 0, 0)), TRUE);
    SetWindowText(text);
    SendMessage(EM_SETSEL, 0, -1);
    SetFocus();
    return true;
}

void CInplaceEdit::Close(bool accept, const Accept& onAccept) {
    if (m_bClosing || !IsWindow()) {
        return;
    }
    m_bClosing = true;
    if (accept && m_nIndex != -1 && !m_record.IsEmpty()) {
        onAccept(m_nIndex, m_record, GetWindowText());
    }
    // Cleared first: the focus loss that the destruction causes finds nothing to accept.
    m_nIndex = -1;
    m_record = RowId();
    if (::GetFocus() == m_hWnd) {
        ::SetFocus(GetParent()); // Enter or Escape: the keyboard goes back to the list
    }
    DestroyWindow();
    m_bClosing = false;
}

void CInplaceEdit::CloseWithoutAccept() {
    // The focus loss of the destruction comes back as WM_INPLACE_EDIT_END: it must find nothing
    // to do, and above all not destroy the editor a second time.
    m_nIndex = -1;
    m_record = RowId();
    m_bClosing = true;
    DestroyWindow();
    m_bClosing = false;
}

void CInplaceEdit::ForgetRecord(RowId record) {
    if (m_record == record) {
        m_record = RowId();
    }
}

LRESULT CInplaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return OnGetDlgCode(lParam);
    case WM_CHAR:
        // Enter and Escape end the rename on their key-up; a single-line edit would only beep.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            return 0;
        }
        break;
    case WM_KEYUP:
        return OnKeyUp(wParam);
    case WM_KILLFOCUS:
        return OnKillFocus();
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CInplaceEdit::OnGetDlgCode(LPARAM lParam) {
    LRESULT code = Default();
    // The main window is a dialog: without this its dialog manager would take Enter as IDOK and
    // Escape as IDCANCEL, which hides the whole window, instead of letting them end the rename.
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg != nullptr && msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

LRESULT CInplaceEdit::OnKeyUp(WPARAM vk) {
    if (vk == VK_RETURN) {
        NotifyEnd(true);
    } else if (vk == VK_ESCAPE) {
        NotifyEnd(false);
    }
    return Default(); // nothing left to do once the list has closed the window
}

LRESULT CInplaceEdit::OnKillFocus() {
    NotifyEnd(true);
    return Default();
}

void CInplaceEdit::NotifyEnd(bool accept) {
    const HWND hWndList = GetParent();
    if (hWndList != nullptr) {
        ::SendMessageW(hWndList, WM_INPLACE_EDIT_END, accept ? 1 : 0, 0);
    }
}

} // namespace brindlex
