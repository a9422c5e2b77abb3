// OpenClipboard / CloseClipboard.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CClipboardScope {
public:
    explicit CClipboardScope(HWND hWndOwner) : m_bOpen(::OpenClipboard(hWndOwner) != FALSE) {}
    ~CClipboardScope() {
        if (m_bOpen) {
            ::CloseClipboard();
        }
    }
    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;

    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

} // namespace brindlex
