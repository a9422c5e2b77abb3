// A copy of the parent's pixels under a child window, taken once and drawn as the child's
// background, so that a flat control looks see-through over whatever its parent painted.
#pragma once

#include "win/framework/CGdiSelection.h"
#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

#include <optional>

namespace brindlex {

class CParentSnapshot {
public:
    // Copies cx x cy pixels of hWndParent's client area from rcInParent's top-left corner; the
    // copy held so far goes first. False, holding none, when the parent or GDI gives none.
    bool Take(HWND hWndParent, const RECT& rcInParent, int cx, int cy);
    void Drop();
    bool IsEmpty() const { return !m_dc; }
    // Draws cx x cy pixels of the copy at hDC's origin; nothing without one.
    void PaintInto(HDC hDC, int cx, int cy) const;

private:
    // In this order, so that going back to empty puts the DC's own bitmap back before the copy's
    // bitmap and then the DC are deleted.
    CMemoryDC m_dc;
    CBitmapHandle m_bitmap;
    std::optional<CGdiSelection> m_selection;
};

} // namespace brindlex
