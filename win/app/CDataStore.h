// When the main window's settings and library reach their files and come back from them: loaded
// at start; the library within seconds of each change (written on a thread of its own, so that
// the window goes on), and once more at exit and when Windows ends the session; the settings
// whenever the window hides, at exit and at the end of the session.
#pragma once

#include "core/library/CData.h"
#include "core/library/CSaveSchedule.h"
#include "core/library/ILibraryObserver.h"
#include "win/dialogs/IDataFileSwitch.h"
#include "win/framework/Win32.h"
#include "win/library/CBackgroundSave.h"
#include "win/library/CDataFile.h"
#include "win/library/CMappedBuffer.h"

namespace brindlex {

class CDataStore final : public IDataFileSwitch, private ILibraryObserver {
public:
    explicit CDataStore(CData& data) : m_data(data) {}
    ~CDataStore() override;
    CDataStore(const CDataStore&) = delete;
    CDataStore& operator=(const CDataStore&) = delete;

    // The settings file; hMainWnd takes the stored placement.
    void LoadSettings(HWND hMainWnd);
    void LoadDataFile();
    // A library with no folder at all gets the sample folder, so a first start is not empty.
    void AddSampleGroupIfEmpty();
    // From now on every change of the library is saved within seconds: hMainWnd carries the
    // timer and hears when a write ends. What the library holds now is no change.
    void SaveChangesFrom(HWND hMainWnd);
    // The main window's messages for the saves (its timer, the end of a write): true when
    // `message` was one of them.
    bool OnMessage(UINT message, WPARAM wParam);

    void SaveSettings(HWND hMainWnd);
    // The exit: the library, then the settings. A library that cannot be saved is asked about
    // ("Wrong data file!", Retry and Cancel): Retry saves again, Cancel gives false, and the
    // program goes on with the library in memory.
    bool SaveAllForExit(HWND hMainWnd);
    // Windows is really ending the session when `ending`: the last chance to keep the library.
    // Nothing is asked; a failure is told and the end goes on.
    void OnEndSession(HWND hMainWnd, bool ending);

    bool SwitchDataFile(HWND hAsker, const std::u16string& path) override;

private:
    void OnLibraryChanged() override;
    void StartWait();
    void SaveInBackground();
    void OnWriteEnded();
    void OnSaveFinished(bool saved);
    // On this thread, after a write in flight; false when the library was not written.
    bool SaveLibraryNow();
    // SaveLibraryNow until it works or the user gives up (Retry, Cancel).
    bool SaveLibraryAsking();
    // A data file that could not be read at all is not written over until the user changes
    // the library: it may well be whole, and only held by another program at the start.
    bool MayWriteLibrary() const;
    // Reads the library of the data file now set, in place of the one in memory.
    void OpenLibrary();

    CData& m_data;
    CDataFile m_dataFile;
    CSaveSchedule m_schedule;
    CBackgroundSave m_write;
    CMappedBuffer m_imageMemory; // made ready for the image while the save waits
    HWND m_hMainWnd = nullptr; // set while changes are saved
    bool m_bLibrarySavedAtSessionEnd = false;
};

} // namespace brindlex
