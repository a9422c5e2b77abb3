// A flat, owner-drawn image button that takes over a push button of a dialog template: an icon
// and an optional caption over a snapshot of the parent's background, a raised edge while the
// pointer is over it, a sunken one while pressed (or, for a toggle, while on), a tooltip and a
// cursor of its own. The parent still gets BN_CLICKED as from any push button.
//
//   m_btnMenu.SubclassDlgItem(IDC_MENU_BUTTON, this);
//   m_btnMenu.AssignIcon(icon.release());   // the button owns the icon
//   m_btnMenu.UseHandCursor();
//   m_btnMenu.SetWindowText(u"More");
//   m_btnMenu.SetTipText(L"More");
//   m_btnMenu.SetImageAlignment(2);
//   m_btnMenu.MakeTransparent();
//
// A template button with style bit 0x2 (auto check box / check box, e.g. BS_AUTOCHECKBOX |
// BS_PUSHLIKE) becomes a toggle: a click flips its check state before the parent hears of it.
#pragma once

#include "win/controls/CSharedToolTip.h"
#include "core/layout/ImageButtonLayout.h"
#include "win/framework/CButton.h"
#include "win/framework/UniqueHandle.h"

#include <memory>
#include <string>

namespace brindlex {

class CImageButton : public CButton {
public:
    CImageButton();
    ~CImageButton() override;

    // Takes ownership of hIcon (the one held so far is destroyed). 0 = done (also for nullptr,
    // which leaves no icon), 1 = the handle is no usable icon: it is destroyed, no icon is held.
    int AssignIcon(HICON hIcon);
    // The system hand cursor while the pointer is over the button.
    void UseHandCursor();
    // Joins the tooltip of its top-level window if needed, adds its tool there (the client
    // rectangle at that moment) and sets the text; nullptr is ignored.
    void SetTipText(const wchar_t* text);
    // Draws over a snapshot of the parent's pixels; the current snapshot is dropped, so the next
    // paint takes a new one.
    void MakeTransparent();
    // kImageAlignLeft (0) or kImageAlignRight (2).
    void SetImageAlignment(unsigned char alignment);
    // Toggles only: on or off.
    void SetToggleState(bool bOn);

    bool IsToggle() const { return m_bToggle; }
    bool IsDefault() const { return m_bDefault; }
    bool IsHovering() const { return m_bHover; }
    // The tooltip shared by the image buttons of this button's top-level window.
    HWND GetToolTip() const { return m_pToolTip ? m_pToolTip->GetSafeHwnd() : nullptr; }
    int GetIconWidth() const { return m_cxIcon; }
    int GetIconHeight() const { return m_cyIcon; }

protected:
    void PreSubclassWindow() override;
    bool PreTranslateMessage(MSG* pMsg) override;
    // WM_DRAWITEM (painting), BN_CLICKED (focus, toggle; then the parent gets it too),
    // WM_CTLCOLORBTN (hollow brush).
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual void DrawItem(const DRAWITEMSTRUCT& dis);
    virtual void PaintBackground(HDC hDC, const RECT& rcItem);
    virtual void PaintBorder(HDC hDC, const RECT& rcItem);
    // Draws the icon with its top-left corner at rcImage's (see PlaceImageButton).
    virtual void PaintIcon(HDC hDC, const RECT& rcImage);
    // Draws the caption centred in rcCaption, etched when disabled.
    virtual void PaintCaption(HDC hDC, const RECT& rcCaption, const std::u16string& caption);

private:
    struct Snapshot;

    void JoinToolTip();
    void TakeSnapshot();
    void DropSnapshot();
    void ResetColours();
    void StartHover();
    void EndHover();
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam);
    void OnEnableOff();

    int m_nImageMargin = 3;
    POINT m_ptPressedShift = {1, 1};
    bool m_bHover = false;
    bool m_bTransparent = false;
    bool m_bPressed = false;
    bool m_bFocused = false;
    bool m_bDisabled = false;
    bool m_bDefault = false;
    bool m_bToggle = false;
    unsigned char m_byAlignment = kImageAlignLeft;
    COLORREF m_clrBkHover = 0;
    COLORREF m_clrTextHover = 0;
    COLORREF m_clrBkNormal = 0;
    COLORREF m_clrTextNormal = 0;
    COLORREF m_clrBkFocus = 0;
    COLORREF m_clrTextFocus = 0;
    HCURSOR m_hCursor = nullptr; // a shared system cursor, not owned
    std::shared_ptr<CSharedToolTip> m_pToolTip;
    std::unique_ptr<Snapshot> m_pSnapshot;
    int m_nCheck = 0;
    CIconHandle m_hIcon;
    int m_cxIcon = 0;
    int m_cyIcon = 0;
};

} // namespace brindlex
