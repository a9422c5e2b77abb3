// The window procedures of our windows: they find the object, open a dispatch frame for it and
// offer a control's notifications to the control's object before the window's own handlers.
#include "win/framework/CWnd.h"

#include "win/framework/Callbacks.h"
#include "win/framework/MessageReflection.h"

#include <commctrl.h>

#include <cstdint>

namespace brindlex {

namespace {

// A WM_NOTIFY carries a pointer into its sender's memory. The controls send theirs from this
// thread, the structure on its stack, also while they answer another program (a screen reader
// asking a list for a row's text). One sent from another thread and pointing anywhere else, as
// another program's does, is never read.
bool IsForeignNotify(UINT message, LPARAM lParam) {
    if (message != WM_NOTIFY || ::InSendMessageEx(nullptr) == ISMEX_NOSEND) {
        return false;
    }
    // The stack grows down: a caller's structure lies above this frame, in the same reservation.
    const int here = 0;
    MEMORY_BASIC_INFORMATION stack{};
    MEMORY_BASIC_INFORMATION pointed{};
    const void* const at = reinterpret_cast<const void*>(lParam);
    return reinterpret_cast<std::uintptr_t>(at) <= reinterpret_cast<std::uintptr_t>(&here) ||
           ::VirtualQuery(&here, &stack, sizeof(stack)) == 0 ||
           ::VirtualQuery(at, &pointed, sizeof(pointed)) == 0 ||
           pointed.AllocationBase != stack.AllocationBase;
}

} // namespace

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsForeignNotify(message, lParam)) {
        return 0;
    }
    const CDispatchFrame frame(m_pFrame, m_current, {message, wParam, lParam});
    LRESULT result = 0;
    if (ReflectToChild(m_hWnd, message, wParam, lParam, &result)) {
        return result;
    }
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::Route(Attach attach, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool bOwnClass = attach == Attach::OwnClass;
    const LRESULT result =
        GuardCallback<LRESULT>(bOwnClass ? "window procedure" : "subclass procedure", 0, [&]() -> LRESULT {
            CWnd* pWnd = FromHandle(hWnd);
            if (pWnd == nullptr && bOwnClass && message == WM_NCCREATE) {
                pWnd = static_cast<CWnd*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
                if (pWnd != nullptr) {
                    pWnd->Bind(hWnd, Attach::OwnClass);
                }
            }
            if (pWnd != nullptr) {
                return pWnd->Dispatch(message, wParam, lParam);
            }
            return bOwnClass ? ::DefWindowProcW(hWnd, message, wParam, lParam)
                             : ::DefSubclassProc(hWnd, message, wParam, lParam);
        });
    if (message == WM_NCDESTROY) {
        if (CWnd* pWnd = FromHandle(hWnd)) {
            pWnd->Unbind();
        }
    }
    return result;
}

LRESULT CALLBACK CWnd::OwnClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Route(Attach::OwnClass, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
    return Route(Attach::Subclassed, hWnd, message, wParam, lParam);
}

} // namespace brindlex
