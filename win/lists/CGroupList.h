// The group list (the folders) of the main window: the binding of a list control to the
// library's groups. One row per group of the library, in library order; its current row is the
// library's current group, and making a row current selects the group, which refills the item
// list. Deleting asks first; a double click on the current row or the Insert key renames it in
// place; a right click makes the row under the pointer current.
#pragma once

#include "core/library/CLibrary.h"
#include "win/lists/CDragListBox.h"
#include "win/lists/IListEvents.h"

namespace brindlex {

class CGroupList : private IListEvents, private ILibraryObserver {
public:
    CGroupList();
    ~CGroupList() override;
    CGroupList(const CGroupList&) = delete;
    CGroupList& operator=(const CGroupList&) = delete;

    // The list control, to be taken over from the dialog and told its look.
    CDragListBox& List() { return m_list; }
    const CDragListBox& List() const { return m_list; }
    // Attaches the list to the library (nullptr detaches it) and fills the rows from it.
    void SetLibrary(CLibrary* library);
    // The confirmation question, then DeleteGroup of the current group. Also the Delete key.
    void DeleteSelectedGroup();
    // The group a row shows, or nullptr.
    CPasteGroup* GetGroup(int index) const;

private:
    // The rows show the library's groups and its current group.
    void ShowGroups();
    // The library is heard no more, and hears nothing from the list.
    void Detach();

    // IListEvents
    const std::u16string* RowName(RowId row) const override;
    void OnCurrentRowChanged(int row) override;
    void OnRowMoved(int from, int to) override;
    void OnRowRenamed(int row, const std::u16string& name) override;
    void OnDeleteRequested() override { DeleteSelectedGroup(); }
    void OnRightClick(const RowClick& click) override;
    void OnDoubleClick(const RowClick& click) override;
    void OnListDestroyed() override { Detach(); }

    // ILibraryObserver: the groups' notifications.
    void OnGroupsChanged() override { ShowGroups(); }
    void OnGroupRenamed(int index) override { m_list.RepaintRow(index); }
    void OnCurrentGroupChanged(int index) override { m_list.ShowCurrent(index); }

    CDragListBox m_list;
    CLibrary* m_pLibrary = nullptr;
};

} // namespace brindlex
