// How an image button draws itself: a raised edge while the pointer is over it, a sunken one while
// pressed, the icon and the caption where ImageButtonLayout places them, both etched when
// disabled. The background (the button face, or the parent's pixels) is the button's to draw.
#pragma once

#include "core/layout/ImageButtonLayout.h"
#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

// The state a paint shows.
struct ImageButtonLook {
    bool pressed = false; // held down, or a toggle that is on
    bool hover = false;
    bool disabled = false;
};

class CImageButtonPainter {
public:
    CImageButtonPainter();

    // Takes the face and text colours from the system again (after WM_SYSCOLORCHANGE).
    void ResetColours();
    // Fills the item with the button face.
    void PaintFace(HDC hDC, const RECT& rcItem) const;
    // The edge, then the icon (when there is one) and the caption (when not empty).
    void PaintContents(HDC hDC, const RECT& rcItem, const ImageButtonLayout& layout, HICON hIcon,
                       const std::u16string& caption, const ImageButtonLook& look) const;

private:
    void PaintBorder(HDC hDC, const RECT& rcItem, const ImageButtonLook& look) const;
    void PaintCaption(HDC hDC, const RECT& rcCaption, const std::u16string& caption,
                      const ImageButtonLook& look) const;

    COLORREF m_clrFace = 0;
    COLORREF m_clrText = 0;
};

} // namespace brindlex
