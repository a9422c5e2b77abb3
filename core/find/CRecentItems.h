// The items pasted in this session, most recent first, at most ten: what the quick-paste popup
// offers before anything is typed. An item the library frees leaves the list with it.
#pragma once

#include "core/library/CLibrary.h"

#include <cstddef>
#include <vector>

namespace brindlex {

class CRecentItems : private ILibraryObserver {
public:
    static constexpr std::size_t kMaxItems = 10;

    // Observes `library`, which must outlive the list.
    explicit CRecentItems(CLibrary& library);
    ~CRecentItems() override;
    CRecentItems(const CRecentItems&) = delete;
    CRecentItems& operator=(const CRecentItems&) = delete;

    // `item` was just pasted: it goes first (once), the oldest beyond ten go.
    void Add(const CPasteItem& item);
    const std::vector<const CPasteItem*>& Items() const { return m_items; }
    // Bumped by every change of the list, so that a view knows when to read it again.
    unsigned Version() const { return m_nVersion; }

private:
    void OnItemReleasing(const CPasteItem& item) override;

    CLibrary& m_library;
    std::vector<const CPasteItem*> m_items;
    unsigned m_nVersion = 0;
};

} // namespace brindlex
