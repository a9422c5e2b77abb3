#include "win/app/CDataStore.h"

#include "core/app/WebAddresses.h"
#include "win/library/CSettingsFile.h"

namespace brindlex {

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

void CDataStore::SaveSettings(HWND hMainWnd) {
    CSettingsFile::Save(m_data, hMainWnd);
}

void CDataStore::SaveAll(HWND hMainWnd) {
    m_dataFile.Save(m_data);
    SaveSettings(hMainWnd);
}

void CDataStore::OnEndSession(HWND hMainWnd, bool ending) {
    if (ending && !m_bLibrarySavedAtSessionEnd) {
        m_bLibrarySavedAtSessionEnd = true;
        SaveAll(hMainWnd);
    }
}

} // namespace brindlex
