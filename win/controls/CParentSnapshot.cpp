#include "win/controls/CParentSnapshot.h"

#include "win/framework/CClientDC.h"

#include <utility>

namespace brindlex {

void CParentSnapshot::Drop() {
    m_selection.reset();
    m_bitmap.reset();
    m_dc.reset();
}

bool CParentSnapshot::Take(HWND hWndParent, const RECT& rcInParent, int cx, int cy) {
    Drop();
    if (hWndParent == nullptr) {
        return false;
    }
    const CClientDC parentDC(hWndParent);
    if (!parentDC) {
        return false;
    }
    CMemoryDC dc(::CreateCompatibleDC(parentDC.get()));
    CBitmapHandle bitmap(::CreateCompatibleBitmap(parentDC.get(), cx, cy));
    if (!dc || !bitmap) {
        return false;
    }
    m_dc = std::move(dc);
    m_bitmap = std::move(bitmap);
    m_selection.emplace(m_dc.get(), m_bitmap.get());
    ::BitBlt(m_dc.get(), 0, 0, cx, cy, parentDC.get(), rcInParent.left, rcInParent.top, SRCCOPY);
    return true;
}

void CParentSnapshot::PaintInto(HDC hDC, int cx, int cy) const {
    if (m_dc) {
        ::BitBlt(hDC, 0, 0, cx, cy, m_dc.get(), 0, 0, SRCCOPY);
    }
}

} // namespace brindlex
