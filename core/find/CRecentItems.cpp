#include "core/find/CRecentItems.h"

#include <vector>

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

void CRecentItems::OnItemReleasing(const CPasteItem& item) {
    if (std::erase(m_items, &item) != 0) {
        ++m_nVersion;
    }
}

} // namespace brindlex
