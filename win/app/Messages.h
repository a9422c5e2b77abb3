// The private window messages of the main window and its child windows.
#pragma once

#include "core/app/CommandIds.h"
#include "win/framework/Win32.h"

inline constexpr UINT WM_TRAY_CALLBACK = brindlex::kWmTrayCallback;
inline constexpr UINT WM_SHOW_SETTINGS = brindlex::kWmShowSettings;
inline constexpr UINT WM_SETTINGS_CLOSED = brindlex::kWmSettingsClosed;
inline constexpr UINT WM_SHOW_ABOUT = brindlex::kWmShowAbout;
inline constexpr UINT WM_ABOUT_CLOSED = brindlex::kWmAboutClosed;
inline constexpr UINT WM_EDIT_ITEM = brindlex::kWmEditItem;
inline constexpr UINT WM_EDITOR_CLOSED = brindlex::kWmEditorClosed;
inline constexpr UINT WM_EXIT_APP = brindlex::kWmExitApp;
inline constexpr UINT WM_SHOW_FIND = brindlex::kWmShowFind;
inline constexpr UINT WM_FIND_CLOSED = brindlex::kWmFindClosed;
inline constexpr UINT WM_FIND_CHOOSE = brindlex::kWmFindChoose;
inline constexpr UINT WM_FIND_PASTE = brindlex::kWmFindPaste;
inline constexpr UINT WM_LIST_NAME_CHANGED = brindlex::kWmListNameChanged;
inline constexpr UINT WM_INPLACE_EDIT_END = brindlex::kWmInplaceEditEnd;

inline constexpr int HOTKEY_SHOW_HIDE = brindlex::kHotkeyShowHide;
