#include "win/lists/CListRows.h"

namespace brindlex {

void CListRows::Sync(std::vector<RowId> records) {
    if (m_list.GetSafeHwnd() == nullptr) {
        return;
    }
    const int count = static_cast<int>(records.size());
    m_records = std::move(records);
    if (m_list.GetCount() != count) {
        SetRowCount(count);
    }
    m_list.Invalidate(true);
}

void CListRows::Clear() {
    m_records.clear();
    if (m_list.GetSafeHwnd() != nullptr) {
        m_list.ResetContent();
    }
}

void CListRows::AdoptExisting() {
    m_records.assign(static_cast<std::size_t>(m_list.GetCount()), RowId());
}

void CListRows::SetRowCount(int count) {
    if (m_list.SendMessage(LB_SETCOUNT, static_cast<WPARAM>(count)) != LB_ERR) {
        return;
    }
    // A list box made with per-row data refuses LB_SETCOUNT: it gets empty rows one by one.
    while (m_list.GetCount() > count) {
        m_list.DeleteString(m_list.GetCount() - 1);
    }
    while (m_list.GetCount() < count) {
        m_list.AddItemData(0);
    }
}

RowId CListRows::Get(int index) const {
    return index >= 0 && index < Count() ? m_records[static_cast<std::size_t>(index)] : RowId();
}

int CListRows::Find(RowId record) const {
    // A group's items are released in row order: looking where the last one was found first
    // keeps deleting a big group from taking time that grows with the square of its items.
    const int count = Count();
    for (int n = 0; n < count; ++n) {
        const int i = (m_nFindHint + n) % count;
        if (m_records[static_cast<std::size_t>(i)] == record) {
            m_nFindHint = i;
            return i;
        }
    }
    return -1;
}

void CListRows::Forget(RowId record) {
    const int row = Find(record);
    if (row >= 0) {
        m_records[static_cast<std::size_t>(row)] = RowId();
    }
}

} // namespace brindlex
