#include "win/app/CTrayAndHotkey.h"

#include "core/app/CommandIds.h"
#include "core/app/MenuModel.h"
#include "core/app/CTargetListModel.h"
#include "res/resource.h"

namespace brindlex {

void CTrayAndHotkey::Add(HWND hWnd) {
    m_hWnd = hWnd;
    m_trayIcon.Add(hWnd, WM_TRAY_CALLBACK, IDR_MAINFRAME);
    // Run elevated, the window would not hear the unelevated Explorer's word that it restarted,
    // and the icon would not come back.
    if (const UINT taskbarCreated = CTrayIcon::TaskbarCreatedMessage(); taskbarCreated != 0) {
        ChangeWindowMessageFilterEx(hWnd, taskbarCreated, MSGFLT_ALLOW, nullptr);
    }
}

void CTrayAndHotkey::ApplyHotkey(const CData& data) {
    UnregisterHotKey(m_hWnd, HOTKEY_SHOW_HIDE);
    if (data.m_bHotkey) {
        RegisterHotKey(m_hWnd, HOTKEY_SHOW_HIDE, HotkeyModifiers(data.m_wHotkeyMod), data.m_wHotkeyVK);
    }
    UnregisterHotKey(m_hWnd, HOTKEY_QUICK_PASTE);
    if (data.m_bQuickPaste && data.m_wQuickPasteVK != 0) {
        // A key that another program holds is said in the settings dialog, under its control.
        RegisterHotKey(m_hWnd, HOTKEY_QUICK_PASTE, HotkeyModifiers(data.m_wQuickPasteMod),
                       data.m_wQuickPasteVK);
    }
}

void CTrayAndHotkey::RestoreIcon() {
    m_trayIcon.Add(m_hWnd, WM_TRAY_CALLBACK, IDR_MAINFRAME);
}

void CTrayAndHotkey::ShowMenu() {
    if (!m_menuTray.Build(TrayMenuEntries(IsWindowVisible(m_hWnd) != FALSE))) {
        return; // a menu of ours is open: it stays as it is
    }
    POINT pt{};
    GetCursorPos(&pt);
    SetForegroundWindow(m_hWnd);
    m_menuTray.Track(TPM_LEFTALIGN | TPM_BOTTOMALIGN, pt, m_hWnd);
    PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

} // namespace brindlex
