// What the lists (and the main window) hear from the library model. Every hook has an empty
// default so that a view only overrides what it displays.
#pragma once

namespace brindlex {

class CPasteItem;

class ILibraryObserver {
public:
    virtual ~ILibraryObserver() = default;

    // The sequence of groups changed (added, deleted, moved): group rows must be rebuilt.
    virtual void OnGroupsChanged() {}
    // Group `index` got a new name: its row must be repainted.
    virtual void OnGroupRenamed(int /*index*/) {}
    // The current group is now `index` (-1: none).
    virtual void OnCurrentGroupChanged(int /*index*/) {}
    // The rows of the item list (the current group's items) must be rebuilt.
    virtual void OnItemsChanged() {}
    // Item `index` of the current group got a new name.
    virtual void OnItemRenamed(int /*index*/) {}
    // The current item is now `index` of the current group (-1: none).
    virtual void OnCurrentItemChanged(int /*index*/) {}
    // `item` was added to a group, or its name or text changed, in whichever group it is (the
    // hooks above speak of the current group only).
    virtual void OnItemContentChanged(const CPasteItem& /*item*/) {}
    // `item` is about to be freed; whoever still points at it must let go now.
    virtual void OnItemReleasing(const CPasteItem& /*item*/) {}
    // Something the data file holds changed: a group or an item added, renamed, edited, moved or
    // deleted. Choosing a group or an item is no change.
    virtual void OnLibraryChanged() {}
};

} // namespace brindlex
