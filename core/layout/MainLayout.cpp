#include "core/layout/MainLayout.h"

#include "core/layout/Dpi.h"

namespace brindlex {

std::array<ControlPlacement, 14> MainWindowLayout(int W, int H, int h, int dpi) {
    // Every offset below is at 96 DPI, from the edge or the middle it hangs on.
    const auto S = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    const auto place = [](int id, int left, int top, int right, int bottom) {
        return ControlPlacement{id, Rect{left, top, right, bottom}};
    };
    const int half = W / 2;
    const int T = H - S(34) - h;
    return {{
        place(1015, W - S(62), 0, W - S(2), S(28)),
        place(1016, W - S(87), 0, W - S(62), S(28)),
        place(1019, half - S(61), S(30), half - S(41), S(50)),
        place(1020, half - S(41), S(30), half - S(21), S(50)),
        place(1021, half - S(21), S(30), half - S(1), S(50)),
        place(1022, W - S(62), S(30), W - S(42), S(50)),
        place(1023, W - S(42), S(30), W - S(22), S(50)),
        place(1024, W - S(22), S(30), W - S(2), S(50)),
        place(1017, S(2), T, W - S(2), T + h),
        place(1056, S(2), H - S(32), S(32), H - S(2)),
        place(1057, S(32), H - S(32), S(62), H - S(2)),
        place(1002, S(62), H - S(32), W - S(2), H - S(2)),
        place(1008, S(2), S(52), half - S(1), T - S(4)),
        place(1009, half + S(1), S(52), W - S(2), T - S(4)),
    }};
}

unsigned ShiftColour(unsigned colour, int k) {
    unsigned out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned byte = (colour >> shift) & 0xFFu;
        out |= (static_cast<unsigned>(static_cast<int>(byte) + k) & 0xFFu) << shift;
    }
    return out;
}

std::array<BandRect, 5> MainWindowBand(const Rect& c, unsigned C, int dpi) {
    const auto S = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    // The band's edges are one pixel at every scale: a line, not a surface.
    const int top = S(28);
    const int bottom = S(52);
    const int left = c.left + S(2);
    const int right = c.right - S(2);
    return {{
        {Rect{left, top, right, bottom}, ShiftColour(C, -5)},
        {Rect{left, top, right, top + 1}, ShiftColour(C, -15)},
        {Rect{left, top, left + 1, bottom - 1}, ShiftColour(C, -15)},
        {Rect{left + 1, bottom - 1, right, bottom}, ShiftColour(C, 15)},
        {Rect{right - 1, top + 1, right, bottom}, ShiftColour(C, 15)},
    }};
}

} // namespace brindlex
