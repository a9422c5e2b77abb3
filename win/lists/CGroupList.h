// The group list (the folders) of the main window: one row per group of the library, in library
// order. Its current row is the library's current group; making a row current selects the group,
// which refills the item list. Deleting asks first; a double click on the current row or the
// Insert key renames it in place; a right click makes the row under the pointer current.
#pragma once

#include "win/lists/CDragListBox.h"

namespace brindlex {

class CGroupList : public CDragListBox {
public:
    CGroupList();

    // The confirmation question, then DeleteGroup of the current group. Also the Delete key.
    void DeleteSelectedGroup();
    // The group of a row, or nullptr.
    CPasteGroup* GetGroup(int index) const;

protected:
    void OnDeleteKey() override;
    void OnRightButtonUp(POINT point) override;
    void OnDoubleClick(POINT point) override;
};

} // namespace brindlex
