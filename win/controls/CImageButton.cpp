#include "win/controls/CImageButton.h"

#include "core/layout/Dpi.h"
#include "win/framework/LayoutGeometry.h"
#include "win/framework/MessageParams.h"
#include "win/framework/WindowDpi.h"

namespace brindlex {

namespace {

// The button type bits as the template gives them.
constexpr DWORD kTypeBits = 0x1F;

// A check box type is our toggle.
bool IsToggleType(DWORD style) {
    const DWORD type = style & kTypeBits;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

} // namespace

CImageButton::CImageButton() = default;

CImageButton::~CImageButton() {
    // The tooltip may stay on with the other buttons of the window.
    if (m_pToolTip && m_hWnd != nullptr) {
        m_pToolTip->RemoveTool(m_hWnd);
    }
    ReleaseWindow();
}

void CImageButton::PreSubclassWindow() {
    const DWORD style = GetStyle();
    m_bToggle = IsToggleType(style);
    if ((style & kTypeBits) == BS_DEFPUSHBUTTON) {
        m_bDefault = true;
    }
    ModifyStyle(kTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

bool CImageButton::AssignIcon(HICON hIcon) {
    m_hIcon.reset();
    m_cxIcon = 0;
    m_cyIcon = 0;
    if (hIcon == nullptr) {
        Invalidate();
        return true;
    }
    m_hIcon.reset(hIcon);
    ICONINFO info{};
    if (::GetIconInfo(hIcon, &info) == FALSE) {
        m_hIcon.reset();
        return false;
    }
    const CBitmapHandle mask(info.hbmMask);
    const CBitmapHandle colour(info.hbmColor);
    // An icon's hotspot is its centre.
    m_cxIcon = static_cast<int>(info.xHotspot) * 2;
    m_cyIcon = static_cast<int>(info.yHotspot) * 2;
    Invalidate();
    return true;
}

void CImageButton::UseHandCursor() {
    m_hCursor = ::LoadCursorW(nullptr, IDC_HAND);
    Invalidate();
}

void CImageButton::JoinToolTip() {
    if (!m_pToolTip && m_hWnd != nullptr) {
        m_pToolTip = CSharedToolTip::For(m_hWnd);
    }
}

void CImageButton::SetTipText(const wchar_t* text) {
    if (text == nullptr) {
        return;
    }
    JoinToolTip();
    if (m_pToolTip) {
        m_pToolTip->SetToolText(m_hWnd, text);
    }
}

void CImageButton::SetDpi(int dpi) {
    m_nDpi = dpi;
    Invalidate();
}

void CImageButton::MakeTransparent() {
    m_bTransparent = true;
    m_snapshot.Drop();
    Invalidate();
}

void CImageButton::SetImageAlignment(ImageAlign alignment) {
    m_alignment = alignment;
    Invalidate();
}

void CImageButton::SetToggleState(bool bOn) {
    if (!m_bToggle) {
        return;
    }
    m_nCheck = bOn ? 1 : 0;
    Invalidate();
}

bool CImageButton::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd != m_hWnd) {
        return false;
    }
    JoinToolTip();
    if (m_pToolTip) {
        m_pToolTip->RelayEvent(pMsg);
    }
    // A quick second click is another click, not a double click.
    if (pMsg->message == WM_LBUTTONDBLCLK) {
        pMsg->message = WM_LBUTTONDOWN;
    }
    return false;
}

bool CImageButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        *pResult = TRUE;
        return true;
    case WM_CTLCOLORBTN:
        // The button erases nothing: its paint covers everything, over the parent's pixels.
        *pResult = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    case WM_COMMAND:
        if (CommandCode(wParam) == BN_CLICKED) {
            SetFocus();
            if (m_bToggle) {
                m_nCheck = m_nCheck != 0 ? 0 : 1;
                Invalidate();
            }
        }
        return false; // the parent handles the click as well
    default:
        return false;
    }
}

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: {
        const LRESULT result = Default();
        OnMouseMove(wParam, lParam);
        return result;
    }
    case WM_MOUSELEAVE:
        EndHover();
        return 0;
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
        const LRESULT result = Default();
        EndHover();
        return result;
    }
    case WM_ACTIVATE:
        if (LowWord(wParam) == WA_INACTIVE) {
            EndHover();
        }
        break;
    case WM_ENABLE: {
        const LRESULT result = Default();
        if (wParam == FALSE) {
            OnEnableOff();
        }
        return result;
    }
    case WM_SETCURSOR:
        if (m_hCursor != nullptr) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
        return (Default() & ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) |
               (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        return OnSetStyle(wParam, lParam);
    case BM_SETCHECK:
        return OnSetCheck(wParam);
    case BM_GETCHECK:
        return m_nCheck;
    case WM_WINDOWPOSCHANGED: {
        // Moved or sized (a new layout, another DPI): what lies behind it is somewhere else now.
        const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            m_snapshot.Drop();
            Invalidate();
        }
        break;
    }
    case WM_SYSCOLORCHANGE: {
        const LRESULT result = Default();
        m_snapshot.Drop();
        m_painter.ResetColours();
        Invalidate();
        return result;
    }
    default:
        break;
    }
    return Default();
}

LRESULT CImageButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    // The dialog manager moves the default-button style around: remember it, stay owner-drawn.
    const DWORD type = static_cast<DWORD>(wParam) & kTypeBits;
    if (type == BS_DEFPUSHBUTTON) {
        m_bDefault = true;
    } else if (type == BS_PUSHBUTTON) {
        m_bDefault = false;
    }
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kTypeBits)) | BS_OWNERDRAW, lParam);
}

LRESULT CImageButton::OnSetCheck(WPARAM wParam) {
    if (m_bToggle) {
        m_nCheck = wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0;
        Invalidate();
    }
    return 0;
}

void CImageButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    POINT pt = MousePoint(lParam);
    ClientToScreen(&pt);
    const HWND hWndUnder = ::WindowFromPoint(pt);
    // Dragging onto a button does not light it.
    if ((wParam & MK_LBUTTON) != 0 && !m_bHover) {
        return;
    }
    if (hWndUnder == m_hWnd) {
        StartHover();
    } else {
        EndHover();
    }
}

void CImageButton::StartHover() {
    if (m_bHover) {
        return;
    }
    m_bHover = true;
    Invalidate();
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&tme);
}

void CImageButton::EndHover() {
    if (!m_bHover) {
        return;
    }
    m_bHover = false;
    Invalidate();
}

void CImageButton::OnEnableOff() {
    // A disabled window loses the focus (the system leaves it nowhere): hand it on to the next
    // control. The focus is only moved when it was the button's, never taken from another control.
    const HWND hWndParent = GetParent();
    const HWND hWndFocus = ::GetFocus();
    const bool bFocusWasOurs = hWndFocus == m_hWnd || (hWndFocus == nullptr && hWndParent != nullptr &&
                                                       ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT));
    if (bFocusWasOurs && hWndParent != nullptr) {
        const HWND hWndNext = ::GetNextDlgTabItem(hWndParent, m_hWnd, FALSE);
        ::SetFocus(hWndNext != nullptr && hWndNext != m_hWnd ? hWndNext : hWndParent);
    }
    EndHover();
}

void CImageButton::DrawItem(const DRAWITEMSTRUCT& dis) {
    const HDC hDC = dis.hDC;
    const RECT& rcItem = dis.rcItem;
    ImageButtonLook look;
    look.pressed = (dis.itemState & ODS_SELECTED) != 0 || (m_bToggle && m_nCheck == 1);
    look.hover = m_bHover;
    look.disabled = (dis.itemState & ODS_DISABLED) != 0;
    ::SetBkMode(hDC, TRANSPARENT);

    const RECT rcClient = GetClientRect();
    if (m_bTransparent) {
        if (m_snapshot.IsEmpty()) {
            m_snapshot.Take(GetParent(), GetRectInParent(), rcClient.right, rcClient.bottom);
        }
        m_snapshot.PaintInto(hDC, rcClient.right, rcClient.bottom);
    } else {
        m_painter.PaintFace(hDC, rcItem);
    }

    const std::u16string caption = GetWindowText();
    ImageButtonLayoutInput in;
    in.item = ToRect(rcItem);
    in.clientWidth = rcClient.right;
    in.iconWidth = m_cxIcon;
    in.iconHeight = m_cyIcon;
    in.alignment = m_alignment;
    in.hasIcon = static_cast<bool>(m_hIcon);
    in.hasCaption = !caption.empty();
    in.margin = ScaleForDpi(m_nImageMargin, m_nDpi != 0 ? m_nDpi : WindowDpi(m_hWnd));
    in.pressed = look.pressed;
    in.toggle = m_bToggle;
    in.shiftX = m_ptPressedShift.x;
    in.shiftY = m_ptPressedShift.y;
    m_painter.PaintContents(hDC, rcItem, PlaceImageButton(in), m_hIcon.get(), caption, look);
}

} // namespace brindlex
