// The results of Find for the query typed so far, kept true to the library while Find is open.
// It folds every item's name and text once and refolds only what the library reports changed,
// so each keystroke is one pass over the folded copies. Rows are ranked: items whose name holds
// every word first, then the others, each in library order (groups, then items).
//
// Any change to the library makes the results stale; the next read brings them up to date, so a
// row never refers to an item that was freed, and its indices are where the item is now. The
// change handler hears the first change after each read: a view can post itself a note and read
// once the operation is over (one pass per operation), or read at once, which is safe too.
// Find only reads the library.
#pragma once

#include "core/find/CaseFold.h"
#include "core/find/CFindQuery.h"
#include "core/find/CFoldedItem.h"
#include "core/library/CLibrary.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brindlex {

struct FindRow {
    const CPasteItem* pItem = nullptr; // valid until the library next changes
    int nGroup = -1;                   // for SelectGroup
    int nItem = -1;                    // for SetCurrentItem, once the group is current
    bool bNameMatch = false;
};

class CFindResults : private ILibraryObserver {
public:
    // Observes `library`, which must outlive the results.
    CFindResults(CLibrary& library, CaseFold fold);
    ~CFindResults() override;
    CFindResults(const CFindResults&) = delete;
    CFindResults& operator=(const CFindResults&) = delete;

    void SetQuery(std::u16string_view text);
    void SetChangeHandler(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    int Count();
    // An empty row (no item) for an index out of range.
    FindRow Row(int index);
    // The row's text around its first match; from the start when the words are only in the name.
    std::u16string Excerpt(int index);
    // "3 of 12,345 items", "No item matches", or empty for an empty query.
    std::u16string CountLine();

private:
    struct Entry {
        const CPasteItem* pItem = nullptr; // null once released
        CFoldedItem folded;
        int nGroup = -1;
        int nItem = -1;
    };

    void OnGroupsChanged() override { MarkStale(true); }
    void OnGroupRenamed(int) override { MarkStale(false); }
    void OnItemsChanged() override { MarkStale(true); }
    void OnItemContentChanged(const CPasteItem& item) override;
    void OnItemReleasing(const CPasteItem& item) override;

    void MarkStale(bool orderChanged);
    void Refresh();
    void RebuildOrder();
    void RunQuery();

    CLibrary& m_library;
    CaseFold m_fold;
    CFindQuery m_query;
    std::function<void()> m_onChange;

    std::vector<Entry> m_entries;                                 // library order unless m_bOrderStale
    std::unordered_map<const CPasteItem*, std::size_t> m_entryOf; // index into m_entries
    std::vector<std::uint32_t> m_rows;                            // into m_entries, name matches first
    std::vector<std::uint32_t> m_textRows;                        // scratch for the second rank
    std::size_t m_nNameRows = 0;
    bool m_bOrderStale = true;
    bool m_bResultsStale = true;
};

} // namespace brindlex
