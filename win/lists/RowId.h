// Which record a library list's row shows, as the list's binding named it: the list keeps one per
// row and only compares them; the binding that made a handle reads its record back. The empty
// handle is no record: a row the list box had before it was taken over, or a record released.
#pragma once

namespace brindlex {

class RowId {
public:
    constexpr RowId() = default;

    // The handle of a record of the library (a group or an item).
    template <typename Record> static RowId Of(const Record& record) { return RowId(&record); }
    // The record of a handle made by Of<Record>, nullptr for the empty handle.
    template <typename Record> const Record* As() const { return static_cast<const Record*>(m_pKey); }

    bool IsEmpty() const { return m_pKey == nullptr; }
    friend bool operator==(RowId a, RowId b) { return a.m_pKey == b.m_pKey; }
    friend bool operator!=(RowId a, RowId b) { return a.m_pKey != b.m_pKey; }

private:
    explicit RowId(const void* key) : m_pKey(key) {}

    const void* m_pKey = nullptr;
};

} // namespace brindlex
