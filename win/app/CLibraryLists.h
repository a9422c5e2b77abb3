// The main window's two library lists, the folders and their items, with what the buttons above
// them do: add, rename and delete a folder, edit and delete an item.
#pragma once

#include "core/library/CLibrary.h"
#include "win/lists/CGroupList.h"
#include "win/lists/CPasteList.h"

namespace brindlex {

class CLibraryLists {
public:
    explicit CLibraryLists(CLibrary& library) : m_library(library) {}

    // Binds the two list boxes of hParent.
    void Attach(HWND hParent);
    // Fills the lists from the library, loaded by now; from here on they follow its changes.
    void ShowLibrary();
    void SetDrawEdge(bool drawEdge);

    // A click on one of the folder and item buttons (Add item excepted: it opens the editor).
    // False for any other control.
    bool OnButton(int id);
    // Makes group `group` and its item `item` current, as clicks in the two lists would. Any
    // program can ask for it by a message: false, with nothing changed, for indices out of range.
    bool SelectItem(WPARAM group, LPARAM item);

private:
    CLibrary& m_library;
    CGroupList m_listGroups;
    CPasteList m_listItems;
};

} // namespace brindlex
