// The rows of the quick-paste popup. Before anything is typed: the items pasted in this session,
// most recent first, then the rest of the library in its order. Once a word is typed: Find's
// results for it, with Find's ranking.
//
// The popup lives for the whole session, hidden between uses, and so does this list: the search
// folds every item once (a large library takes a moment), either when PrepareSearch is called
// (soon after the start, or after the popup was first shown) or at the first letter typed, and
// then keeps itself up to date with the library as Find's results do.
#pragma once

#include "core/find/CFindResults.h"
#include "core/find/CRecentItems.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brindlex {

class CQuickPasteList : private ILibraryObserver {
public:
    // Observes `library`; `library` and `recent` must outlive the list.
    CQuickPasteList(CLibrary& library, CaseFold fold, const CRecentItems& recent);
    ~CQuickPasteList() override;
    CQuickPasteList(const CQuickPasteList&) = delete;
    CQuickPasteList& operator=(const CQuickPasteList&) = delete;

    void SetQuery(std::u16string_view text);
    void PrepareSearch();
    bool IsSearchPrepared() const { return m_pSearch != nullptr; }

    int Count();
    // An empty row (no item) for an index out of range.
    FindRow Row(int index);

private:
    void OnGroupsChanged() override { m_bBrowseStale = true; }
    void OnItemsChanged() override { m_bBrowseStale = true; }
    void OnItemContentChanged(const CPasteItem&) override { m_bBrowseStale = true; }
    void OnItemReleasing(const CPasteItem&) override { m_bBrowseStale = true; }

    bool IsBrowsing() const { return m_bQueryEmpty; }
    void RefreshBrowse();

    CLibrary& m_library;
    CaseFold m_fold;
    const CRecentItems& m_recent;
    std::unique_ptr<CFindResults> m_pSearch;
    std::u16string m_strQuery;
    bool m_bQueryEmpty = true;
    std::vector<FindRow> m_browse; // recent items first, then the library in order
    bool m_bBrowseStale = true;
    unsigned m_nRecentVersion = 0;
};

} // namespace brindlex
