#include "core/find/CRecentItems.h"

#include <algorithm>

namespace brindlex {

CRecentItems::CRecentItems(CLibrary& library) : m_library(library) {
    m_library.AddObserver(this);
}

CRecentItems::~CRecentItems() {
    m_library.RemoveObserver(this);
}

void CRecentItems::Add(const CPasteItem& item) {
    std::erase(m_items, &item);
    m_items.insert(m_items.begin(), &item);
    if (m_items.size() > kMaxItems) {
        m_items.resize(kMaxItems);
    }
    ++m_nVersion;
}

bool CRecentItems::Contains(const CPasteItem* item) const {
    return std::find(m_items.begin(), m_items.end(), item) != m_items.end();
}

void CRecentItems::OnItemReleasing(const CPasteItem& item) {
    if (std::erase(m_items, &item) != 0) {
        ++m_nVersion;
    }
}

} // namespace brindlex
