#include "core/find/CFindResults.h"

#include "core/find/FindCountLine.h"
#include "core/find/FindExcerpt.h"

namespace brindlex {

CFindResults::CFindResults(CLibrary& library, CaseFold fold) : m_library(library), m_fold(std::move(fold)) {
    std::size_t count = 0;
    for (int g = 0; g < m_library.GroupCount(); ++g) {
        count += m_library.Group(g).ItemCount();
    }
    m_entries.reserve(count);
    m_entryOf.reserve(count);
    for (int g = 0; g < m_library.GroupCount(); ++g) {
        const CPasteGroup& group = m_library.Group(g);
        for (std::size_t i = 0; i < group.ItemCount(); ++i) {
            const CPasteItem& item = group.Item(i);
            m_entryOf.emplace(&item, m_entries.size());
            m_entries.push_back(
                {&item, CFoldedItem(item.m_strName, item.m_strText, m_fold), g, static_cast<int>(i)});
        }
    }
    m_bOrderStale = false;
    RunQuery();
    m_library.AddObserver(this);
}

CFindResults::~CFindResults() {
    m_library.RemoveObserver(this);
}

void CFindResults::SetQuery(std::u16string_view text) {
    m_query = CFindQuery(text, m_fold);
    m_bResultsStale = true;
    Refresh();
}

int CFindResults::Count() {
    Refresh();
    return static_cast<int>(m_rows.size());
}

FindRow CFindResults::Row(int index) {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const Entry& entry = m_entries[m_rows[static_cast<std::size_t>(index)]];
    return {entry.pItem, entry.nGroup, entry.nItem, static_cast<std::size_t>(index) < m_nNameRows};
}

std::u16string CFindResults::Excerpt(int index) {
    if (index < 0 || index >= Count()) {
        return {};
    }
    const Entry& entry = m_entries[m_rows[static_cast<std::size_t>(index)]];
    const std::size_t folded = entry.folded.FirstMatchInText(m_query);
    const std::u16string& text = entry.pItem->m_strText;
    const std::size_t match =
        folded == std::u16string::npos ? 0 : OriginalPosition(folded, entry.folded.TextLength(), text.size());
    return FindExcerpt(text, match);
}

std::u16string CFindResults::CountLine() {
    Refresh();
    return FindCountLine(m_query.IsEmpty(), m_rows.size(), m_entries.size());
}

void CFindResults::OnItemContentChanged(const CPasteItem& item) {
    CFoldedItem folded(item.m_strName, item.m_strText, m_fold);
    if (const auto found = m_entryOf.find(&item); found != m_entryOf.end()) {
        m_entries[found->second].folded = std::move(folded);
        MarkStale(false);
    } else {
        // A new item: where it stands is found when the order is rebuilt.
        m_entryOf.emplace(&item, m_entries.size());
        m_entries.push_back({&item, std::move(folded), -1, -1});
        MarkStale(true);
    }
}

void CFindResults::OnItemReleasing(const CPasteItem& item) {
    if (const auto found = m_entryOf.find(&item); found != m_entryOf.end()) {
        m_entries[found->second] = Entry{};
        m_entryOf.erase(found);
    }
    MarkStale(true);
}

void CFindResults::MarkStale(bool orderChanged) {
    m_bOrderStale = m_bOrderStale || orderChanged;
    if (!m_bResultsStale) {
        m_bResultsStale = true;
        if (m_onChange) {
            m_onChange();
        }
    }
}

void CFindResults::Refresh() {
    if (m_bOrderStale) {
        RebuildOrder();
    }
    if (m_bResultsStale) {
        RunQuery();
    }
}

void CFindResults::RebuildOrder() {
    std::vector<Entry> ordered;
    ordered.reserve(m_entryOf.size());
    for (int g = 0; g < m_library.GroupCount(); ++g) {
        const CPasteGroup& group = m_library.Group(g);
        for (std::size_t i = 0; i < group.ItemCount(); ++i) {
            // An item the library still holds but that is missing here is being released now.
            const auto found = m_entryOf.find(&group.Item(i));
            if (found == m_entryOf.end()) {
                continue;
            }
            Entry& entry = m_entries[found->second];
            found->second = ordered.size();
            ordered.push_back({entry.pItem, std::move(entry.folded), g, static_cast<int>(i)});
            entry.pItem = nullptr;
        }
    }
    // Whatever was not met in the library is not in it (an item edited outside of it).
    for (const Entry& left : m_entries) {
        if (left.pItem != nullptr) {
            m_entryOf.erase(left.pItem);
        }
    }
    m_entries = std::move(ordered);
    m_bOrderStale = false;
    m_bResultsStale = true;
}

void CFindResults::RunQuery() {
    m_rows.clear();
    m_textRows.clear();
    if (!m_query.IsEmpty()) {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            switch (m_entries[i].folded.Match(m_query)) {
            case FindMatch::InName:
                m_rows.push_back(static_cast<std::uint32_t>(i));
                break;
            case FindMatch::NameOrText:
                m_textRows.push_back(static_cast<std::uint32_t>(i));
                break;
            case FindMatch::None:
                break;
            }
        }
    }
    m_nNameRows = m_rows.size();
    m_rows.insert(m_rows.end(), m_textRows.begin(), m_textRows.end());
    m_bResultsStale = false;
}

} // namespace brindlex
