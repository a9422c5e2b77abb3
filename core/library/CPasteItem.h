// One snippet of the library.
#pragma once

#include <cstdint>
#include <string>

namespace brindlex {

class CPasteItem {
public:
    CPasteItem() = default;
    CPasteItem(std::u16string name, std::uint32_t reserved, std::u16string text)
        : m_strName(std::move(name)), m_dwReserved(reserved), m_strText(std::move(text)) {}

    std::u16string m_strName;
    std::uint32_t m_dwReserved = 0; // kept as read from the data file, never interpreted
    std::u16string m_strText;
};

} // namespace brindlex
