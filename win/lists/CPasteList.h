// The item list of the main window: one row per item of the current group, in the group's
// order, each row referring to the stored item. Its current row is the library's current item,
// the one that Paste delivers and that Edit and Delete act on. A double click asks the host (the
// main window) to edit the current item; a right click on the current row or the Insert key
// renames it in place; the Delete key deletes it after asking, as the Delete button does.
#pragma once

#include "core/app/ICommandHost.h"
#include "win/lists/CDragListBox.h"

namespace brindlex {

class CPasteList : public CDragListBox {
public:
    explicit CPasteList(ICommandHost& host);

    // EditItem of the current item to the host, or "No selected item".
    void RequestEdit();
    // "No selected item", or the question and then DeleteItem of the current row.
    void DeleteSelectedItem();
    // The item of a row, or nullptr.
    CPasteItem* GetItem(int index) const;

protected:
    void ReloadRows() override;
    void OnDeleteKey() override;
    void OnRightButtonUp(POINT point) override;
    void OnDoubleClick(POINT point) override;

    // Rows of another group start again from the top.
    void OnRowsChanged() override;
    void OnItemReleasing(const CPasteItem& item) override;

private:
    void ShowNoSelectedItem() const;

    ICommandHost& m_host;
    // The group whose items the rows show: another group starts again from the top.
    const CPasteGroup* m_pShownGroup = nullptr;
};

} // namespace brindlex
