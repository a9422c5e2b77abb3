// A compressed picture (the about box's JPEG banner) loaded from the program's resources into an
// OLE picture object and drawn upright, scaled into a rectangle of a DC. Its size in pixels is
// taken at a fixed 96 pixels per inch.
//
// A failure leaves no picture held (a failed DrawInto keeps it) and is returned for the owner
// to tell the user of or not; PictureErrorText gives the words for those worth telling.
#pragma once

#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <string_view>

namespace brindlex {

// What kept a picture from loading or drawing.
enum class PictureError {
    kNone,
    kResourceNotFound,
    kResourceNotLoaded,
    kResourceNotLocked,
    kNoMemory,
    kNoStream,
    kNoPictureInterface,
    kNotAPicture,
    kNothingToDraw, // no DC, or no picture held
    kRenderFailed,
};

// The message for the user, empty for an error that is not worth a message (no stream, bytes
// that are no picture, nothing to draw).
std::u16string_view PictureErrorText(PictureError error);

class CPicture {
public:
    // The resource of the given id and type in the program's own module.
    PictureError LoadResourceImage(UINT nResourceId, const wchar_t* resourceType);
    // Decodes the bytes into the picture; the size in pixels is set by LoadResourceImage.
    PictureError LoadImageBytes(const void* data, std::size_t byteCount);
    PictureError DrawInto(HDC hDC, const RECT& rcDest);
    void ReleaseImage();

    bool HasImage() const { return static_cast<bool>(m_picture); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetSize() const { return m_nSize; }

private:
    CComHandle<IPicture> m_picture;
    int m_nHeight = 0;
    int m_nSize = 0;
    int m_nWidth = 0;
};

} // namespace brindlex
