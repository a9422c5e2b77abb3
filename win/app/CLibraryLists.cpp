#include "win/app/CLibraryLists.h"

#include "res/resource.h"

namespace brindlex {

void CLibraryLists::Attach(HWND hParent) {
    m_listGroups.List().SubclassDlgItem(IDC_GROUP_LIST, hParent);
    m_listItems.List().SubclassDlgItem(IDC_ITEM_LIST, hParent);
}

void CLibraryLists::ShowLibrary() {
    m_listGroups.SetLibrary(&m_library);
    m_listItems.SetLibrary(&m_library);
}

void CLibraryLists::SetDrawEdge(bool drawEdge) {
    m_listGroups.List().SetDrawEdge(drawEdge);
    m_listItems.List().SetDrawEdge(drawEdge);
}

void CLibraryLists::AddGroup() {
    m_library.AddGroup(u"New group");
    m_library.SelectGroup(m_library.GroupCount() - 1);
    m_listGroups.List().BeginInplaceEdit();
}

bool CLibraryLists::SelectItem(int group, int item) {
    if (!m_library.IsGroupIndex(group) || item < 0 ||
        static_cast<std::size_t>(item) >= m_library.Group(group).ItemCount()) {
        return false;
    }
    m_library.SelectGroup(group);
    m_library.SetCurrentItem(item);
    return true;
}

} // namespace brindlex
