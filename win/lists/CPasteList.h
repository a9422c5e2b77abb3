// The item list of the main window: the binding of a list control to the items of the library's
// current group. One row per item of the current group, in the group's order, each row showing
// the stored item; its current row is the library's current item, the one that Paste delivers
// and that Edit and Delete act on. A double click asks the host (the main window) to edit the
// current item; a right click on the current row or the Insert key renames it in place; the
// Delete key deletes it after asking, as the Delete button does.
#pragma once

#include "core/app/ICommandHost.h"
#include "core/library/CLibrary.h"
#include "win/lists/CDragListBox.h"
#include "win/lists/IListEvents.h"

namespace brindlex {

class CPasteList : private IListEvents, private ILibraryObserver {
public:
    explicit CPasteList(ICommandHost& host);
    ~CPasteList() override;
    CPasteList(const CPasteList&) = delete;
    CPasteList& operator=(const CPasteList&) = delete;

    // The list control, to be taken over from the dialog and told its look.
    CDragListBox& List() { return m_list; }
    const CDragListBox& List() const { return m_list; }
    // Attaches the list to the library (nullptr detaches it) and fills the rows from it.
    void SetLibrary(CLibrary* library);
    // EditItem of the current item to the host, or "No selected item".
    void RequestEdit();
    // "No selected item", or the question and then DeleteItem of the current row.
    void DeleteSelectedItem();
    // The item a row shows, or nullptr.
    CPasteItem* GetItem(int index) const;

private:
    // The rows show the current group's items and the current item; rows of another group start
    // again from the top.
    void ShowItems();
    // The library is heard no more, and hears nothing from the list.
    void Detach();
    void ShowNoSelectedItem() const;

    // IListEvents
    const std::u16string* RowName(RowId row) const override;
    void OnCurrentRowChanged(int row) override;
    void OnRowMoved(int from, int to) override;
    void OnRowRenamed(int row, const std::u16string& name) override;
    // Rows mirror the group's items: the key deletes the item itself, after the same question as
    // the Delete button, so that a removed row can never come back with the next refill.
    void OnDeleteRequested() override { DeleteSelectedItem(); }
    void OnRightClick(const RowClick& click) override;
    void OnDoubleClick(const RowClick&) override { RequestEdit(); }
    void OnListDestroyed() override { Detach(); }

    // ILibraryObserver: the current group's items' notifications.
    void OnItemsChanged() override { ShowItems(); }
    void OnItemRenamed(int index) override { m_list.RepaintRow(index); }
    void OnCurrentItemChanged(int index) override { m_list.ShowCurrent(index); }
    void OnItemReleasing(const CPasteItem& item) override { m_list.ForgetRow(RowId::Of(item)); }

    CDragListBox m_list;
    ICommandHost& m_host;
    CLibrary* m_pLibrary = nullptr;
    // The group whose items the rows show: another group starts again from the top.
    const CPasteGroup* m_pShownGroup = nullptr;
};

} // namespace brindlex
