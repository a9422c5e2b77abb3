#include "core/layout/MainLayout.h"

namespace brindlex {

namespace {
ControlPlacement Place(int id, int x, int y, int w, int h) {
    return {id, Rect{x, y, x + w, y + h}};
}
} // namespace

std::array<ControlPlacement, 14> MainWindowLayout(int W, int H, int h) {
    const int half = W / 2;
    const int T = H - 34 - h;
    return {{
        Place(1015, W - 62, 0, 60, 28),
        Place(1016, W - 87, 0, 25, 28),
        Place(1019, half - 61, 30, 20, 20),
        Place(1020, half - 41, 30, 20, 20),
        Place(1021, half - 21, 30, 20, 20),
        Place(1022, W - 62, 30, 20, 20),
        Place(1023, W - 42, 30, 20, 20),
        Place(1024, W - 22, 30, 20, 20),
        Place(1017, 2, T, W - 4, h),
        Place(1056, 2, H - 32, 30, 30),
        Place(1057, 32, H - 32, 30, 30),
        Place(1002, 62, H - 32, W - 64, 30),
        Place(1008, 2, 52, half - 3, T - 56),
        Place(1009, half + 1, 52, W - (half + 1) - 2, T - 56),
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

std::array<BandRect, 5> MainWindowBand(const Rect& c, unsigned C) {
    return {{
        {Rect{c.left + 2, 28, c.right - 2, 52}, ShiftColour(C, -5)},
        {Rect{c.left + 2, 28, c.right - 2, 29}, ShiftColour(C, -15)},
        {Rect{c.left + 2, 28, c.left + 3, 51}, ShiftColour(C, -15)},
        {Rect{c.left + 3, 51, c.right - 2, 52}, ShiftColour(C, 15)},
        {Rect{c.right - 3, 29, c.right - 2, 52}, ShiftColour(C, 15)},
    }};
}

} // namespace brindlex
