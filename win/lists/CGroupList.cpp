#include "win/lists/CGroupList.h"

#include "win/framework/MessageBox.h"
#include "core/lists/ListRules.h"
#include "res/resource.h"

#include <vector>

namespace brindlex {

CGroupList::CGroupList() : m_list(IDI_GROUP, IDI_GROUP_SELECTED, false) {
    m_list.SetEvents(this);
}

CGroupList::~CGroupList() {
    // The library may not call back into a list that is going away.
    m_list.SetEvents(nullptr);
    Detach();
}

void CGroupList::SetLibrary(CLibrary* library) {
    Detach();
    m_pLibrary = library;
    if (m_pLibrary != nullptr) {
        m_pLibrary->AddObserver(this);
    }
    if (m_list.GetSafeHwnd() != nullptr) {
        ShowGroups();
    }
}

void CGroupList::Detach() {
    if (m_pLibrary != nullptr) {
        m_pLibrary->RemoveObserver(this);
        m_pLibrary = nullptr;
    }
}

void CGroupList::ShowGroups() {
    std::vector<RowId> rows;
    if (m_pLibrary != nullptr) {
        rows.reserve(static_cast<std::size_t>(m_pLibrary->GroupCount()));
        for (int i = 0; i < m_pLibrary->GroupCount(); ++i) {
            rows.push_back(RowId::Of(m_pLibrary->Group(i)));
        }
    }
    m_list.ShowRows(std::move(rows));
    m_list.ShowCurrent(m_pLibrary != nullptr ? m_pLibrary->CurrentGroupIndex() : -1);
}

CPasteGroup* CGroupList::GetGroup(int index) const {
    if (m_pLibrary == nullptr || !m_pLibrary->IsGroupIndex(index)) {
        return nullptr;
    }
    CPasteGroup& group = m_pLibrary->Group(index);
    return m_list.RowAt(index) == RowId::Of(group) ? &group : nullptr;
}

void CGroupList::DeleteSelectedGroup() {
    const int index = m_list.GetCurrent();
    CPasteGroup* group = GetGroup(index);
    if (group == nullptr || m_pLibrary == nullptr) {
        return;
    }
    const std::u16string question = DeleteGroupQuestion(group->ItemCount());
    if (ShowMessageBox(m_list.MessageOwner(), question, u"Deleting", MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES) {
        return;
    }
    // The question ran a message loop: delete only the group that was asked about.
    if (m_pLibrary == nullptr || !m_pLibrary->IsGroupIndex(index) || &m_pLibrary->Group(index) != group) {
        return;
    }
    m_pLibrary->DeleteGroup(index);
    m_list.Invalidate(true);
    m_list.UpdateWindow();
}

const std::u16string* CGroupList::RowName(RowId row) const {
    return &row.As<CPasteGroup>()->m_strName;
}

void CGroupList::OnCurrentRowChanged(int row) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->SelectGroup(row); // answered by OnCurrentGroupChanged
    } else {
        m_list.ShowCurrent(row);
    }
}

void CGroupList::OnRowMoved(int from, int to) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->MoveGroup(from, to);
    }
}

void CGroupList::OnRowRenamed(int row, const std::u16string& name) {
    // Renaming a group selects it again, which refills the items.
    if (m_pLibrary != nullptr) {
        m_pLibrary->RenameGroup(row, name);
    }
}

void CGroupList::OnRightClick(const RowClick& click) {
    if (click.row >= 0) {
        m_list.SetCurrent(click.row);
    }
}

void CGroupList::OnDoubleClick(const RowClick& click) {
    if (click.onCurrentRow) {
        m_list.BeginInplaceEdit();
    }
}

} // namespace brindlex
