#include "core/library/CSaveSchedule.h"

namespace brindlex {

bool CSaveSchedule::OnChange() {
    m_bDirty = true;
    m_bChanged = true;
    if (m_bWaiting) {
        return false;
    }
    m_bWaiting = true;
    return true;
}

bool CSaveSchedule::OnTimer() {
    m_bWaiting = false;
    if (!m_bDirty) {
        return false;
    }
    if (m_bInFlight) {
        m_bDue = true;
        return false;
    }
    return true;
}

bool CSaveSchedule::OnSaveStarted() {
    m_bDirty = false;
    m_bDue = false;
    m_bInFlight = true;
    return !m_bBackupKept;
}

CSaveSchedule::Finished CSaveSchedule::OnSaveFinished(bool saved) {
    m_bInFlight = false;
    Finished finished{false, false};
    if (saved) {
        m_bBackupKept = true;
        m_bFailureTold = false;
        finished.saveNow = m_bDue && m_bDirty;
    } else {
        // What that save held is still to be saved; the next change (or the exit) tries again.
        m_bDirty = true;
        finished.tellUser = !m_bFailureTold;
        m_bFailureTold = true;
    }
    m_bDue = false;
    return finished;
}

bool CSaveSchedule::OnMovedToAnotherFile() {
    m_bBackupKept = false;
    return OnChange();
}

void CSaveSchedule::OnLibraryOpened() {
    m_bBackupKept = false;
    m_bDirty = false;
    m_bChanged = false;
    m_bDue = false;
    m_bFailureTold = false;
}

} // namespace brindlex
