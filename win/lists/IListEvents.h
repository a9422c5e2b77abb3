// What a library list (CDragListBox) tells the binding that fills it: what the user did to its
// rows, and the name a row shows. The list changes none of its rows on its own: the binding passes
// the events on to the library, whose answer comes back as new rows or a new current row.
#pragma once

#include "win/lists/RowId.h"

#include <string>

namespace brindlex {

// A click of a list: the row under the pointer (-1: none) and whether it is the current row.
struct RowClick {
    int row = -1;
    bool onCurrentRow = false;
};

class IListEvents {
public:
    virtual ~IListEvents() = default;

    // The name row `row` shows, nullptr for none; asked while the row is drawn or renamed.
    virtual const std::u16string* RowName(RowId row) const = 0;
    // The user made `row` current (-1: none), by the mouse or a key.
    virtual void OnCurrentRowChanged(int row) = 0;
    // A row was dragged from `from` and dropped before row `to` (0..count-1, never `from`).
    virtual void OnRowMoved(int from, int to) = 0;
    // The in-place editor gave row `row` (showing the same record as when it opened) a new name.
    virtual void OnRowRenamed(int row, const std::u16string& name) = 0;
    // The Delete key.
    virtual void OnDeleteRequested() = 0;
    // The right button went up, before the list box sees it.
    virtual void OnRightClick(const RowClick& click) = 0;
    // A double click, after the list box has seen it.
    virtual void OnDoubleClick(const RowClick& click) = 0;
    // The list's window is being destroyed: no more rows will be asked for.
    virtual void OnListDestroyed() = 0;
};

} // namespace brindlex
