// Command identifiers of the two popup menus and the private window messages of the main window,
// for core code that cannot include the resource header.
#pragma once

namespace brindlex {

inline constexpr int kIdTrayShowHide = 1025;
inline constexpr int kIdTrayExit = 1026;
inline constexpr int kIdTrayAbout = 1027;
inline constexpr int kIdTraySettings = 1028;
inline constexpr int kIdTrayHelp = 1030;
inline constexpr int kIdTrayFind = 1031;
inline constexpr int kIdMenuHide = 1032;
inline constexpr int kIdMenuAlwaysOnTop = 1033;
inline constexpr int kIdMenuSettings = 1034;
inline constexpr int kIdMenuExport = 1035;
inline constexpr int kIdMenuHelp = 1037;
inline constexpr int kIdMenuAbout = 1038;
inline constexpr int kIdMenuFind = 1039;

inline constexpr int kIdPaste = 1002; // the Paste button

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
