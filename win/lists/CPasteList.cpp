#include "win/lists/CPasteList.h"

#include "win/framework/MessageBox.h"
#include "res/resource.h"

#include <vector>

namespace brindlex {

namespace {

std::vector<LPARAM> CurrentGroupRecords(const CLibrary& library) {
    const CPasteGroup* group = library.CurrentGroup();
    std::vector<LPARAM> records;
    if (group != nullptr) {
        records.reserve(group->ItemCount());
        for (std::size_t i = 0; i < group->ItemCount(); ++i) {
            records.push_back(reinterpret_cast<LPARAM>(&group->Item(i)));
        }
    }
    return records;
}

// Renaming an item makes its row current.
constexpr CDragListBox::LibraryPart kCurrentGroupItems{CDragListBox::LibraryPart::Kind::Items,
                                                       CurrentGroupRecords,
                                                       CPasteList::NameOf<CPasteItem>,
                                                       &CLibrary::CurrentItemIndex,
                                                       &CLibrary::SetCurrentItem,
                                                       &CLibrary::MoveItem,
                                                       &CLibrary::RenameItem};

} // namespace

CPasteList::CPasteList(ICommandHost& host)
    : CDragListBox(kCurrentGroupItems, IDI_ITEM, IDI_ITEM, true), m_host(host) {
}

CPasteItem* CPasteList::GetItem(int index) const {
    return reinterpret_cast<CPasteItem*>(GetRecord(index));
}

void CPasteList::ShowNoSelectedItem() const {
    ShowMessageBox(MessageOwner(), u"No selected item", u"No selected item", MB_ICONEXCLAMATION);
}

void CPasteList::RequestEdit() {
    CPasteItem* item = GetItem(GetCurrent());
    if (item == nullptr) {
        ShowNoSelectedItem();
        return;
    }
    m_host.OnCommand(AppCommand::Edit(item));
}

void CPasteList::DeleteSelectedItem() {
    const int index = GetCurrent();
    CPasteItem* item = GetItem(index);
    if (item == nullptr) {
        ShowNoSelectedItem();
        return;
    }
    if (ShowMessageBox(MessageOwner(), u"Are you sure to delete selected item?", u"Deleting",
                       MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    // The question ran a message loop: delete only the item that was asked about.
    if (m_pLibrary != nullptr && m_pLibrary->CurrentGroupItem(index) == item) {
        m_pLibrary->DeleteItem(index);
    }
}

void CPasteList::ReloadRows() {
    m_pShownGroup = nullptr;
    OnRowsChanged();
}

void CPasteList::OnDeleteKey() {
    // Rows mirror the group's items: the key deletes the item itself, after the same question as
    // the Delete button, so that a removed row can never come back with the next refill.
    DeleteSelectedItem();
}

void CPasteList::OnRightButtonUp(POINT point) {
    BeginInplaceEditAt(point);
}

void CPasteList::OnDoubleClick(POINT) {
    RequestEdit();
}

void CPasteList::OnRowsChanged() {
    const CPasteGroup* group = m_pLibrary != nullptr ? m_pLibrary->CurrentGroup() : nullptr;
    if (group != m_pShownGroup) {
        ClearRows();
    }
    m_pShownGroup = group;
    ShowModelRows();
}

void CPasteList::OnItemReleasing(const CPasteItem& item) {
    ForgetRecord(reinterpret_cast<LPARAM>(&item));
}

} // namespace brindlex
