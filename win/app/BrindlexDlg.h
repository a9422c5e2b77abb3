// The main window: the two library lists with their buttons, the target-window list and the
// Paste row. It loads the settings and the library, lays out and paints itself, hides to the
// notification area instead of closing, and owns the three modeless dialogs.
#pragma once

#include "core/app/HeldCommands.h"
#include "win/app/MainWindowButtons.h"
#include "win/app/ModelessDialogs.h"
#include "win/app/PopupMenu.h"
#include "win/app/TargetList.h"
#include "win/app/TrayAndHotkey.h"
#include "win/framework/CDialog.h"
#include "win/framework/UniqueHandle.h"
#include "core/library/Data.h"
#include "win/library/DataFile.h"
#include "win/lists/CGroupList.h"
#include "win/lists/CPasteList.h"
#include "win/paste/PasteCommand.h"

#include <memory>

class CBrindlexDlg : public CDialog, private ILibraryObserver, private CTrayAndHotkey::IOwner {
public:
    explicit CBrindlexDlg(CData& data);
    ~CBrindlexDlg() override;

    // The exit sequence: library, then settings, then the tray icon and the window icon; then
    // the quit message ends the modal run.
    void ExitApp();
    void ShowMainWindow() override;
    void HideMainWindow();
    void ToggleMainWindow() override;

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
    // Initialisation pieces, in the order they run.
    void AddAboutToSystemMenu();
    void AddSampleGroupIfEmpty();

    void LayoutControls();
    void OnPaint();
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnMenuCommand(int id);
    void OnActivate();
    void OnQueryEndSession();
    void OnEndSession(bool ending);

    // Buttons.
    void OnAddGroup();
    void OnEditGroup();
    void OnDeleteGroup();
    void OnEditItem();
    void OnDeleteItem();
    void OnMenuButton();
    void ToggleAlwaysOnTop();
    void OnPaste();
    void OnExport();

    // The commands held while the paste ran, once it is over.
    void RunHeldCommands(const std::vector<brindlex::HeldMessage>& held);

    // The "More" menu, window state. The builder fails while a menu is being tracked.
    bool BuildMainMenu();
    void OnShown();
    void ApplyAlwaysOnTop();
    void RefreshTargetList();

    // Modeless dialogs.
    void OnShowSettings();
    void OnSettingsClosed();
    void OnShowAbout();
    void OnAboutClosed();
    void OnShowFind();
    void OnFindChoose(WPARAM group, LPARAM item, bool paste);
    void OnEditItemMessage(CPasteItem* item);
    void OnEditorClosed(bool saved, bool isNew);
    void ApplyDrawEdge();

    // The editor must never write into an item that is being freed: it is closed as by Cancel.
    void OnItemReleasing(const CPasteItem& item) override;

    CData& m_data;
    CDataFile m_dataFile;
    CIconHandle m_hIcon;
    CPopupMenu m_menuMain;
    CModelessDialogs m_dialogs;
    CGroupList m_listGroups;
    CPasteList m_listItems;
    CMainWindowButtons m_buttons;
    CTrayAndHotkey m_tray;
    CTargetList m_targets;
    CPasteCommand m_paste;
    bool m_bLibrarySavedAtSessionEnd = false;
};
