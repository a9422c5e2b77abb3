// The program's pixel numbers are numbers at 96 DPI, the scale of 100 %; a window at another DPI
// takes each of them times DPI / 96, rounded to the nearest pixel (halves away from zero, as
// MulDiv rounds). A position derived from others scales its distance from the edge it hangs on,
// not the sum, so that neighbours stay flush at every scale.
#pragma once

namespace brindlex {

inline constexpr int kBaseDpi = 96;

// value * numerator / denominator, rounded to the nearest, halves away from zero.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

constexpr int ScaleForDpi(int pixelsAt96, int dpi) {
    return MulDivRounded(pixelsAt96, dpi, kBaseDpi);
}

// The reverse, for a size the settings file keeps at 96 DPI.
constexpr int UnscaleForDpi(int pixels, int dpi) {
    return dpi > 0 ? MulDivRounded(pixels, kBaseDpi, dpi) : pixels;
}

} // namespace brindlex
