// GetDC / ReleaseDC for the client area of a window.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CClientDC() {
        if (m_hDC != nullptr) {
            ::ReleaseDC(m_hWnd, m_hDC);
        }
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC get() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

} // namespace brindlex
