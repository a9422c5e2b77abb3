// CData::LoadSettings and CData::SaveSettings: Settings.ini in the settings folder, the main
// window's place, and the auto-start value.
#include "win/framework/Win32.h"
#include "win/library/AppDataFolder.h"
#include "win/library/AutoStart.h"
#include "core/library/Data.h"
#include "win/library/Ini.h"
#include "core/library/SettingsRules.h"

namespace {

using namespace brindlex::settings;

void PlaceWindow(HWND hWnd, const CIni& ini) {
    const brindlex::WindowGeometry g = brindlex::ReadWindowGeometry(ini, GetSystemMetrics(SM_CXFULLSCREEN),
                                                                    GetSystemMetrics(SM_CYFULLSCREEN));
    if (hWnd != nullptr) {
        MoveWindow(hWnd, g.x, g.y, g.cx, g.cy, TRUE);
    }
}

} // namespace

void CData::LoadSettings(HWND__* hMainWnd) {
    const std::u16string folder = GetAppDataFolder();
    const CIni ini(folder + u"\\" + kSettingsFileName);
    PlaceWindow(hMainWnd, ini);
    brindlex::ReadSettingsValues(ini, *this, folder + u"\\" + kDataFileName);
    SetAutoStart(m_bAutoStart);
}

void CData::SaveSettings(HWND__* hMainWnd) {
    const std::u16string folder = GetAppDataFolder();
    CIni ini(folder + u"\\" + kSettingsFileName);
    if (hMainWnd != nullptr && IsWindowVisible(hMainWnd)) {
        RECT rc{};
        GetWindowRect(hMainWnd, &rc);
        brindlex::WriteWindowGeometry(ini, {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top});
    } else {
        // A hidden window's rectangle is not what the user left it at; it takes the stored one.
        PlaceWindow(hMainWnd, ini);
    }
    brindlex::WriteSettingsValues(ini, *this, folder + u"\\" + kDataFileName);
    SetAutoStart(m_bAutoStart);
}
