// BeginPaint / EndPaint for WM_PAINT.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_ps{}, m_hDC(::BeginPaint(hWnd, &m_ps)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC get() const { return m_hDC; }
    const PAINTSTRUCT& GetPaintStruct() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
    HDC m_hDC;
};

} // namespace brindlex
