#include "core/library/CData.h"

namespace brindlex {

CData::CData() {
    for (std::size_t i = 0; i < kControlKeys.size(); ++i) {
        m_arrTokens[i] = std::u16string(kControlKeys[i].text);
    }
}

} // namespace brindlex
