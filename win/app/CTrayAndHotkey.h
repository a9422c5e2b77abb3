// How the main window is reached while it is hidden: its notification-area icon with the icon's
// menu, the icon's return after Explorer restarts, and the show/hide hotkey.
#pragma once

#include "core/library/CData.h"
#include "win/app/CPopupMenu.h"
#include "win/app/CTrayIcon.h"
#include "win/framework/Win32.h"

namespace brindlex {

class CTrayAndHotkey {
public:
    // What the icon and the hotkey do to the main window.
    class IOwner {
    public:
        virtual void ShowMainWindow() = 0;
        virtual void ToggleMainWindow() = 0;

    protected:
        ~IOwner() = default;
    };

    explicit CTrayAndHotkey(IOwner& owner) : m_owner(owner) {}

    // Adds the icon of hWnd, the main window, which gets its callback messages and menu commands.
    void Add(HWND hWnd);
    void Remove() { m_trayIcon.Remove(); }

    // Registers the hotkey of `data` in place of the previous one; none while it is off.
    void ApplyHotkey(const CData& data);

    // The taskbar's re-creation message brings the icon back: true when `message` was it.
    bool OnTaskbarCreated(UINT message);
    LRESULT OnTrayCallback(LPARAM mouseMessage);
    void OnHotkey(WPARAM id);

private:
    IOwner& m_owner;
    HWND m_hWnd = nullptr;
    CTrayIcon m_trayIcon;
    CPopupMenu m_menuTray;
};

} // namespace brindlex
