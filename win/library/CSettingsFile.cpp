#include "win/library/CSettingsFile.h"

#include "win/library/AppDataFolder.h"
#include "win/library/AutoStart.h"
#include "win/library/CIni.h"
#include "core/library/SettingsRules.h"

namespace brindlex {

namespace {

using namespace settings;

void PlaceWindow(HWND hWnd, const CIni& ini) {
    const WindowGeometry g =
        ReadWindowGeometry(ini, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    if (hWnd != nullptr) {
        MoveWindow(hWnd, g.x, g.y, g.cx, g.cy, TRUE);
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
        WriteWindowGeometry(ini, {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top});
    } else {
        // A hidden window's rectangle is not what the user left it at; it takes the stored one.
        PlaceWindow(hMainWnd, ini);
    }
    WriteSettingsValues(ini, data, folder + u"\\" + kDataFileName);
    SetAutoStart(data.m_bAutoStart);
}

} // namespace brindlex
