#include "win/framework/Drawing.h"

namespace brindlex {

void FillSolidRect(HDC hDC, const RECT& rect, COLORREF colour) {
    // An opaque empty text fills with the background colour: no brush to make and delete.
    const COLORREF old = ::SetBkColor(hDC, colour);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(hDC, old);
}

void Draw3dRect(HDC hDC, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const LONG l = rect.left;
    const LONG t = rect.top;
    const LONG r = rect.right;
    const LONG b = rect.bottom;
    // Top and left stop short of the far corners, which belong to the right and bottom lines.
    FillSolidRect(hDC, RECT{l, t, r - 1, t + 1}, topLeft);
    FillSolidRect(hDC, RECT{l, t, l + 1, b - 1}, topLeft);
    FillSolidRect(hDC, RECT{r - 1, t, r, b}, bottomRight);
    FillSolidRect(hDC, RECT{l, b - 1, r, b}, bottomRight);
}

} // namespace brindlex
