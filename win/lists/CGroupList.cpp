#include "win/lists/CGroupList.h"

#include "win/framework/MessageBox.h"
#include "core/lists/ListRules.h"
#include "res/resource.h"

#include <utility>

CGroupList::CGroupList() : CDragListBox(IDI_GROUP, IDI_GROUP_SELECTED, false) {
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
    const std::u16string question = brindlex::DeleteGroupQuestion(group->ItemCount());
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

const std::u16string* CGroupList::RecordName(LPARAM record) const {
    return record != 0 && record != LB_ERR ? &reinterpret_cast<const CPasteGroup*>(record)->m_strName
                                           : nullptr;
}

void CGroupList::SelectRecord(int index) {
    m_pLibrary->SelectGroup(index);
}

void CGroupList::MoveRecord(int from, int to) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->MoveGroup(from, to);
    }
}

void CGroupList::RenameRecord(int index, const std::u16string& name) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->RenameGroup(index, name); // selects the group again, which refills the items
    }
}

void CGroupList::ReloadRows() {
    OnGroupsChanged();
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
    if (IsOnCurrentRow(point)) {
        BeginInplaceEdit();
    }
}

void CGroupList::OnGroupsChanged() {
    std::vector<LPARAM> records;
    if (m_pLibrary != nullptr) {
        for (int i = 0; i < m_pLibrary->GroupCount(); ++i) {
            records.push_back(reinterpret_cast<LPARAM>(&m_pLibrary->Group(i)));
        }
    }
    SyncRows(std::move(records));
    ShowCurrent(m_pLibrary != nullptr ? m_pLibrary->CurrentGroupIndex() : -1);
}

void CGroupList::OnGroupRenamed(int index) {
    RepaintRow(index);
}

void CGroupList::OnCurrentGroupChanged(int index) {
    ShowCurrent(index);
}
