// When the library goes to its data file while the program runs. The first change after a save
// starts a short wait; every change during it goes into the same save, so a burst of edits is
// written once, and no change waits longer than the wait plus one write. One write at a time: a
// save that falls due while one is in flight starts when that one ends. A save that fails is told
// once, not at every change, and is tried again at the next change (and at exit).
// The backup keeps the library as this session found it: only the first save to a file keeps the
// old file as the backup; later ones replace just the data file.
#pragma once

namespace brindlex {

class CSaveSchedule {
public:
    // From the first change to its save; what is left of the promise of two seconds is for the
    // write itself.
    static constexpr unsigned kDelayMs = 1000;

    // The library changed. True when the wait must start now (none runs yet).
    bool OnChange();
    // The wait is over. True when the save must start now; false when there is nothing to save
    // or a write is in flight (the save then starts as that one ends).
    bool OnTimer();
    // A save takes the library as it is now. True when it must keep the old file as the backup.
    bool OnSaveStarted();

    struct Finished {
        bool tellUser; // the first failure since the last save that went through
        bool saveNow;  // changes fell due while the write was in flight
    };
    Finished OnSaveFinished(bool saved);

    // The library now belongs to another file, with nothing of it there yet: it is saved there
    // soon, and that first save keeps the file found there as the backup. True as OnChange.
    bool OnMovedToAnotherFile();
    // Another library was read in: nothing to save, and its file's first save keeps the backup.
    void OnLibraryOpened();

    bool HasUnsavedChanges() const { return m_bDirty; }
    // Whether the user changed the library since it was read in.
    bool ChangedSinceOpened() const { return m_bChanged; }
    bool WriteInFlight() const { return m_bInFlight; }

private:
    bool m_bDirty = false; // changes that no save has taken, or whose save failed
    bool m_bChanged = false;
    bool m_bWaiting = false; // the wait runs
    bool m_bDue = false;     // the wait ended while a write was in flight
    bool m_bInFlight = false;
    bool m_bBackupKept = false; // a save to this file went through this session
    bool m_bFailureTold = false;
};

} // namespace brindlex
