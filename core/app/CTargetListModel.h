// The entries of the target-window list: (title, window) pairs kept sorted by title without
// regard to case, and a selection that stays with its entry when others are inserted before it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brindlex {

struct TargetEntry {
    std::u16string title;
    std::uintptr_t window = 0;
};

class CTargetListModel {
public:
    // Returns <0, 0 or >0 like lstrcmpiW. The default folds ASCII letters only.
    using Compare = std::function<int(const std::u16string&, const std::u16string&)>;

    explicit CTargetListModel(Compare compare = {});

    void Clear();
    // Sorted insertion (after entries that compare equal); selects entry 0 when nothing is
    // selected yet. Returns the index of the new entry.
    int Add(std::u16string title, std::uintptr_t window);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const TargetEntry& Entry(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
    int Selected() const { return m_nSelected; }
    void Select(int index);
    const TargetEntry* SelectedEntry() const;

    // "<" and ">": the index they step to, wrapping around; -1 for an empty list.
    int PreviousIndex() const;
    int NextIndex() const;

    static int FoldedCompare(const std::u16string& a, const std::u16string& b);

private:
    Compare m_compare;
    std::vector<TargetEntry> m_entries;
    int m_nSelected = -1;
};

// RegisterHotKey modifiers from hotkey-control flags: HOTKEYF_ALT 4 -> MOD_ALT 1,
// HOTKEYF_SHIFT 1 -> MOD_SHIFT 4, HOTKEYF_CONTROL 2 -> MOD_CONTROL 2; HOTKEYF_EXT 8 dropped.
unsigned HotkeyModifiers(std::uint16_t hotkeyFlags);

} // namespace brindlex
