#include "win/controls/CPicture.h"

#include "core/layout/PictureSize.h"
#include "win/framework/CGlobalLock.h"
#include "win/framework/CWinApp.h"
#include "win/framework/UniqueHandle.h"

#include <cstring>
#include <utility>

namespace brindlex {

std::u16string_view PictureErrorText(PictureError error) {
    switch (error) {
    case PictureError::kResourceNotFound:
        return u"FindResource() Failed\t";
    case PictureError::kResourceNotLoaded:
        return u"LoadResource() Failed\t";
    case PictureError::kResourceNotLocked:
        return u"LockResource() Failed\t";
    case PictureError::kNoMemory:
    case PictureError::kRenderFailed:
        return u"Can not allocate enough memory\t";
    case PictureError::kNoPictureInterface:
        return u"IPicture interface is not supported\t";
    case PictureError::kNone:
    case PictureError::kNoStream:
    case PictureError::kNotAPicture:
    case PictureError::kNothingToDraw:
        break;
    }
    return {};
}

void CPicture::ReleaseImage() {
    m_picture.reset();
    m_nHeight = 0;
    m_nSize = 0;
    m_nWidth = 0;
}

PictureError CPicture::LoadResourceImage(UINT nResourceId, const wchar_t* resourceType) {
    if (m_picture) {
        ReleaseImage();
    }
    const HINSTANCE hModule = AfxGetInstanceHandle();
    const HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nResourceId), resourceType);
    if (hResource == nullptr) {
        return PictureError::kResourceNotFound;
    }
    const HGLOBAL hData = ::LoadResource(hModule, hResource);
    if (hData == nullptr) {
        return PictureError::kResourceNotLoaded;
    }
    const void* data = ::LockResource(hData);
    if (data == nullptr) {
        return PictureError::kResourceNotLocked;
    }
    const DWORD byteCount = ::SizeofResource(hModule, hResource);
    const PictureError error = LoadImageBytes(data, byteCount);
    m_nSize = static_cast<int>(byteCount);
    if (!m_picture) {
        m_nWidth = 0;
        m_nHeight = 0;
        return error;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture.get()->get_Width(&width);
    m_picture.get()->get_Height(&height);
    m_nWidth = HimetricToPixels(width);
    m_nHeight = HimetricToPixels(height);
    return error;
}

PictureError CPicture::LoadImageBytes(const void* data, std::size_t byteCount) {
    CGlobalHandle hMem(::GlobalAlloc(GMEM_MOVEABLE, byteCount));
    if (!hMem) {
        return PictureError::kNoMemory;
    }
    {
        const CGlobalLock lock(hMem.get());
        if (!lock) {
            return PictureError::kNoMemory;
        }
        std::memcpy(lock.get(), data, byteCount);
    }
    IStream* pStream = nullptr;
    if (::CreateStreamOnHGlobal(hMem.get(), TRUE, &pStream) != S_OK || pStream == nullptr) {
        return PictureError::kNoStream;
    }
    hMem.release(); // the stream frees the block when it goes
    const CComHandle<IStream> stream(pStream);
    IPicture* pLoaded = nullptr;
    const HRESULT hr = ::OleLoadPicture(pStream, static_cast<LONG>(byteCount), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&pLoaded));
    CComHandle<IPicture> picture(pLoaded);
    if (hr == E_NOINTERFACE) {
        return PictureError::kNoPictureInterface;
    }
    // Any other failure leaves no picture.
    if (FAILED(hr)) {
        picture.reset();
    }
    m_picture = std::move(picture);
    return m_picture ? PictureError::kNone : PictureError::kNotAPicture;
}

PictureError CPicture::DrawInto(HDC hDC, const RECT& rcDest) {
    if (hDC == nullptr || !m_picture) {
        return PictureError::kNothingToDraw;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture.get()->get_Width(&width);
    m_picture.get()->get_Height(&height);
    // HIMETRIC space runs bottom-up: start at the bottom with a negative height to draw upright.
    const HRESULT hr =
        m_picture.get()->Render(hDC, rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                                rcDest.bottom - rcDest.top, 0, height, width, -height, &rcDest);
    return FAILED(hr) ? PictureError::kRenderFailed : PictureError::kNone;
}

} // namespace brindlex
