// The records a library list's rows show, by their handles. The list box is a fixed-height list
// without per-row data (LBS_NODATA): it only knows how many rows there are, and row i shows the
// record of handle i kept here.
#pragma once

#include "win/framework/CListBox.h"
#include "win/lists/RowId.h"

#include <vector>

namespace brindlex {

class CListRows {
public:
    explicit CListRows(CListBox& list) : m_list(list) {}

    // Makes the rows carry `records` in order and repaints them; the scroll position stays where
    // it can.
    void Sync(std::vector<RowId> records);
    // Takes every row away; the next rows start from the top.
    void Clear();
    // The list box is going: its rows are no longer shown.
    void ForgetAll() { m_records.clear(); }
    // Rows the list box already has show no record.
    void AdoptExisting();
    int Count() const { return static_cast<int>(m_records.size()); }
    // The record of a row, empty for no row or a released record.
    RowId Get(int index) const;
    // The row showing `record`, -1 for none.
    int Find(RowId record) const;
    // A record about to be freed: no row may show it any more.
    void Forget(RowId record);

private:
    void SetRowCount(int count);

    CListBox& m_list;
    std::vector<RowId> m_records; // row i shows m_records[i]
    mutable int m_nFindHint = 0;  // where Find looks first: records go in row order
};

} // namespace brindlex
