#include "core/library/Data.h"

CData::CData() {
    for (std::size_t i = 0; i < brindlex::kControlKeys.size(); ++i) {
        m_arrTokens[i] = std::u16string(brindlex::kControlKeys[i].text);
    }
}
