// Small GDI drawing helpers that need no brush or pen of their own.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

// Fills the rectangle with a solid colour (right and bottom exclusive); the DC's background
// colour is put back.
void FillSolidRect(HDC hDC, const RECT& rect, COLORREF colour);
// A one-pixel 3D frame on the rectangle: top and left lines in topLeft, bottom and right lines
// in bottomRight.
void Draw3dRect(HDC hDC, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

} // namespace brindlex
