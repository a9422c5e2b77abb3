// A compressed picture (the about box's JPEG banner) loaded from the program's resources into an
// OLE picture object and drawn upright, scaled into a rectangle of a DC. Its size in pixels is
// taken at a fixed 96 pixels per inch.
//
// Failures are told to the user in a "CPicture Error" message box and leave no picture held
// (a failed DrawInto keeps it); the results are for callers who care.
#pragma once

#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstddef>

namespace brindlex {

class CPicture {
public:
    // The resource of the given id and type in the program's own module.
    bool LoadResourceImage(UINT nResourceId, const wchar_t* resourceType);
    // Decodes the bytes into the picture; the size in pixels is set by LoadResourceImage.
    bool LoadImageBytes(const void* data, std::size_t byteCount);
    bool DrawInto(HDC hDC, const RECT& rcDest);
    void ReleaseImage();

    bool HasImage() const { return static_cast<bool>(m_picture); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetSize() const { return m_nSize; }

private:
    static void ShowError(const wchar_t* message);

    CComHandle<IPicture> m_picture;
    int m_nHeight = 0;
    int m_nSize = 0;
    int m_nWidth = 0;
};

} // namespace brindlex
