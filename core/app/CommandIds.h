// Command identifiers of the two popup menus and the private window messages of the main window
// and its child windows: the one header every layer takes them from. The menu commands are the
// resource header's, so that the .rc, the core and the windows cannot disagree on a number.
#pragma once

#include "res/resource.h"

namespace brindlex {

inline constexpr int kIdTrayShowHide = ID_TRAY_SHOWHIDE;
inline constexpr int kIdTrayExit = ID_TRAY_EXIT;
inline constexpr int kIdTrayAbout = ID_TRAY_ABOUT;
inline constexpr int kIdTraySettings = ID_TRAY_SETTINGS;
inline constexpr int kIdTrayHelp = ID_TRAY_HELP;
inline constexpr int kIdTrayFind = ID_TRAY_FIND;
inline constexpr int kIdMenuHide = ID_MENU_HIDE;
inline constexpr int kIdMenuAlwaysOnTop = ID_MENU_ALWAYS_ON_TOP;
inline constexpr int kIdMenuSettings = ID_MENU_SETTINGS;
inline constexpr int kIdMenuExport = ID_MENU_EXPORT;
inline constexpr int kIdMenuHelp = ID_MENU_HELP;
inline constexpr int kIdMenuAbout = ID_MENU_ABOUT;
inline constexpr int kIdMenuFind = ID_MENU_FIND;

inline constexpr int kIdPaste = IDC_PASTE; // the Paste button

inline constexpr unsigned kWmTrayCallback = 0x3F3;
inline constexpr unsigned kWmShowSettings = 0x3F9;
inline constexpr unsigned kWmSettingsClosed = 0x3FA;
inline constexpr unsigned kWmShowAbout = 0x3FB;
inline constexpr unsigned kWmAboutClosed = 0x3FC;
inline constexpr unsigned kWmEditItem = 0x41B;
inline constexpr unsigned kWmEditorClosed = 0x41C;
inline constexpr unsigned kWmExitApp = 0x464;
inline constexpr unsigned kWmShowFind = 0x465;
inline constexpr unsigned kWmFindClosed = 0x466;
inline constexpr unsigned kWmFindChoose = 0x467; // wParam group, lParam item
inline constexpr unsigned kWmFindPaste = 0x468;  // the same, then paste it
inline constexpr unsigned kWmListNameChanged = 0x8840;
inline constexpr unsigned kWmInplaceEditEnd = 0x8841;

inline constexpr int kHotkeyShowHide = 43;

}  // namespace brindlex

// The same messages under the names the windows use (UINT is unsigned int).
inline constexpr unsigned WM_TRAY_CALLBACK = brindlex::kWmTrayCallback;
inline constexpr unsigned WM_SHOW_SETTINGS = brindlex::kWmShowSettings;
inline constexpr unsigned WM_SETTINGS_CLOSED = brindlex::kWmSettingsClosed;
inline constexpr unsigned WM_SHOW_ABOUT = brindlex::kWmShowAbout;
inline constexpr unsigned WM_ABOUT_CLOSED = brindlex::kWmAboutClosed;
inline constexpr unsigned WM_EDIT_ITEM = brindlex::kWmEditItem;
inline constexpr unsigned WM_EDITOR_CLOSED = brindlex::kWmEditorClosed;
inline constexpr unsigned WM_EXIT_APP = brindlex::kWmExitApp;
inline constexpr unsigned WM_SHOW_FIND = brindlex::kWmShowFind;
inline constexpr unsigned WM_FIND_CLOSED = brindlex::kWmFindClosed;
inline constexpr unsigned WM_FIND_CHOOSE = brindlex::kWmFindChoose;
inline constexpr unsigned WM_FIND_PASTE = brindlex::kWmFindPaste;
inline constexpr unsigned WM_LIST_NAME_CHANGED = brindlex::kWmListNameChanged;
inline constexpr unsigned WM_INPLACE_EDIT_END = brindlex::kWmInplaceEditEnd;

inline constexpr int HOTKEY_SHOW_HIDE = brindlex::kHotkeyShowHide;
