#include "win/controls/CLabel.h"

#include "core/layout/LabelFormat.h"
#include "win/framework/CGdiSelection.h"
#include "win/framework/CPaintDC.h"
#include "win/framework/WideString.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <vector>

namespace brindlex {

static_assert(kSsCenter == SS_CENTER && kSsRight == SS_RIGHT && kSsLeftNoWordWrap == SS_LEFTNOWORDWRAP &&
              kSsCenterImage == SS_CENTERIMAGE && kSsTypeMask == SS_TYPEMASK);
static_assert(kDtCenter == DT_CENTER && kDtRight == DT_RIGHT && kDtVCenter == DT_VCENTER &&
              kDtWordBreak == DT_WORDBREAK && kDtSingleLine == DT_SINGLELINE &&
              kDtExpandTabs == DT_EXPANDTABS);

CLabel::CLabel()
    : m_clrText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_brushFace(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))) {
}

CLabel::~CLabel() {
    // The control lives on with the dialog: give it back before the font it may still hold goes.
    ReleaseWindow();
}

void CLabel::PreSubclassWindow() {
    auto hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (hFont == nullptr) {
        hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    }
    if (::GetObjectW(hFont, sizeof m_logFont, &m_logFont) == 0) {
        ::GetObjectW(::GetStockObject(SYSTEM_FONT), sizeof m_logFont, &m_logFont);
    }
    RecreateFont();
    CWnd::PreSubclassWindow();
}

void CLabel::RecreateFont() {
    m_font.reset();
    m_font.reset(::CreateFontIndirectW(&m_logFont));
}

CLabel& CLabel::SetCaptionColour(COLORREF colour) {
    m_clrText = colour;
    Refresh();
    return *this;
}

CLabel& CLabel::SetUnderline(bool bUnderline) {
    m_logFont.lfUnderline = bUnderline ? TRUE : FALSE;
    RecreateFont();
    Refresh();
    return *this;
}

CLabel& CLabel::SetSeeThrough(bool bSeeThrough) {
    m_bSeeThrough = bSeeThrough;
    if (m_hWnd != nullptr) {
        ModifyStyleEx(0, WS_EX_TRANSPARENT);
    }
    Refresh();
    return *this;
}

CLabel& CLabel::MakeLink(bool bLink, bool bNotifyParent) {
    m_bLink = bLink;
    m_bNotifyParent = bNotifyParent;
    if (m_hWnd != nullptr) {
        if (bLink) {
            ModifyStyle(0, SS_NOTIFY);
        } else {
            ModifyStyle(SS_NOTIFY, 0);
        }
    }
    return *this;
}

CLabel& CLabel::SetHoverCursor(HCURSOR hCursor) {
    m_hCursor = hCursor;
    return *this;
}

// The label at once, then the parent's pixels under it: a see-through label's old text is part of
// what the parent shows there.
void CLabel::Refresh() {
    if (m_hWnd == nullptr) {
        return;
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const HWND hParent = GetParent();
    if (hParent != nullptr) {
        const RECT rc = GetRectInParent();
        ::InvalidateRect(hParent, &rc, TRUE);
        ::UpdateWindow(hParent);
    }
}

LRESULT CLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        return Default();
    case WM_SETCURSOR:
        if (OnSetCursor()) {
            return TRUE;
        }
        break;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        break;
    case WM_SETTEXT:
        return OnSetText();
    case WM_SETFONT:
        OnSetFont(reinterpret_cast<HFONT>(wParam));
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLabel::OnSetFont(HFONT hFont) {
    // A new font for the label (the dialog's, scaled for a screen of another DPI): its face and
    // size, with the label's own weight, slant and underline.
    LOGFONTW given{};
    if (hFont == nullptr || ::GetObjectW(hFont, sizeof given, &given) == 0) {
        return;
    }
    m_logFont.lfHeight = given.lfHeight;
    m_logFont.lfWidth = given.lfWidth;
    std::copy(std::begin(given.lfFaceName), std::end(given.lfFaceName), std::begin(m_logFont.lfFaceName));
    RecreateFont();
    Refresh();
}

void CLabel::OnPaint() {
    const CPaintDC dc(m_hWnd);
    const RECT rcClient = GetClientRect();
    const std::u16string text = GetWindowText();
    if (m_bSeeThrough) {
        DrawLabelText(dc.get(), rcClient, text);
        return;
    }
    // Drawn off screen and copied in one go, so the text does not flicker over its background.
    const int cx = rcClient.right - rcClient.left;
    const int cy = rcClient.bottom - rcClient.top;
    const CMemoryDC memDC(::CreateCompatibleDC(dc.get()));
    const CBitmapHandle bitmap(::CreateCompatibleBitmap(dc.get(), cx, cy));
    if (!memDC || !bitmap) {
        ::FillRect(dc.get(), &rcClient, m_brushFace.get());
        DrawLabelText(dc.get(), rcClient, text);
        return;
    }
    const CGdiSelection selectBitmap(memDC.get(), bitmap.get());
    ::FillRect(memDC.get(), &rcClient, m_brushFace.get());
    DrawLabelText(memDC.get(), rcClient, text);
    ::BitBlt(dc.get(), 0, 0, cx, cy, memDC.get(), 0, 0, SRCCOPY);
}

void CLabel::DrawLabelText(HDC hDC, const RECT& rcClient, const std::u16string& text) {
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(hDC, m_clrText);
    const CGdiSelection selectFont(hDC, m_font.get());
    const unsigned format = LabelTextFormat(GetStyle(), text);
    if (m_logFont.lfUnderline == FALSE || !DrawUnderlinedLine(hDC, rcClient, text, format)) {
        RECT rc = rcClient;
        ::DrawTextW(hDC, W(text), static_cast<int>(text.size()), &rc, format);
    }
    ::SetTextColor(hDC, oldColour);
    ::SetBkMode(hDC, oldMode);
}

// One underlined line is drawn with every character at the advance the font measures for it. Left
// to itself a system may set the glyphs closer than it measures them (Wine does), while the
// font's underline runs the measured width, past the end of the text.
bool CLabel::DrawUnderlinedLine(HDC hDC, const RECT& rcClient, const std::u16string& text, unsigned format) {
    const int length = static_cast<int>(text.size());
    std::vector<INT> ends(text.size());
    SIZE size{};
    if (length == 0 ||
        ::GetTextExtentExPointW(hDC, W(text), length, 0, nullptr, ends.data(), &size) == FALSE ||
        !DrawsAsOneLine(format, text, size.cx, rcClient.right - rcClient.left)) {
        return false;
    }
    std::vector<INT> advances(text.size());
    std::adjacent_difference(ends.begin(), ends.end(), advances.begin());
    const LabelLineOrigin at =
        OneLineOrigin(format, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom, size.cx, size.cy);
    return ::ExtTextOutW(hDC, at.x, at.y, ETO_CLIPPED, &rcClient, W(text), static_cast<UINT>(length),
                         advances.data()) != FALSE;
}

void CLabel::OnLButtonDown() {
    if (!m_bNotifyParent) {
        return;
    }
    const HWND hParent = GetParent();
    if (hParent == nullptr) {
        return;
    }
    NMHDR nm{};
    nm.hwndFrom = m_hWnd;
    nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.code = kLabelLinkClicked;
    ::SendMessageW(hParent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

bool CLabel::OnSetCursor() {
    if (m_hCursor == nullptr) {
        return false;
    }
    ::SetCursor(m_hCursor);
    return true;
}

void CLabel::OnSysColorChange() {
    m_brushFace.reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
    Refresh();
}

// The static control paints a new text itself, straight onto the screen with its own
// background; the label and the parent under it are painted again over that.
LRESULT CLabel::OnSetText() {
    const LRESULT result = Default();
    Refresh();
    return result;
}

} // namespace brindlex
