// The main window's modeless dialogs: the settings, the about box, the item editor and Find, at most one
// of each. Each reports to the host (the main window) when it closes; the main window then calls
// the matching Closed function.
#pragma once

#include "core/app/ICommandHost.h"
#include "core/library/CData.h"
#include "win/dialogs/CAboutDlg.h"
#include "win/dialogs/CFindDlg.h"
#include "win/dialogs/CPastingDlg.h"
#include "win/dialogs/CSettingsDlg.h"
#include "win/framework/Win32.h"

#include <memory>

namespace brindlex {

class CModelessDialogs {
public:
    CModelessDialogs(CData& data, IDataFileSwitch& dataFiles, ICommandHost& host)
        : m_data(data), m_dataFiles(dataFiles), m_host(host) {}

    void ShowSettings(HWND hOwner);
    void SettingsClosed() { m_pSettingsDlg.reset(); }
    void ShowAbout(HWND hOwner);
    void AboutClosed() { m_pAboutDlg.reset(); }
    // Find is centred on the main window, which must be shown first.
    void ShowFind(HWND hOwner);
    void FindClosed() { m_pFindDlg.reset(); }
    // Opens the editor for `item`, one of the library's, or for a new item when it is null.
    void EditItem(HWND hOwner, CPasteItem* item);
    // A new item saved goes to the current group.
    void EditorClosed(bool newItemSaved);
    // The editor must never write into an item that is being freed: it is closed as by Cancel.
    void ItemReleasing(const CPasteItem& item);
    void CloseAll();

private:
    // Opens a modeless dialog, or brings the open one forward.
    template <typename T, typename Make>
    static void Open(std::unique_ptr<T>& slot, HWND hOwner, HWND hCenterOn, Make make) {
        if (slot && slot->IsWindow()) {
            slot->SetActiveWindow();
            return;
        }
        slot.reset();
        slot = make();
        if (!slot->Create(hOwner)) {
            slot.reset();
            return;
        }
        slot->CenterWindow(hCenterOn);
        slot->ShowWindow(SW_SHOW);
    }

    CData& m_data;
    IDataFileSwitch& m_dataFiles;
    ICommandHost& m_host;
    std::unique_ptr<CAboutDlg> m_pAboutDlg;
    std::unique_ptr<CSettingsDlg> m_pSettingsDlg;
    std::unique_ptr<CPastingDlg> m_pEditor;
    std::unique_ptr<CFindDlg> m_pFindDlg;
};

} // namespace brindlex
