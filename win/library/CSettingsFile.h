// CSettingsFile: the settings of a CData in Settings.ini in the settings folder, the main window's
// place beside them, and the auto-start value in the registry.
#pragma once

#include "core/library/CData.h"
#include "win/framework/Win32.h"

namespace brindlex {

class CSettingsFile {
public:
    // Reads the settings into `data` and places hMainWnd (when there is one) where it was left.
    static void Load(CData& data, HWND hMainWnd);
    // Writes the settings of `data`, with hMainWnd's place when it is shown.
    static void Save(CData& data, HWND hMainWnd);
};

} // namespace brindlex
