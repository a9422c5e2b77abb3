#include "core/library/CLibrary.h"

#include <algorithm>

namespace brindlex {

void CLibrary::AddObserver(ILibraryObserver* observer) {
    if (observer != nullptr &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CLibrary::RemoveObserver(ILibraryObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

CPasteGroup* CLibrary::CurrentGroup() const {
    return IsGroupIndex(m_nCurGroup) ? &Group(m_nCurGroup) : nullptr;
}

CPasteItem* CLibrary::CurrentItem() const {
    return CurrentGroupItem(m_nCurItem);
}

int CLibrary::CurrentItemCount() const {
    const CPasteGroup* group = CurrentGroup();
    return group != nullptr ? static_cast<int>(group->ItemCount()) : 0;
}

CPasteItem* CLibrary::CurrentGroupItem(int index) const {
    const CPasteGroup* group = CurrentGroup();
    if (group == nullptr || index < 0 || index >= static_cast<int>(group->ItemCount())) {
        return nullptr;
    }
    return &group->Item(static_cast<std::size_t>(index));
}

CPasteGroup& CLibrary::AddGroup(std::u16string name) {
    m_arrGroups.push_back(std::make_unique<CPasteGroup>(std::move(name)));
    CPasteGroup& group = *m_arrGroups.back();
    Notify([](ILibraryObserver& o) { o.OnGroupsChanged(); });
    NotifyChanged();
    return group;
}

CPasteItem& CLibrary::AddItem(CPasteGroup& group, std::u16string name, std::uint32_t reserved,
                              std::u16string text) {
    return AddItem(group, std::make_unique<CPasteItem>(std::move(name), reserved, std::move(text)));
}

CPasteItem& CLibrary::AddItem(CPasteGroup& group, std::unique_ptr<CPasteItem> item) {
    group.m_arrItems.push_back(std::move(item));
    CPasteItem& added = *group.m_arrItems.back();
    Notify([&added](ILibraryObserver& o) { o.OnItemContentChanged(added); });
    // The item list mirrors the current group, so a new row appears there at once; the current
    // item does not change.
    if (&group == CurrentGroup()) {
        Notify([](ILibraryObserver& o) { o.OnItemsChanged(); });
        const int current = m_nCurItem;
        Notify([current](ILibraryObserver& o) { o.OnCurrentItemChanged(current); });
    }
    NotifyChanged();
    return added;
}

void CLibrary::SelectGroup(int index) {
    if (IsGroupIndex(index)) {
        m_nCurGroup = index;
        m_nCurItem = Group(index).ItemCount() > 0 ? 0 : -1;
    } else {
        // No current group: the item list is left empty so that it still mirrors "no group".
        m_nCurGroup = -1;
        m_nCurItem = -1;
    }
    const int group = m_nCurGroup;
    const int item = m_nCurItem;
    Notify([group](ILibraryObserver& o) { o.OnCurrentGroupChanged(group); });
    Notify([](ILibraryObserver& o) { o.OnItemsChanged(); });
    Notify([item](ILibraryObserver& o) { o.OnCurrentItemChanged(item); });
}

bool CLibrary::RenameGroup(int index, const std::u16string& name) {
    if (!IsGroupIndex(index) || Group(index).m_strName == name) {
        return false;
    }
    Group(index).m_strName = name;
    Notify([index](ILibraryObserver& o) { o.OnGroupRenamed(index); });
    SelectGroup(index);
    NotifyChanged();
    return true;
}

bool CLibrary::RenameItem(int index, const std::u16string& name) {
    CPasteItem* item = CurrentGroupItem(index);
    if (item == nullptr || item->m_strName == name) {
        return false;
    }
    item->m_strName = name;
    m_nCurItem = index;
    Notify([item](ILibraryObserver& o) { o.OnItemContentChanged(*item); });
    Notify([index](ILibraryObserver& o) { o.OnItemRenamed(index); });
    Notify([index](ILibraryObserver& o) { o.OnCurrentItemChanged(index); });
    NotifyChanged();
    return true;
}

void CLibrary::UpdateItem(CPasteItem& item, std::u16string name, std::u16string text) {
    item.m_strName = std::move(name);
    item.m_strText = std::move(text);
    Notify([&item](ILibraryObserver& o) { o.OnItemContentChanged(item); });
    if (CPasteGroup* group = CurrentGroup()) {
        for (std::size_t i = 0; i < group->ItemCount(); ++i) {
            if (&group->Item(i) == &item) {
                const int index = static_cast<int>(i);
                Notify([index](ILibraryObserver& o) { o.OnItemRenamed(index); });
            }
        }
    }
    NotifyChanged();
}

void CLibrary::ReleaseItems(CPasteGroup& group) {
    for (const auto& item : group.m_arrItems) {
        const CPasteItem& released = *item;
        Notify([&released](ILibraryObserver& o) { o.OnItemReleasing(released); });
    }
    group.m_arrItems.clear();
}

void CLibrary::DeleteGroup(int index) {
    if (!IsGroupIndex(index)) {
        return;
    }
    ReleaseItems(Group(index));
    m_arrGroups.erase(m_arrGroups.begin() + index);
    if (m_nCurGroup >= GroupCount()) {
        m_nCurGroup = -1;
    }
    Notify([](ILibraryObserver& o) { o.OnGroupsChanged(); });
    SelectGroup(GroupCount() == 0 ? -1 : std::min(index, GroupCount() - 1));
    NotifyChanged();
}

void CLibrary::DeleteItem(int index) {
    CPasteGroup* group = CurrentGroup();
    if (group == nullptr) {
        return;
    }
    const bool deleted = index >= 0 && index < static_cast<int>(group->ItemCount());
    if (deleted) {
        const CPasteItem& released = group->Item(static_cast<std::size_t>(index));
        Notify([&released](ILibraryObserver& o) { o.OnItemReleasing(released); });
        group->m_arrItems.erase(group->m_arrItems.begin() + index);
    }
    SelectGroup(m_nCurGroup);
    if (deleted) {
        NotifyChanged();
    }
}

int CLibrary::MovedIndex(int from, int to, int count) {
    if (from < 0 || from >= count) {
        return -1;
    }
    if (to < 0 || to >= count) {
        to = count; // after the last row
    }
    return from < to ? to - 1 : to;
}

template <typename T> int CLibrary::MoveWithin(std::vector<std::unique_ptr<T>>& v, int from, int to) {
    const int target = MovedIndex(from, to, static_cast<int>(v.size()));
    if (target < 0 || from == to) {
        return -1;
    }
    std::unique_ptr<T> moved = std::move(v[static_cast<std::size_t>(from)]);
    v.erase(v.begin() + from);
    v.insert(v.begin() + target, std::move(moved));
    return target;
}

void CLibrary::MoveGroup(int from, int to) {
    const int target = MoveWithin(m_arrGroups, from, to);
    if (target < 0) {
        return;
    }
    Notify([](ILibraryObserver& o) { o.OnGroupsChanged(); });
    SelectGroup(target);
    NotifyChanged();
}

void CLibrary::MoveItem(int from, int to) {
    CPasteGroup* group = CurrentGroup();
    if (group == nullptr) {
        return;
    }
    const int target = MoveWithin(group->m_arrItems, from, to);
    if (target < 0) {
        return;
    }
    m_nCurItem = target;
    Notify([](ILibraryObserver& o) { o.OnItemsChanged(); });
    Notify([target](ILibraryObserver& o) { o.OnCurrentItemChanged(target); });
    NotifyChanged();
}

void CLibrary::SetCurrentItem(int index) {
    m_nCurItem = CurrentGroupItem(index) != nullptr ? index : -1;
    const int item = m_nCurItem;
    Notify([item](ILibraryObserver& o) { o.OnCurrentItemChanged(item); });
}

bool CLibrary::Contains(const CPasteItem* item) const {
    for (const auto& group : m_arrGroups) {
        for (const auto& stored : group->m_arrItems) {
            if (stored.get() == item) {
                return true;
            }
        }
    }
    return false;
}

void CLibrary::Clear() {
    for (const auto& group : m_arrGroups) {
        ReleaseItems(*group);
    }
    m_arrGroups.clear();
    m_nCurGroup = -1;
    m_nCurItem = -1;
    Notify([](ILibraryObserver& o) { o.OnGroupsChanged(); });
    Notify([](ILibraryObserver& o) { o.OnItemsChanged(); });
}

} // namespace brindlex
