// A static text control taken over from a dialog template that paints its own text: in a colour
// of its own, with its own copy of the control's font (optionally underlined), optionally
// see-through so that what the parent painted shows behind it, and optionally a link that tells
// its parent of a click with WM_NOTIFY code kLabelLinkClicked.
//
//   m_lblLink.SubclassDlgItem(IDC_PRODUCT_LINK, this);
//   m_lblLink.MakeLink(true, true).SetSeeThrough(true).SetCaptionColour(RGB(0, 0, 255)).SetUnderline(true);
//
// The text itself is set with SetWindowText by the caller.
#pragma once

#include "win/framework/CWnd.h"
#include "win/framework/UniqueHandle.h"

namespace brindlex {

// The WM_NOTIFY code a link label sends its parent when it is clicked.
inline constexpr UINT kLabelLinkClicked = 0x8200;

class CLabel : public CWnd {
public:
    CLabel();
    ~CLabel() override;

    CLabel& SetCaptionColour(COLORREF colour);
    CLabel& SetUnderline(bool bUnderline);
    // Adds WS_EX_TRANSPARENT either way, so the label paints after its siblings and the parent.
    CLabel& SetSeeThrough(bool bSeeThrough);
    // A link gets SS_NOTIFY, so that the static control takes mouse clicks; bNotifyParent makes a
    // click a WM_NOTIFY to the parent. No repaint.
    CLabel& MakeLink(bool bLink, bool bNotifyParent);
    // Shown while the pointer is over the label; not owned. No repaint.
    CLabel& SetHoverCursor(HCURSOR hCursor);

    COLORREF GetCaptionColour() const { return m_clrText; }
    const LOGFONTW& GetLogFont() const { return m_logFont; }
    HFONT GetFont() const { return m_font.get(); }
    bool IsLink() const { return m_bLink; }
    bool IsSeeThrough() const { return m_bSeeThrough; }

protected:
    // Copies the control's font (the stock system font when it has none).
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Refresh();
    void RecreateFont();
    void OnSetFont(HFONT hFont);
    void OnPaint();
    void DrawLabelText(HDC hDC, const RECT& rcClient, const std::u16string& text);
    // False, drawing nothing, when the text is not one line in this format.
    bool DrawUnderlinedLine(HDC hDC, const RECT& rcClient, const std::u16string& text, unsigned format);
    void OnLButtonDown();
    bool OnSetCursor();
    void OnSysColorChange();
    LRESULT OnSetText();

    COLORREF m_clrText;
    CBrushHandle m_brushFace;
    LOGFONTW m_logFont{};
    CFontHandle m_font;
    bool m_bLink = false;
    bool m_bSeeThrough = false;
    bool m_bNotifyParent = false;
    HCURSOR m_hCursor = nullptr; // a shared cursor, not owned
};

} // namespace brindlex
