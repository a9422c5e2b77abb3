// The snippet library: the ordered groups, the current group and the current item, and the
// operations the lists, the main window, the editor and the data file perform on them.
// The library owns the groups, each group owns its items. The two lists display this model
// through ILibraryObserver; the current item is the item list's selected row.
#pragma once

#include "core/library/ILibraryObserver.h"
#include "core/library/CPasteGroup.h"

#include <memory>
#include <string>
#include <vector>

namespace brindlex {

class CLibrary {
public:
    CLibrary() = default;
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    void AddObserver(ILibraryObserver* observer);
    void RemoveObserver(ILibraryObserver* observer);

    // Counts and lookups.
    int GroupCount() const { return static_cast<int>(m_arrGroups.size()); }
    CPasteGroup& Group(int index) const { return *m_arrGroups[static_cast<std::size_t>(index)]; }
    bool IsGroupIndex(int index) const { return index >= 0 && index < GroupCount(); }
    int CurrentGroupIndex() const { return m_nCurGroup; }
    CPasteGroup* CurrentGroup() const;
    int CurrentItemIndex() const { return m_nCurItem; }
    CPasteItem* CurrentItem() const;
    int CurrentItemCount() const;
    CPasteItem* CurrentGroupItem(int index) const; // null when out of range or no current group

    // Operations (names and texts are taken as they are; nothing is validated).
    CPasteGroup& AddGroup(std::u16string name);
    CPasteItem& AddItem(CPasteGroup& group, std::u16string name, std::uint32_t reserved, std::u16string text);
    CPasteItem& AddItem(CPasteGroup& group, std::unique_ptr<CPasteItem> item);
    void SelectGroup(int index);
    bool RenameGroup(int index, const std::u16string& name);
    bool RenameItem(int index, const std::u16string& name);
    void UpdateItem(CPasteItem& item, std::u16string name, std::u16string text);
    void DeleteGroup(int index);
    void DeleteItem(int index);
    void MoveGroup(int from, int to);
    void MoveItem(int from, int to);

    // The item list's selection moved (click or key): -1 or an index of the current group.
    void SetCurrentItem(int index);

    // Whether `item` is stored in some group (the editor checks its item before writing).
    bool Contains(const CPasteItem* item) const;

    // Frees everything (teardown, or before another library is read in); observers hear
    // OnItemReleasing for each item, but no OnLibraryChanged: what replaces it decides that.
    void Clear();

    // Where an item moved by MoveItem/MoveGroup lands: `to` = -1 (or outside 0..count-1) means
    // after the last row. Returns -1 when nothing moves.
    static int MovedIndex(int from, int to, int count);

private:
    template <typename F> void Notify(F&& f) {
        for (ILibraryObserver* o : std::vector<ILibraryObserver*>(m_observers)) {
            f(*o);
        }
    }
    void NotifyChanged() {
        Notify([](ILibraryObserver& o) { o.OnLibraryChanged(); });
    }
    void ReleaseItems(CPasteGroup& group);
    template <typename T> static int MoveWithin(std::vector<std::unique_ptr<T>>& v, int from, int to);

    std::vector<std::unique_ptr<CPasteGroup>> m_arrGroups;
    int m_nCurGroup = -1;
    int m_nCurItem = -1;
    std::vector<ILibraryObserver*> m_observers;
};

} // namespace brindlex
