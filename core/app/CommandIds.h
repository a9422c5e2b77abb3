// The main window's private messages, under the names the windows use: the program's interface
// to other programs (the installer sends WM_EXIT_APP, whose number its build reads from here; the
// shell sends the tray callback), which the main window's procedure turns into commands. Control
// and menu ids are the resource header's own, so that the .rc, the core and the windows cannot
// disagree on a number.
#pragma once

#include "res/resource.h"

namespace brindlex {

inline constexpr unsigned WM_TRAY_CALLBACK = 0x3F3;
inline constexpr unsigned WM_SHOW_SETTINGS = 0x3F9;
inline constexpr unsigned WM_SETTINGS_CLOSED = 0x3FA;
inline constexpr unsigned WM_SHOW_ABOUT = 0x3FB;
inline constexpr unsigned WM_ABOUT_CLOSED = 0x3FC;
inline constexpr unsigned WM_EDIT_ITEM = 0x41B;
inline constexpr unsigned WM_EDITOR_CLOSED = 0x41C;
inline constexpr unsigned WM_EXIT_APP = 0x464;
inline constexpr unsigned WM_SHOW_FIND = 0x465;
inline constexpr unsigned WM_FIND_CLOSED = 0x466;
inline constexpr unsigned WM_FIND_CHOOSE = 0x467;        // wParam group, lParam item
inline constexpr unsigned WM_FIND_PASTE = 0x468;         // the same, then paste it
inline constexpr unsigned WM_QUICK_PASTE_CHOOSE = 0x469; // wParam group, lParam item: paste it
inline constexpr unsigned WM_QUICK_PASTE_CLOSED = 0x46A; // wParam 1: give the focus back
// A save of the library written on a thread of its own has ended (the main window to itself).
inline constexpr unsigned WM_LIBRARY_WRITTEN = 0x46F;

inline constexpr int HOTKEY_SHOW_HIDE = 43;
inline constexpr int HOTKEY_QUICK_PASTE = 44;

} // namespace brindlex
