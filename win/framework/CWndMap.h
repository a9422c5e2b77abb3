// Which object each window of ours is bound to: the one table behind CWnd::FromHandle.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CWnd;

class CWndMap {
public:
    // The object bound to hWnd, or nullptr (also for nullptr).
    static CWnd* Find(HWND hWnd);
    static void Add(HWND hWnd, CWnd* pWnd);
    static void Remove(HWND hWnd);
};

} // namespace brindlex
