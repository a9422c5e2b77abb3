#include "win/controls/CPicture.h"

#include "core/layout/PictureSize.h"
#include "win/framework/CGlobalLock.h"
#include "win/framework/CWinApp.h"
#include "win/framework/CWnd.h"
#include "win/framework/MessageBox.h"
#include "win/framework/UniqueHandle.h"
#include "win/framework/WideString.h"

#include <cstring>
#include <utility>

namespace brindlex {

void CPicture::ShowError(const wchar_t* message) {
    CWnd* pMainWnd = AfxGetMainWnd();
    ShowMessageBox(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr, U16(message), u"CPicture Error",
                   MB_OK | MB_ICONSTOP);
}

void CPicture::ReleaseImage() {
    m_picture.reset();
    m_nHeight = 0;
    m_nSize = 0;
    m_nWidth = 0;
}

bool CPicture::LoadResourceImage(UINT nResourceId, const wchar_t* resourceType) {
    if (m_picture) {
        ReleaseImage();
    }
    const HINSTANCE hModule = AfxGetInstanceHandle();
    const HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nResourceId), resourceType);
    if (hResource == nullptr) {
        ShowError(L"FindResource() Failed\t");
        return false;
    }
    const HGLOBAL hData = ::LoadResource(hModule, hResource);
    if (hData == nullptr) {
        ShowError(L"LoadResource() Failed\t");
        return false;
    }
    const void* data = ::LockResource(hData);
    if (data == nullptr) {
        ShowError(L"LockResource() Failed\t");
        return false;
    }
    const DWORD byteCount = ::SizeofResource(hModule, hResource);
    const bool bLoaded = LoadImageBytes(data, byteCount);
    m_nSize = static_cast<int>(byteCount);
    if (!m_picture) {
        m_nWidth = 0;
        m_nHeight = 0;
        return false;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture.get()->get_Width(&width);
    m_picture.get()->get_Height(&height);
    m_nWidth = HimetricToPixels(width);
    m_nHeight = HimetricToPixels(height);
    return bLoaded;
}

bool CPicture::LoadImageBytes(const void* data, std::size_t byteCount) {
    CGlobalHandle hMem(::GlobalAlloc(GMEM_MOVEABLE, byteCount));
    if (!hMem) {
        ShowError(L"Can not allocate enough memory\t");
        return false;
    }
    {
        const CGlobalLock lock(hMem.get());
        if (!lock) {
            ShowError(L"Can not allocate enough memory\t");
            return false;
        }
        std::memcpy(lock.get(), data, byteCount);
    }
    IStream* pStream = nullptr;
    if (::CreateStreamOnHGlobal(hMem.get(), TRUE, &pStream) != S_OK || pStream == nullptr) {
        return false;
    }
    hMem.release(); // the stream frees the block when it goes
    const CComHandle<IStream> stream(pStream);
    IPicture* pLoaded = nullptr;
    const HRESULT hr = ::OleLoadPicture(pStream, static_cast<LONG>(byteCount), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&pLoaded));
    CComHandle<IPicture> picture(pLoaded);
    if (hr == E_NOINTERFACE) {
        ShowError(L"IPicture interface is not supported\t");
        return false;
    }
    // Any other failure leaves no picture; LoadResourceImage tells false from that.
    if (FAILED(hr)) {
        picture.reset();
    }
    m_picture = std::move(picture);
    return true;
}

bool CPicture::DrawInto(HDC hDC, const RECT& rcDest) {
    if (hDC == nullptr || !m_picture) {
        return false;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_picture.get()->get_Width(&width);
    m_picture.get()->get_Height(&height);
    // HIMETRIC space runs bottom-up: start at the bottom with a negative height to draw upright.
    const HRESULT hr =
        m_picture.get()->Render(hDC, rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                                rcDest.bottom - rcDest.top, 0, height, width, -height, &rcDest);
    if (FAILED(hr)) {
        ShowError(L"Can not allocate enough memory\t");
        return false;
    }
    return true;
}

} // namespace brindlex
