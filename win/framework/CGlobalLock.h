// GlobalLock / GlobalUnlock of a movable memory block (clipboard data).
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL hMem) : m_hMem(hMem), m_p(hMem != nullptr ? ::GlobalLock(hMem) : nullptr) {}
    ~CGlobalLock() {
        if (m_p != nullptr) {
            ::GlobalUnlock(m_hMem);
        }
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    HGLOBAL m_hMem;
    void* m_p;
};

} // namespace brindlex
