#include "win/lists/CPasteList.h"

#include "win/framework/MessageBox.h"
#include "res/resource.h"

#include <vector>

namespace brindlex {

CPasteList::CPasteList(ICommandHost& host) : m_list(IDI_ITEM, IDI_ITEM, true), m_host(host) {
    m_list.SetEvents(this);
}

CPasteList::~CPasteList() {
    // The library may not call back into a list that is going away.
    m_list.SetEvents(nullptr);
    Detach();
}

void CPasteList::SetLibrary(CLibrary* library) {
    Detach();
    m_pLibrary = library;
    if (m_pLibrary != nullptr) {
        m_pLibrary->AddObserver(this);
    }
    if (m_list.GetSafeHwnd() != nullptr) {
        m_pShownGroup = nullptr;
        ShowItems();
    }
}

void CPasteList::Detach() {
    if (m_pLibrary != nullptr) {
        m_pLibrary->RemoveObserver(this);
        m_pLibrary = nullptr;
    }
}

void CPasteList::ShowItems() {
    const CPasteGroup* group = m_pLibrary != nullptr ? m_pLibrary->CurrentGroup() : nullptr;
    if (group != m_pShownGroup) {
        m_list.ClearRows();
    }
    m_pShownGroup = group;
    std::vector<RowId> rows;
    if (group != nullptr) {
        rows.reserve(group->ItemCount());
        for (std::size_t i = 0; i < group->ItemCount(); ++i) {
            rows.push_back(RowId::Of(group->Item(i)));
        }
    }
    m_list.ShowRows(std::move(rows));
    m_list.ShowCurrent(m_pLibrary != nullptr ? m_pLibrary->CurrentItemIndex() : -1);
}

CPasteItem* CPasteList::GetItem(int index) const {
    CPasteItem* item = m_pLibrary != nullptr ? m_pLibrary->CurrentGroupItem(index) : nullptr;
    return item != nullptr && m_list.RowAt(index) == RowId::Of(*item) ? item : nullptr;
}

void CPasteList::ShowNoSelectedItem() const {
    ShowMessageBox(m_list.MessageOwner(), u"No selected item", u"No selected item", MB_ICONEXCLAMATION);
}

void CPasteList::RequestEdit() {
    CPasteItem* item = GetItem(m_list.GetCurrent());
    if (item == nullptr) {
        ShowNoSelectedItem();
        return;
    }
    m_host.OnCommand(AppCommand::Edit(item));
}

void CPasteList::DeleteSelectedItem() {
    const int index = m_list.GetCurrent();
    CPasteItem* item = GetItem(index);
    if (item == nullptr) {
        ShowNoSelectedItem();
        return;
    }
    if (ShowMessageBox(m_list.MessageOwner(), u"Are you sure to delete selected item?", u"Deleting",
                       MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    // The question ran a message loop: delete only the item that was asked about.
    if (m_pLibrary != nullptr && m_pLibrary->CurrentGroupItem(index) == item) {
        m_pLibrary->DeleteItem(index);
    }
}

const std::u16string* CPasteList::RowName(RowId row) const {
    return &row.As<CPasteItem>()->m_strName;
}

void CPasteList::OnCurrentRowChanged(int row) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->SetCurrentItem(row); // answered by OnCurrentItemChanged
    } else {
        m_list.ShowCurrent(row);
    }
}

void CPasteList::OnRowMoved(int from, int to) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->MoveItem(from, to);
    }
}

void CPasteList::OnRowRenamed(int row, const std::u16string& name) {
    // Renaming an item makes its row current.
    if (m_pLibrary != nullptr) {
        m_pLibrary->RenameItem(row, name);
    }
}

void CPasteList::OnRightClick(const RowClick& click) {
    if (click.onCurrentRow) {
        m_list.BeginInplaceEdit();
    }
}

} // namespace brindlex
