#include "win/lists/CGroupList.h"

#include "win/framework/MessageBox.h"
#include "core/lists/ListRules.h"
#include "res/resource.h"

#include <vector>

namespace brindlex {

namespace {

std::vector<LPARAM> GroupRecords(const CLibrary& library) {
    std::vector<LPARAM> records;
    for (int i = 0; i < library.GroupCount(); ++i) {
        records.push_back(reinterpret_cast<LPARAM>(&library.Group(i)));
    }
    return records;
}

// Renaming a group selects it again, which refills the items.
constexpr CDragListBox::LibraryPart kGroups{CDragListBox::LibraryPart::Kind::Groups,
                                            GroupRecords,
                                            CGroupList::NameOf<CPasteGroup>,
                                            &CLibrary::CurrentGroupIndex,
                                            &CLibrary::SelectGroup,
                                            &CLibrary::MoveGroup,
                                            &CLibrary::RenameGroup};

} // namespace

CGroupList::CGroupList() : CDragListBox(kGroups, IDI_GROUP, IDI_GROUP_SELECTED, false) {
}

CPasteGroup* CGroupList::GetGroup(int index) const {
    return reinterpret_cast<CPasteGroup*>(GetRecord(index));
}

void CGroupList::DeleteSelectedGroup() {
    const int index = GetCurrent();
    CPasteGroup* group = GetGroup(index);
    if (group == nullptr || m_pLibrary == nullptr) {
        return;
    }
    const std::u16string question = DeleteGroupQuestion(group->ItemCount());
    if (ShowMessageBox(MessageOwner(), question, u"Deleting", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    // The question ran a message loop: delete only the group that was asked about.
    if (m_pLibrary == nullptr || !m_pLibrary->IsGroupIndex(index) || &m_pLibrary->Group(index) != group) {
        return;
    }
    m_pLibrary->DeleteGroup(index);
    Invalidate(true);
    UpdateWindow();
}

void CGroupList::OnDeleteKey() {
    DeleteSelectedGroup();
}

void CGroupList::OnRightButtonUp(POINT point) {
    bool outside = true;
    const int row = ItemFromPoint(point, &outside);
    if (!outside && row >= 0) {
        SetCurrent(row);
    }
}

void CGroupList::OnDoubleClick(POINT point) {
    BeginInplaceEditAt(point);
}

} // namespace brindlex
