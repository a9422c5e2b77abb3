#include "win/app/CMainWindowButtons.h"

#include "win/framework/ResourceLoader.h"
#include "res/resource.h"

namespace brindlex {

void CMainWindowButtons::SetUpImageButtons(HWND hParent) {
    struct ButtonSetup {
        CImageButton* button;
        int id;
        int icon;
        const char16_t* caption;
        const wchar_t* tip;
        unsigned char alignment;
    };
    const ButtonSetup buttons[] = {
        {&m_btnAlwaysOnTop, IDC_ALWAYS_ON_TOP, IDI_ALWAYS_ON_TOP, u"", L"Always on top", 0},
        {&m_btnMenu, IDC_MENU_BUTTON, IDI_MORE, u"More", L"More", 2},
        {&m_btnAddGroup, IDC_ADD_GROUP, IDI_ADD_GROUP, u"", L"Add folder", 0},
        {&m_btnEditGroup, IDC_EDIT_GROUP, IDI_EDIT_GROUP, u"", L"Edit folder", 0},
        {&m_btnDeleteGroup, IDC_DELETE_GROUP, IDI_DELETE_GROUP, u"", L"Delete folder", 0},
        {&m_btnAddItem, IDC_ADD_ITEM, IDI_ADD_ITEM, u"", L"Add item", 0},
        {&m_btnEditItem, IDC_EDIT_ITEM, IDI_EDIT_ITEM, u"", L"Edit item", 0},
        {&m_btnDeleteItem, IDC_DELETE_ITEM, IDI_DELETE_ITEM, u"", L"Delete item", 0},
    };
    for (const ButtonSetup& s : buttons) {
        s.button->SubclassDlgItem(s.id, hParent);
        // At the small size: one stretched to the system's icon size would overflow them.
        s.button->AssignIcon(LoadIconResource(s.icon, kSmallIconSize, kSmallIconSize));
        s.button->UseHandCursor();
        s.button->SetWindowText(s.caption);
        s.button->SetTipText(s.tip);
        if (s.alignment != 0) {
            s.button->SetImageAlignment(s.alignment);
        }
        s.button->MakeTransparent();
    }
    // The buttons took their background snapshots before the window had painted its band.
    RedrawWindow(hParent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (const ButtonSetup& s : buttons) {
        if (s.button != &m_btnAlwaysOnTop) {
            s.button->MakeTransparent();
        }
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
