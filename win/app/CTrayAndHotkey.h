// How the main window is reached while it is hidden: its notification-area icon with the icon's
// menu, the icon's return after Explorer restarts, and the hotkeys: show/hide and quick paste.
// What a click on the icon or a hotkey asks for is the main window's command (CommandFromMessage).
#pragma once

#include "core/app/CommandIds.h"
#include "core/library/CData.h"
#include "win/app/CPopupMenu.h"
#include "win/app/CTrayIcon.h"
#include "win/framework/Win32.h"

namespace brindlex {

class CTrayAndHotkey {
public:
    // Adds the icon of hWnd, the main window, which gets its callback messages and menu commands.
    void Add(HWND hWnd);
    void Remove() { m_trayIcon.Remove(); }

    // Registers the hotkeys of `data` in place of the previous ones; none while one is off.
    void ApplyHotkey(const CData& data);
    // While the settings dialog is open its hotkey control must get the keys, and its check of
    // whether a key is free must not meet our own registration; ApplyHotkey takes it up again.
    void SuspendQuickPaste() { UnregisterHotKey(m_hWnd, HOTKEY_QUICK_PASTE); }

    // Explorer restarted: without its icon a hidden window could not be reached any more.
    void RestoreIcon();
    // The icon's menu at the mouse pointer (a right click on the icon).
    void ShowMenu();

private:
    HWND m_hWnd = nullptr;
    CTrayIcon m_trayIcon;
    CPopupMenu m_menuTray;
};

} // namespace brindlex
