#include "win/app/CModelessDialogs.h"

namespace brindlex {

void CModelessDialogs::ShowSettings(HWND hOwner) {
    Open(m_pSettingsDlg, hOwner, GetDesktopWindow(),
         [this] { return std::make_unique<CSettingsDlg>(m_data, m_dataFiles, m_host); });
}

void CModelessDialogs::ShowAbout(HWND hOwner) {
    Open(m_pAboutDlg, hOwner, GetDesktopWindow(), [this] { return std::make_unique<CAboutDlg>(m_host); });
}

void CModelessDialogs::ShowFind(HWND hOwner) {
    Open(m_pFindDlg, hOwner, hOwner, [this] { return std::make_unique<CFindDlg>(m_data.m_library, m_host); });
}

void CModelessDialogs::EditItem(HWND hOwner, CPasteItem* item) {
    // Any program can send the message that asks for this: only an item of the library (or none,
    // for a new one) is ever looked at.
    if (item != nullptr && !m_data.m_library.Contains(item)) {
        return;
    }
    Open(m_pEditor, hOwner, hOwner,
         [this, item] { return std::make_unique<CPastingDlg>(m_data, item, m_host); });
}

void CModelessDialogs::EditorClosed(bool newItemSaved) {
    if (!m_pEditor || !m_pEditor->IsWindow()) {
        m_pEditor.reset();
        return;
    }
    if (newItemSaved) {
        std::unique_ptr<CPasteItem> item = m_pEditor->TakeNewItem();
        CLibrary& library = m_data.m_library;
        // The new item goes to the group current at Save; with no group it is discarded.
        if (item && library.CurrentGroup() != nullptr) {
            const int group = library.CurrentGroupIndex();
            library.AddItem(*library.CurrentGroup(), std::move(item));
            library.SelectGroup(group);
            library.SetCurrentItem(library.CurrentItemCount() - 1);
        }
    }
    // Find stays open with its query: it follows the library, and so shows what the editor saved.
    m_pEditor.reset();
}

void CModelessDialogs::ItemReleasing(const CPasteItem& item) {
    if (m_pEditor && m_pEditor->GetItem() == &item) {
        // As by Cancel: the editor goes before its item does.
        m_pEditor.reset();
    }
}

void CModelessDialogs::CloseAll() {
    m_pAboutDlg.reset();
    m_pSettingsDlg.reset();
    m_pEditor.reset();
    m_pFindDlg.reset();
}

} // namespace brindlex
