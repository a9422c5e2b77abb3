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
//   m_btnMenu.SetImageAlignment(ImageAlign::kRight);
//   m_btnMenu.MakeTransparent();
//
// A template button of a check box type (BS_CHECKBOX or BS_AUTOCHECKBOX, e.g. BS_AUTOCHECKBOX |
// BS_PUSHLIKE) becomes a toggle: a click flips its check state before the parent hears of it.
// CImageButtonPainter draws it, CParentSnapshot keeps the parent's pixels under it.
#pragma once

#include "win/controls/CImageButtonPainter.h"
#include "win/controls/CParentSnapshot.h"
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

    // Takes ownership of hIcon (the one held so far is destroyed). True when done (also for
    // nullptr, which leaves no icon); false when the handle is no usable icon: it is destroyed, no
    // icon is held.
    bool AssignIcon(HICON hIcon);
    // The DPI its margins are drawn at, its dialog's (0: the window's own).
    void SetDpi(int dpi);
    // The system hand cursor while the pointer is over the button.
    void UseHandCursor();
    // Joins the tooltip of its top-level window if needed, adds its tool there (the client
    // rectangle at that moment) and sets the text; nullptr is ignored.
    void SetTipText(const wchar_t* text);
    // Draws over a snapshot of the parent's pixels; the current snapshot is dropped, so the next
    // paint takes a new one.
    void MakeTransparent();
    void SetImageAlignment(ImageAlign alignment);
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

private:
    void DrawItem(const DRAWITEMSTRUCT& dis);
    void JoinToolTip();
    void StartHover();
    void EndHover();
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam);
    void OnEnableOff();

    int m_nImageMargin = 3; // at 96 DPI
    int m_nDpi = 0;
    POINT m_ptPressedShift = {1, 1};
    bool m_bHover = false;
    bool m_bTransparent = false;
    bool m_bDefault = false;
    bool m_bToggle = false;
    ImageAlign m_alignment = ImageAlign::kLeft;
    CImageButtonPainter m_painter;
    CParentSnapshot m_snapshot;  // only for a transparent button, taken at its first paint
    HCURSOR m_hCursor = nullptr; // a shared system cursor, not owned
    std::shared_ptr<CSharedToolTip> m_pToolTip;
    int m_nCheck = 0;
    CIconHandle m_hIcon;
    int m_cxIcon = 0;
    int m_cyIcon = 0;
};

} // namespace brindlex
