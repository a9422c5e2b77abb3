// When the main window's settings and library reach their files and come back from them: loaded
// at start, the settings saved whenever the window hides, both at exit and once more when Windows
// ends the session.
#pragma once

#include "core/library/CData.h"
#include "win/framework/Win32.h"
#include "win/library/CDataFile.h"

namespace brindlex {

class CDataStore {
public:
    explicit CDataStore(CData& data) : m_data(data) {}

    // The settings file; hMainWnd takes the stored placement.
    void LoadSettings(HWND hMainWnd);
    void LoadDataFile();
    // A library with no folder at all gets the sample folder, so a first start is not empty.
    void AddSampleGroupIfEmpty();

    void SaveSettings(HWND hMainWnd);
    // The library, then the settings.
    void SaveAll(HWND hMainWnd);
    // Windows is really ending the session when `ending`: the last chance to keep the library.
    void OnEndSession(HWND hMainWnd, bool ending);

private:
    CData& m_data;
    CDataFile m_dataFile;
    bool m_bLibrarySavedAtSessionEnd = false;
};

} // namespace brindlex
