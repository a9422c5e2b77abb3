// One write of the data file on a thread of its own, so that the window goes on while the disk
// works. When the write ends, the window given to Start gets the message given with it; Finish
// then gives the result. At most one write is in flight.
#pragma once

#include "win/framework/Win32.h"
#include "win/library/CDataFile.h"

#include <atomic>
#include <optional>
#include <thread>

namespace brindlex {

class CBackgroundSave {
public:
    CBackgroundSave() = default;
    CBackgroundSave(const CBackgroundSave&) = delete;
    CBackgroundSave& operator=(const CBackgroundSave&) = delete;
    // A write in flight is waited for: the file is never left to a thread that outlives us.
    ~CBackgroundSave() { Finish(); }

    // Starts writing `save`; false when a write is still in flight. Where no thread can be
    // started, the write is done here and now, and announced all the same.
    bool Start(CDataFile::PreparedSave save, HWND hNotify, UINT message);

    bool InFlight() const { return m_bStarted; }
    // Whether the write in flight has ended (its message may still be on its way).
    bool Ended() const { return m_bStarted && m_bEnded.load(); }
    // Waits for the write in flight to end: whether it saved the file, or nothing when none was
    // in flight.
    std::optional<bool> Finish();

private:
    void Run();

    CDataFile::PreparedSave m_save;
    HWND m_hNotify = nullptr;
    UINT m_message = 0;
    std::thread m_thread;
    bool m_bStarted = false;
    std::atomic<bool> m_bEnded{false};
    bool m_bSaved = false; // written by the thread before m_bEnded, read after the join
};

} // namespace brindlex
