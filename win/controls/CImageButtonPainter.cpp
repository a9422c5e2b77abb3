#include "win/controls/CImageButtonPainter.h"

#include "win/framework/Drawing.h"
#include "win/framework/LayoutGeometry.h"
#include "win/framework/WideString.h"

namespace brindlex {

CImageButtonPainter::CImageButtonPainter() {
    ResetColours();
}

void CImageButtonPainter::ResetColours() {
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
}

void CImageButtonPainter::PaintFace(HDC hDC, const RECT& rcItem) const {
    FillSolidRect(hDC, rcItem, m_clrFace);
}

void CImageButtonPainter::PaintContents(HDC hDC, const RECT& rcItem, const ImageButtonLayout& layout,
                                        HICON hIcon, const std::u16string& caption,
                                        const ImageButtonLook& look) const {
    PaintBorder(hDC, rcItem, look);
    if (hIcon != nullptr) {
        // The icon's top-left corner at the image rectangle's.
        const RECT rcImage = ToRECT(layout.image);
        ::DrawStateW(hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, rcImage.left, rcImage.top,
                     rcImage.right - rcImage.left, rcImage.bottom - rcImage.top,
                     DST_ICON | (look.disabled ? DSS_DISABLED : DSS_NORMAL));
    }
    if (!caption.empty()) {
        PaintCaption(hDC, ToRECT(layout.caption), caption, look);
    }
    // No focus rectangle: keyboard focus has no visible mark on these buttons.
}

void CImageButtonPainter::PaintBorder(HDC hDC, const RECT& rcItem, const ImageButtonLook& look) const {
    if (look.pressed) {
        Draw3dRect(hDC, rcItem, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHILIGHT));
    } else if (look.hover) {
        Draw3dRect(hDC, rcItem, ::GetSysColor(COLOR_BTNHILIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
}

// Centred in rcCaption.
void CImageButtonPainter::PaintCaption(HDC hDC, const RECT& rcCaption, const std::u16string& caption,
                                       const ImageButtonLook& look) const {
    constexpr UINT kFormat = DT_WORDBREAK | DT_CENTER;
    const int length = static_cast<int>(caption.size());
    RECT rcMeasured = rcCaption;
    ::DrawTextW(hDC, W(caption), length, &rcMeasured, kFormat | DT_CALCRECT);
    RECT rcText = ToRECT(CentreTextBlock(ToRect(rcCaption), rcMeasured.right - rcMeasured.left,
                                         rcMeasured.bottom - rcMeasured.top));
    const COLORREF oldColour = ::GetTextColor(hDC);
    if (look.disabled) {
        RECT rcLight = rcText;
        ::OffsetRect(&rcLight, 1, 1);
        ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNHILIGHT));
        ::DrawTextW(hDC, W(caption), length, &rcLight, kFormat);
        ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNSHADOW));
        ::DrawTextW(hDC, W(caption), length, &rcText, kFormat);
    } else {
        ::SetTextColor(hDC, m_clrText);
        ::DrawTextW(hDC, W(caption), length, &rcText, kFormat);
    }
    ::SetTextColor(hDC, oldColour);
}

} // namespace brindlex
