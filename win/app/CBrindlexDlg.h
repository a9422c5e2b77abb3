// The main window: the two library lists with their buttons, the target-window list and the
// Paste row. It loads the settings and the library, lays out and paints itself, hides to the
// notification area instead of closing, and owns the modeless dialogs. Its window procedure turns
// the messages that carry commands into typed ones; those, and the commands the lists and dialogs
// report, run here, or wait while a paste runs.
#pragma once

#include "core/app/ICommandHost.h"
#include "win/app/CAlwaysOnTop.h"
#include "win/app/CDataStore.h"
#include "win/app/CLibraryLists.h"
#include "win/app/CMainWindowButtons.h"
#include "win/app/CMainWindowVisibility.h"
#include "win/app/CModelessDialogs.h"
#include "win/app/CPopupMenu.h"
#include "win/app/CQuickPaste.h"
#include "win/app/CTargetList.h"
#include "win/app/CTrayAndHotkey.h"
#include "win/framework/CDialog.h"
#include "win/framework/UniqueHandle.h"
#include "core/library/CData.h"
#include "win/paste/CPasteCommand.h"

#include <vector>

namespace brindlex {

class CBrindlexDlg : public CDialog,
                     private ILibraryObserver,
                     private CQuickPaste::IOwner,
                     private ICommandHost {
public:
    explicit CBrindlexDlg(CData& data);
    ~CBrindlexDlg() override;

    // The exit sequence: library, then settings, then the tray icon and the window icon; then
    // the quit message ends the modal run. A library that cannot be saved, and the user's
    // Cancel then, keep the program running.
    void ExitApp();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // "Hide main window on startup": the modal run starts with the tray icon only.
    bool ShowWhenModalRunStarts() const override { return !m_data.m_bHideOnStartup; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged() override;
    // Ctrl+F, from the main window and any of its controls.
    bool PreTranslateMessage(MSG* pMsg) override;

private:
    void AddAboutToSystemMenu();

    // Runs the command, or holds it while a paste runs.
    void OnCommand(const AppCommand& command) override;
    void Execute(const AppCommand& command);
    void OnActivate();

    // The "More" menu below its button. The builder fails while a menu is being tracked.
    void OnMenuButton();
    void OnPaste();
    // The commands held while the paste ran, once it is over.
    void RunHeldCommands(const std::vector<AppCommand>& held);
    HWND ChosenTarget() const override { return m_targets.SelectedWindow(); }
    void PasteQuickItem(HWND hTarget, const CPasteItem& item) override;
    void RefreshTargetList();

    void OnSettingsClosed();
    void OnShowFind();
    void OnFindChoose(int group, int item, bool paste);
    void ApplyDrawEdge();

    // The editor must never write into an item that is being freed: it is closed as by Cancel.
    void OnItemReleasing(const CPasteItem& item) override;

    CData& m_data;
    CDataStore m_store;
    CIconHandle m_hIcon;
    CPopupMenu m_menuMain;
    CModelessDialogs m_dialogs;
    CLibraryLists m_lists;
    CMainWindowButtons m_buttons;
    CAlwaysOnTop m_alwaysOnTop;
    CMainWindowVisibility m_visibility;
    CTrayAndHotkey m_tray;
    CTargetList m_targets;
    CPasteCommand m_paste;
    CQuickPaste m_quickPaste;
};

} // namespace brindlex
