#include "win/framework/MessageReflection.h"

#include "win/framework/CWnd.h"

namespace brindlex {

HWND ReflectionTarget(HWND hWndParent, UINT message, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: // lParam 0: a menu or an accelerator
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        return hdr != nullptr ? hdr->hwndFrom : nullptr;
    }
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return dis != nullptr && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        // Carries no window: the control is found by its id.
        const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return mis != nullptr && mis->CtlType != ODT_MENU
                   ? ::GetDlgItem(hWndParent, static_cast<int>(mis->CtlID))
                   : nullptr;
    }
    case WM_DELETEITEM: {
        const auto* dis = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        return dis != nullptr ? dis->hwndItem : nullptr;
    }
    default:
        return nullptr;
    }
}

bool ReflectToChild(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const HWND hWndChild = ReflectionTarget(hWndParent, message, lParam);
    if (hWndChild == nullptr || hWndChild == hWndParent) {
        return false;
    }
    CWnd* pChild = CWnd::FromHandle(hWndChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

} // namespace brindlex
