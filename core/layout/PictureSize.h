// The picture loader's size rule: OLE pictures measure themselves in HIMETRIC (0.01 mm); the
// program shows them at a fixed 96 pixels per inch, whatever the screen's resolution.
#pragma once

namespace brindlex {

inline constexpr int kHimetricPerInch = 2540;
inline constexpr int kPictureDpi = 96;

// value * 96 / 2540 rounded to the nearest pixel, halves away from zero (as MulDiv rounds).
int HimetricToPixels(long himetric);

} // namespace brindlex
