// The main window: the two library lists with their buttons, the target-window list and the
// Paste row. It loads the settings and the library, lays out and paints itself, hides to the
// notification area instead of closing, and owns the modeless dialogs.
#pragma once

#include "core/app/HeldCommands.h"
#include "win/app/AlwaysOnTop.h"
#include "win/app/DataStore.h"
#include "win/app/LibraryLists.h"
#include "win/app/MainWindowButtons.h"
#include "win/app/MainWindowVisibility.h"
#include "win/app/ModelessDialogs.h"
#include "win/app/PopupMenu.h"
#include "win/app/TargetList.h"
#include "win/app/TrayAndHotkey.h"
#include "win/framework/CDialog.h"
#include "win/framework/UniqueHandle.h"
#include "core/library/Data.h"
#include "win/paste/PasteCommand.h"

#include <vector>

class CBrindlexDlg : public CDialog, private ILibraryObserver {
public:
    explicit CBrindlexDlg(CData& data);
    ~CBrindlexDlg() override;

    // The exit sequence: library, then settings, then the tray icon and the window icon; then
    // the quit message ends the modal run.
    void ExitApp();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // "Hide main window on startup": the modal run starts with the tray icon only.
    bool ShowWhenModalRunStarts() const override { return !m_data.m_bHideOnStartup; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Ctrl+F, from the main window and any of its controls.
    bool PreTranslateMessage(MSG* pMsg) override;

private:
    void AddAboutToSystemMenu();

    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnMenuCommand(int id);
    void OnActivate();

    // The "More" menu below its button. The builder fails while a menu is being tracked.
    void OnMenuButton();
    void OnPaste();
    // The commands held while the paste ran, once it is over.
    void RunHeldCommands(const std::vector<brindlex::HeldMessage>& held);
    void RefreshTargetList();

    void OnSettingsClosed();
    void OnShowFind();
    void OnFindChoose(WPARAM group, LPARAM item, bool paste);
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
};
