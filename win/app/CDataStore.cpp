#include "win/app/CDataStore.h"

#include "core/app/CommandIds.h"
#include "core/app/WebAddresses.h"
#include "core/library/CDataFileChoice.h"
#include "core/library/DataArchive.h"
#include "win/dialogs/CDataFileQuestion.h"
#include "win/library/CSettingsFile.h"
#include "win/library/FileIo.h"

namespace brindlex {

namespace {

// The main window's timer that ends the wait between a change and its save.
constexpr UINT_PTR kSaveTimer = 0x5A7E;

// What a path chosen in the settings names. A file that cannot be read may hold anything.
ChosenDataFile InspectChosenFile(const std::u16string& path) {
    Bytes bytes;
    switch (ReadWholeFile(path, bytes)) {
    case ReadResult::Missing:
        return ChosenDataFile::Missing;
    case ReadResult::Failed:
        return ChosenDataFile::OtherFile;
    case ReadResult::Ok:
        break;
    }
    return HasDataArchiveHeader(bytes) ? ChosenDataFile::Library : ChosenDataFile::OtherFile;
}

} // namespace

CDataStore::~CDataStore() {
    if (m_hMainWnd != nullptr) {
        m_data.m_library.RemoveObserver(this);
    }
}

void CDataStore::LoadSettings(HWND hMainWnd) {
    CSettingsFile::Load(m_data, hMainWnd);
}

void CDataStore::LoadDataFile() {
    m_dataFile.Load(m_data);
}

void CDataStore::AddSampleGroupIfEmpty() {
    CLibrary& library = m_data.m_library;
    if (library.GroupCount() == 0) {
        CPasteGroup& sample = library.AddGroup(u"Sample Group");
        library.AddItem(sample, u"Sample item", 0,
                        std::u16string(u"For more information and updates visit ") + kProductWebAddress);
    }
}

void CDataStore::SaveChangesFrom(HWND hMainWnd) {
    m_hMainWnd = hMainWnd;
    m_data.m_library.AddObserver(this);
}

bool CDataStore::OnMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kSaveTimer) {
        KillTimer(m_hMainWnd, kSaveTimer);
        if (m_schedule.OnTimer()) {
            SaveInBackground();
        }
        return true;
    }
    if (message == WM_LIBRARY_WRITTEN) {
        OnWriteEnded();
        return true;
    }
    return false;
}

void CDataStore::OnLibraryChanged() {
    if (m_schedule.OnChange()) {
        StartWait();
    }
    // The image's memory is mapped while the save waits, with room for the changes that may
    // still come. A small library is not worth a thread.
    constexpr std::size_t kWorthMapping = 1 << 20;
    if (!m_imageMemory.Pending()) {
        if (const std::size_t size = DataArchiveSize(m_data.m_library); size >= kWorthMapping) {
            m_imageMemory.Prepare(size + size / 16);
        }
    }
}

void CDataStore::StartWait() {
    if (m_hMainWnd != nullptr) {
        SetTimer(m_hMainWnd, kSaveTimer, CSaveSchedule::kDelayMs, nullptr);
    }
}

// Only the image is made here, on the window's thread; the disk is left to the write's own.
void CDataStore::SaveInBackground() {
    const bool keepBackup = m_schedule.OnSaveStarted();
    std::optional<CDataFile::PreparedSave> save =
        m_dataFile.PrepareSave(m_data, keepBackup, m_imageMemory.Take());
    if (!save || !m_write.Start(std::move(*save), m_hMainWnd, WM_LIBRARY_WRITTEN)) {
        OnSaveFinished(false);
    }
}

void CDataStore::OnWriteEnded() {
    // The message may come from anywhere; only the end of our own write counts.
    if (!m_write.Ended()) {
        return;
    }
    if (const std::optional<bool> saved = m_write.Finish()) {
        OnSaveFinished(*saved);
    }
}

void CDataStore::OnSaveFinished(bool saved) {
    const CSaveSchedule::Finished finished = m_schedule.OnSaveFinished(saved);
    if (finished.saveNow) {
        SaveInBackground();
    }
    if (finished.tellUser) {
        CDataFile::TellWrongDataFile(MB_OK);
    }
}

bool CDataStore::MayWriteLibrary() const {
    return !m_dataFile.CouldNotBeRead(m_data) || m_schedule.ChangedSinceOpened();
}

bool CDataStore::SaveLibraryNow() {
    // A write in flight ends first; what it failed to write, this save writes.
    if (const std::optional<bool> saved = m_write.Finish()) {
        m_schedule.OnSaveFinished(*saved);
    }
    if (!MayWriteLibrary()) {
        return true;
    }
    const bool keepBackup = m_schedule.OnSaveStarted();
    const bool saved = m_dataFile.Save(m_data, keepBackup);
    m_schedule.OnSaveFinished(saved);
    return saved;
}

bool CDataStore::SaveLibraryAsking() {
    while (!SaveLibraryNow()) {
        if (CDataFile::TellWrongDataFile(MB_RETRYCANCEL) != IDRETRY) {
            return false;
        }
    }
    return true;
}

void CDataStore::SaveSettings(HWND hMainWnd) {
    CSettingsFile::Save(m_data, hMainWnd);
}

bool CDataStore::SaveAllForExit(HWND hMainWnd) {
    if (!SaveLibraryAsking()) {
        return false;
    }
    SaveSettings(hMainWnd);
    return true;
}

void CDataStore::OnEndSession(HWND hMainWnd, bool ending) {
    if (ending && !m_bLibrarySavedAtSessionEnd) {
        m_bLibrarySavedAtSessionEnd = true;
        if (!SaveLibraryNow()) {
            CDataFile::TellWrongDataFile(MB_OK);
        }
        SaveSettings(hMainWnd);
    }
}

bool CDataStore::SwitchDataFile(HWND hAsker, const std::u16string& path) {
    CData chosen;
    chosen.m_strDataFile = path;
    const std::u16string chosenPath = CDataFile::PathOf(chosen);
    if (CDataFile::SamePath(chosenPath, CDataFile::PathOf(m_data))) {
        return true;
    }
    const CDataFileChoice choice(InspectChosenFile(chosenPath));
    const DataFileAnswer answer = choice.NeedsQuestion() ? CDataFileQuestion(choice, chosenPath).Ask(hAsker)
                                                         : DataFileAnswer::ReplaceIt;
    switch (choice.StepFor(answer)) {
    case DataFileStep::KeepOldPath:
        return false;
    case DataFileStep::MoveLibraryThere:
        m_data.m_strDataFile = path;
        if (m_schedule.OnMovedToAnotherFile()) {
            StartWait();
        }
        return true;
    case DataFileStep::OpenThatLibrary:
        // The library in memory is kept in its own file before another takes its place.
        if (!SaveLibraryAsking()) {
            return false;
        }
        m_data.m_strDataFile = path;
        OpenLibrary();
        return true;
    }
    return false;
}

void CDataStore::OpenLibrary() {
    CLibrary& library = m_data.m_library;
    // Reading it in is no change of the user's.
    library.RemoveObserver(this);
    library.Clear();
    LoadDataFile();
    AddSampleGroupIfEmpty();
    library.SelectGroup(0);
    m_schedule.OnLibraryOpened();
    library.AddObserver(this);
}

} // namespace brindlex
