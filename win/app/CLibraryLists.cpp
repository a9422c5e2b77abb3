#include "win/app/CLibraryLists.h"

#include "res/resource.h"

namespace brindlex {

void CLibraryLists::Attach(HWND hParent) {
    m_listGroups.SubclassDlgItem(IDC_GROUP_LIST, hParent);
    m_listItems.SubclassDlgItem(IDC_ITEM_LIST, hParent);
}

void CLibraryLists::ShowLibrary() {
    m_listGroups.SetLibrary(&m_library);
    m_listItems.SetLibrary(&m_library);
}

void CLibraryLists::SetDrawEdge(bool drawEdge) {
    m_listGroups.SetDrawEdge(drawEdge);
    m_listItems.SetDrawEdge(drawEdge);
}

bool CLibraryLists::OnButton(int id) {
    if (id == IDC_ADD_GROUP) {
        // The new folder becomes current and is then named in place, as Edit folder would.
        m_library.AddGroup(u"New group");
        m_library.SelectGroup(m_library.GroupCount() - 1);
    }
    if (id == IDC_ADD_GROUP || id == IDC_EDIT_GROUP) {
        m_listGroups.BeginInplaceEdit();
    } else if (id == IDC_DELETE_GROUP) {
        m_listGroups.DeleteSelectedGroup();
    } else if (id == IDC_EDIT_ITEM) {
        m_listItems.RequestEdit();
    } else if (id == IDC_DELETE_ITEM) {
        m_listItems.DeleteSelectedItem();
    } else {
        return false;
    }
    return true;
}

bool CLibraryLists::SelectItem(WPARAM group, LPARAM item) {
    if (group >= static_cast<WPARAM>(m_library.GroupCount()) || item < 0 ||
        static_cast<std::size_t>(item) >= m_library.Group(static_cast<int>(group)).ItemCount()) {
        return false;
    }
    m_library.SelectGroup(static_cast<int>(group));
    m_library.SetCurrentItem(static_cast<int>(item));
    return true;
}

} // namespace brindlex
