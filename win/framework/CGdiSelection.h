// Selects a GDI object (pen, brush, font, bitmap) into a DC and puts the previous one back.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CGdiSelection {
public:
    CGdiSelection(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObject)) {}
    ~CGdiSelection() {
        if (m_hOld != nullptr && m_hOld != HGDI_ERROR) {
            ::SelectObject(m_hDC, m_hOld);
        }
    }
    CGdiSelection(const CGdiSelection&) = delete;
    CGdiSelection& operator=(const CGdiSelection&) = delete;

    // The object that was selected before.
    HGDIOBJ GetOld() const { return m_hOld; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

} // namespace brindlex
