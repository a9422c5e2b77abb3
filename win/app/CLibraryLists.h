// The main window's two library lists, the folders and their items, with what the buttons above
// them do: add, rename and delete a folder, edit and delete an item.
#pragma once

#include "core/app/ICommandHost.h"
#include "core/library/CLibrary.h"
#include "win/lists/CGroupList.h"
#include "win/lists/CPasteList.h"

namespace brindlex {

class CLibraryLists {
public:
    // The item list asks `host` to edit an item.
    CLibraryLists(CLibrary& library, ICommandHost& host) : m_library(library), m_listItems(host) {}

    // Binds the two list boxes of hParent.
    void Attach(HWND hParent);
    // Fills the lists from the library, loaded by now; from here on they follow its changes.
    void ShowLibrary();
    void SetDrawEdge(bool drawEdge);
    // The main window moved to a screen of another scale.
    void SetDpi(int dpi) {
        m_listGroups.List().SetDpi(dpi);
        m_listItems.List().SetDpi(dpi);
    }

    // The folder and item buttons (Add item excepted: it opens the editor). The new folder
    // becomes current and is then named in place, as Edit folder would.
    void AddGroup();
    void RenameGroup() { m_listGroups.List().BeginInplaceEdit(); }
    void DeleteGroup() { m_listGroups.DeleteSelectedGroup(); }
    void EditCurrentItem() { m_listItems.RequestEdit(); }
    void DeleteCurrentItem() { m_listItems.DeleteSelectedItem(); }
    // Makes group `group` and its item `item` current, as clicks in the two lists would. Any
    // program can ask for it by a message: false, with nothing changed, for indices out of range.
    bool SelectItem(int group, int item);

private:
    CLibrary& m_library;
    CGroupList m_listGroups;
    CPasteList m_listItems;
};

} // namespace brindlex
