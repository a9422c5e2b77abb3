#include "core/layout/PictureSize.h"

#include <cstdint>

namespace brindlex {

int HimetricToPixels(long himetric) {
    // 64-bit intermediate: HIMETRIC values of large pictures overflow 32 bits when multiplied.
    const std::int64_t scaled = static_cast<std::int64_t>(himetric) * kPictureDpi;
    const std::int64_t half = kHimetricPerInch / 2;
    const std::int64_t rounded =
        scaled >= 0 ? (scaled + half) / kHimetricPerInch : -((-scaled + half) / kHimetricPerInch);
    return static_cast<int>(rounded);
}

} // namespace brindlex
