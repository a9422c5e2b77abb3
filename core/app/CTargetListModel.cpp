#include "core/app/CTargetListModel.h"

#include <algorithm>

namespace brindlex {

CTargetListModel::CTargetListModel(Compare compare)
    : m_compare(compare ? std::move(compare) : Compare(&CTargetListModel::FoldedCompare)) {
}

void CTargetListModel::Clear() {
    m_entries.clear();
    m_nSelected = -1;
}

int CTargetListModel::Add(std::u16string title, std::uintptr_t window) {
    const auto at = std::upper_bound(
        m_entries.begin(), m_entries.end(), title,
        [this](const std::u16string& t, const TargetEntry& e) { return m_compare(t, e.title) < 0; });
    const int index = static_cast<int>(at - m_entries.begin());
    m_entries.insert(at, TargetEntry{std::move(title), window});
    if (m_nSelected >= index) {
        ++m_nSelected; // the selection stays with its entry
    }
    if (m_nSelected < 0) {
        m_nSelected = 0;
    }
    return index;
}

void CTargetListModel::Select(int index) {
    m_nSelected = index >= 0 && index < Count() ? index : -1;
}

const TargetEntry* CTargetListModel::SelectedEntry() const {
    return m_nSelected >= 0 ? &m_entries[static_cast<std::size_t>(m_nSelected)] : nullptr;
}

int CTargetListModel::PreviousIndex() const {
    int index = m_nSelected - 1;
    if (index < 0) {
        index = Count() - 1;
    }
    return index;
}

int CTargetListModel::NextIndex() const {
    int index = m_nSelected + 1;
    if (index >= Count()) {
        index = 0;
    }
    return index < Count() ? index : -1;
}

int CTargetListModel::FoldedCompare(const std::u16string& a, const std::u16string& b) {
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = fold(a[i]), y = fold(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

unsigned HotkeyModifiers(std::uint16_t flags) {
    unsigned mods = 0;
    if (flags & 4u) {
        mods |= 1u; // MOD_ALT
    }
    if (flags & 1u) {
        mods |= 4u; // MOD_SHIFT
    }
    if (flags & 2u) {
        mods |= 2u; // MOD_CONTROL
    }
    return mods;
}

} // namespace brindlex
