// The notification-area icon of the main window, with its callback message.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

class CTrayIcon {
public:
    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon (icon resource `iconId` at 16 x 16, tip "Brindlex"); the shell's answer is
    // ignored. Also called again when the taskbar was re-created.
    void Add(HWND hWnd, UINT callbackMessage, int iconId);
    void Remove();
    bool IsAdded() const { return m_hWnd != nullptr; }

    // The message the shell broadcasts after Explorer restarts ("TaskbarCreated").
    static UINT TaskbarCreatedMessage();

private:
    HWND m_hWnd = nullptr;
    HICON m_hIcon = nullptr;
};

} // namespace brindlex
