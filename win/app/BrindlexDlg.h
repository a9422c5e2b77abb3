// The main window: the two library lists with their buttons, the target-window list and the
// Paste row. It loads the settings and the library, lays out and paints itself, hides to the
// notification area instead of closing, and owns the three modeless dialogs.
#pragma once

#include "core/app/HeldCommands.h"
#include "win/app/PopupMenu.h"
#include "win/app/TargetList.h"
#include "win/app/TrayIcon.h"
#include "win/controls/CImageButton.h"
#include "win/dialogs/CAboutDlg.h"
#include "win/dialogs/CFindDlg.h"
#include "win/dialogs/CPastingDlg.h"
#include "win/dialogs/CSettingsDlg.h"
#include "win/framework/CButton.h"
#include "win/framework/CDialog.h"
#include "win/framework/UniqueHandle.h"
#include "core/library/Data.h"
#include "win/lists/CGroupList.h"
#include "win/lists/CPasteList.h"

#include <memory>

class CBrindlexDlg : public CDialog, private ILibraryObserver {
public:
    explicit CBrindlexDlg(CData& data);
    ~CBrindlexDlg() override;

    // The exit sequence: library, then settings, then the tray icon and the window icon; then
    // the quit message ends the modal run.
    void ExitApp();
    void ShowMainWindow();
    void HideMainWindow();

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
    void SetUpImageButtons();
    void AddSampleGroupIfEmpty();

    void LayoutControls();
    void OnPaint();
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnMenuCommand(int id);
    void OnActivate();
    void OnHotkey(WPARAM id);
    LRESULT OnTrayCallback(LPARAM mouseMessage);
    void OnQueryEndSession();
    void OnEndSession(bool ending);

    // Buttons.
    void OnAddGroup();
    void OnEditGroup();
    void OnDeleteGroup();
    void OnEditItem();
    void OnDeleteItem();
    void OnMenuButton();
    void OnAlwaysOnTopButton();
    void OnPaste();
    void OnExport();

    // Paste, the parts of OnPaste: the paste itself, while the commands that come are held;
    // what it came to, told to the user; then the held commands.
    enum class PasteOutcome { Done, NoItem, TargetNotInFront, TargetElevated, ClipboardBusy };
    PasteOutcome PasteSelectedItem();
    void ReportPasteOutcome(PasteOutcome outcome);
    void RunHeldCommands(const std::vector<brindlex::HeldMessage>& held);

    // Tray, menus, window state. The builders fail while a menu is being tracked.
    bool BuildTrayMenu();
    bool BuildMainMenu();
    void OnShown();
    void ApplyAlwaysOnTop();
    void ApplyHotkey();
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
    CIconHandle m_hIcon;
    CPopupMenu m_menuTray;
    CPopupMenu m_menuMain;
    std::unique_ptr<CAboutDlg> m_pAboutDlg;
    std::unique_ptr<CSettingsDlg> m_pSettingsDlg;
    std::unique_ptr<CPastingDlg> m_pEditor;
    std::unique_ptr<CFindDlg> m_pFindDlg;
    CGroupList m_listGroups;
    CPasteList m_listItems;
    CImageButton m_btnMenu;
    CImageButton m_btnAddGroup;
    CImageButton m_btnEditGroup;
    CImageButton m_btnDeleteGroup;
    CImageButton m_btnAddItem;
    CImageButton m_btnEditItem;
    CImageButton m_btnDeleteItem;
    CImageButton m_btnAlwaysOnTop;
    CButton m_btnPrevWindow;
    CButton m_btnNextWindow;
    CButton m_btnPaste;
    CTrayIcon m_trayIcon;
    CTargetList m_targets;
    brindlex::CHeldCommands m_heldCommands;
    bool m_bLibrarySavedAtSessionEnd = false;
};
