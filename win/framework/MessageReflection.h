// Reflection of a parent's notifications back to the object of the control they concern (see
// CWnd.h): WM_COMMAND from a control, WM_NOTIFY, the owner-draw messages, WM_VKEYTOITEM,
// WM_CHARTOITEM and the WM_CTLCOLOR messages of controls.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

// The control a reflectable message is about, or nullptr for anything else.
HWND ReflectionTarget(HWND hWndParent, UINT message, LPARAM lParam);
// Offers the message to the control's object; true if that handled it, with its result.
bool ReflectToChild(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

} // namespace brindlex
