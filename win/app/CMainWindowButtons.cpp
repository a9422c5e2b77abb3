#include "win/app/CMainWindowButtons.h"

#include "core/layout/Dpi.h"
#include "win/framework/ResourceLoader.h"
#include "res/resource.h"

namespace brindlex {

struct CMainWindowButtons::ButtonSetup {
    CImageButton CMainWindowButtons::*button;
    int id;
    int icon;
    const char16_t* caption;
    const wchar_t* tip;
    ImageAlign alignment;
};

const CMainWindowButtons::ButtonSetup CMainWindowButtons::kImageButtons[kImageButtonCount] = {
    {&CMainWindowButtons::m_btnAlwaysOnTop, IDC_ALWAYS_ON_TOP, IDI_ALWAYS_ON_TOP, u"", L"Always on top",
     ImageAlign::kLeft},
    {&CMainWindowButtons::m_btnMenu, IDC_MENU_BUTTON, IDI_MORE, u"More", L"More", ImageAlign::kRight},
    {&CMainWindowButtons::m_btnAddGroup, IDC_ADD_GROUP, IDI_ADD_GROUP, u"", L"Add folder", ImageAlign::kLeft},
    {&CMainWindowButtons::m_btnEditGroup, IDC_EDIT_GROUP, IDI_EDIT_GROUP, u"", L"Edit folder",
     ImageAlign::kLeft},
    {&CMainWindowButtons::m_btnDeleteGroup, IDC_DELETE_GROUP, IDI_DELETE_GROUP, u"", L"Delete folder",
     ImageAlign::kLeft},
    {&CMainWindowButtons::m_btnAddItem, IDC_ADD_ITEM, IDI_ADD_ITEM, u"", L"Add item", ImageAlign::kLeft},
    {&CMainWindowButtons::m_btnEditItem, IDC_EDIT_ITEM, IDI_EDIT_ITEM, u"", L"Edit item", ImageAlign::kLeft},
    {&CMainWindowButtons::m_btnDeleteItem, IDC_DELETE_ITEM, IDI_DELETE_ITEM, u"", L"Delete item",
     ImageAlign::kLeft},
};

namespace {

HICON LoadButtonIcon(int id, int dpi) {
    // At the small size for that scale: one stretched to the system's icon size would overflow.
    const int size = ScaleForDpi(kSmallIconSize, dpi);
    return LoadIconResource(id, size, size);
}

} // namespace

void CMainWindowButtons::SetUpImageButtons(HWND hParent, int dpi) {
    for (const ButtonSetup& s : kImageButtons) {
        CImageButton& button = this->*s.button;
        button.SubclassDlgItem(s.id, hParent);
        button.AssignIcon(LoadButtonIcon(s.icon, dpi));
        button.SetDpi(dpi);
        button.UseHandCursor();
        button.SetWindowText(s.caption);
        button.SetTipText(s.tip);
        if (s.alignment != ImageAlign::kLeft) {
            button.SetImageAlignment(s.alignment);
        }
        button.MakeTransparent();
    }
    // The buttons took their background snapshots before the window had painted its band.
    RedrawWindow(hParent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (const ButtonSetup& s : kImageButtons) {
        if (s.button != &CMainWindowButtons::m_btnAlwaysOnTop) {
            (this->*s.button).MakeTransparent();
        }
    }
}

void CMainWindowButtons::SetDpi(int dpi) {
    for (const ButtonSetup& s : kImageButtons) {
        (this->*s.button).AssignIcon(LoadButtonIcon(s.icon, dpi));
        (this->*s.button).SetDpi(dpi);
    }
}

void CMainWindowButtons::SetUpTargetRow(HWND hParent) {
    m_btnPrevWindow.SubclassDlgItem(IDC_PREV_WINDOW, hParent);
    m_btnNextWindow.SubclassDlgItem(IDC_NEXT_WINDOW, hParent);
    m_btnPaste.SubclassDlgItem(IDC_PASTE, hParent);
}

void CMainWindowButtons::ShowAlwaysOnTop(bool on) {
    if (m_btnAlwaysOnTop.IsToggle()) {
        m_btnAlwaysOnTop.SetToggleState(on);
    }
}

} // namespace brindlex
