#include "core/paste/TargetIntegrity.h"

namespace brindlex {

bool CanTypeInto(std::optional<unsigned> ownLevel, std::optional<unsigned> targetLevel) {
    if (!ownLevel) {
        return true;
    }
    if (!targetLevel) {
        return *ownLevel >= kIntegrityHigh;
    }
    return *targetLevel <= *ownLevel;
}

} // namespace brindlex
