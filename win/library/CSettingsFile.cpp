#include "win/library/CSettingsFile.h"

#include "win/library/AppDataFolder.h"
#include "win/library/AutoStart.h"
#include "win/library/CIni.h"
#include "win/framework/WindowDpi.h"
#include "core/layout/KeepInside.h"
#include "core/library/SettingsRules.h"

namespace brindlex {

namespace {

using namespace settings;

// The stored rectangle, or, when it lies on no monitor of this desktop (one unplugged since, a
// resolution lowered), that rectangle moved wholly into the nearest monitor's work area.
Rect OnTheDesktop(const WindowGeometry& g) {
    const Rect stored{g.x, g.y, g.x + g.cx, g.y + g.cy};
    const RECT rc{stored.left, stored.top, stored.right, stored.bottom};
    if (MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) != nullptr) {
        return stored;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return stored;
    }
    const RECT& work = monitor.rcWork;
    return KeepInside(stored, {work.left, work.top, work.right, work.bottom});
}

void PlaceWindow(HWND hWnd, const CIni& ini) {
    const WindowGeometry g = ReadWindowGeometry(ini, GetSystemMetrics(SM_CXFULLSCREEN),
                                                GetSystemMetrics(SM_CYFULLSCREEN), WindowDpi(hWnd));
    if (hWnd != nullptr) {
        const Rect r = OnTheDesktop(g);
        MoveWindow(hWnd, r.left, r.top, r.Width(), r.Height(), TRUE);
    }
}

} // namespace

void CSettingsFile::Load(CData& data, HWND hMainWnd) {
    const std::u16string folder = GetAppDataFolder();
    const CIni ini(folder + u"\\" + kSettingsFileName);
    PlaceWindow(hMainWnd, ini);
    ReadSettingsValues(ini, data, folder + u"\\" + kDataFileName);
    SetAutoStart(data.m_bAutoStart);
}

void CSettingsFile::Save(CData& data, HWND hMainWnd) {
    const std::u16string folder = GetAppDataFolder();
    CIni ini(folder + u"\\" + kSettingsFileName);
    if (hMainWnd != nullptr && IsWindowVisible(hMainWnd)) {
        RECT rc{};
        GetWindowRect(hMainWnd, &rc);
        WriteWindowGeometry(ini, {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top},
                            WindowDpi(hMainWnd));
    } else {
        // A hidden window's rectangle is not what the user left it at; it takes the stored one.
        PlaceWindow(hMainWnd, ini);
    }
    WriteSettingsValues(ini, data, folder + u"\\" + kDataFileName);
    SetAutoStart(data.m_bAutoStart);
}

} // namespace brindlex
