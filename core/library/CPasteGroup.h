// One group (a "folder" to the user): a name and the items it owns, in display and file order.
#pragma once

#include "core/library/CPasteItem.h"

#include <memory>
#include <string>
#include <vector>

namespace brindlex {

class CPasteGroup {
public:
    CPasteGroup() = default;
    explicit CPasteGroup(std::u16string name) : m_strName(std::move(name)) {}

    std::size_t ItemCount() const { return m_arrItems.size(); }
    CPasteItem& Item(std::size_t i) const { return *m_arrItems[i]; }

    std::u16string m_strName;
    std::vector<std::unique_ptr<CPasteItem>> m_arrItems;
};

} // namespace brindlex
