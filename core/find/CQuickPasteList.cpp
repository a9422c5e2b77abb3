#include "core/find/CQuickPasteList.h"

#include <algorithm>

namespace brindlex {

CQuickPasteList::CQuickPasteList(CLibrary& library, CaseFold fold, const CRecentItems& recent)
    : m_library(library), m_fold(std::move(fold)), m_recent(recent) {
    m_library.AddObserver(this);
}

CQuickPasteList::~CQuickPasteList() {
    m_library.RemoveObserver(this);
}

void CQuickPasteList::SetQuery(std::u16string_view text) {
    m_strQuery.assign(text);
    m_bQueryEmpty = SplitQueryWords(text).empty();
    if (!m_bQueryEmpty) {
        PrepareSearch();
        m_pSearch->SetQuery(m_strQuery);
    }
}

void CQuickPasteList::PrepareSearch() {
    if (m_pSearch == nullptr) {
        m_pSearch = std::make_unique<CFindResults>(m_library, m_fold);
        m_pSearch->SetQuery(m_strQuery);
    }
}

int CQuickPasteList::Count() {
    if (!IsBrowsing()) {
        return m_pSearch->Count();
    }
    RefreshBrowse();
    return static_cast<int>(m_browse.size());
}

FindRow CQuickPasteList::Row(int index) {
    if (!IsBrowsing()) {
        return m_pSearch->Row(index);
    }
    RefreshBrowse();
    if (index < 0 || static_cast<std::size_t>(index) >= m_browse.size()) {
        return {};
    }
    return m_browse[static_cast<std::size_t>(index)];
}

void CQuickPasteList::RefreshBrowse() {
    if (!m_bBrowseStale && m_nRecentVersion == m_recent.Version()) {
        return;
    }
    const std::vector<const CPasteItem*>& recentItems = m_recent.Items();
    std::vector<FindRow> recent(recentItems.size()); // in the recent list's order, found below
    m_browse.clear();
    for (int g = 0; g < m_library.GroupCount(); ++g) {
        const CPasteGroup& group = m_library.Group(g);
        for (std::size_t i = 0; i < group.ItemCount(); ++i) {
            const CPasteItem* item = &group.Item(i);
            const FindRow row{item, g, static_cast<int>(i), false};
            const auto found = std::find(recentItems.begin(), recentItems.end(), item);
            if (found != recentItems.end()) {
                recent[static_cast<std::size_t>(found - recentItems.begin())] = row;
            } else {
                m_browse.push_back(row);
            }
        }
    }
    // A recent item is shown once, at its place among the recent ones.
    std::erase_if(recent, [](const FindRow& row) { return row.pItem == nullptr; });
    m_browse.insert(m_browse.begin(), recent.begin(), recent.end());
    m_bBrowseStale = false;
    m_nRecentVersion = m_recent.Version();
}

} // namespace brindlex
