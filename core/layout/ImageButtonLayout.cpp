#include "core/layout/ImageButtonLayout.h"

namespace brindlex {

ImageButtonLayout PlaceImageButton(const ImageButtonLayoutInput& in) {
    Rect image = in.item;
    Rect caption = in.item;
    if (in.hasIcon) {
        if (in.alignment == ImageAlign::kRight) {
            caption.left = in.margin;
            caption.right = in.item.Width() - in.iconWidth - in.margin;
            image.left = in.clientWidth - in.iconWidth - in.margin;
        } else if (in.hasCaption) {
            image.left += in.margin;
            caption.left += in.iconWidth + in.margin;
        } else {
            image.left += (image.Width() - in.iconWidth) / 2;
        }
        image.top += (image.Height() - in.iconHeight) / 2;
    }
    // A pressed push button's contents sink; a toggle shows its state by the border alone.
    if (in.pressed && !in.toggle) {
        image = image.Offset(in.shiftX, in.shiftY);
        caption = caption.Offset(in.shiftX, in.shiftY);
    }
    return {image, caption};
}

Rect CentreTextBlock(const Rect& box, int textWidth, int textHeight) {
    const int left = box.left + (box.Width() - textWidth) / 2;
    const int top = box.top + (box.Height() - textHeight) / 2;
    return {left, top, left + textWidth, top + textHeight};
}

} // namespace brindlex
