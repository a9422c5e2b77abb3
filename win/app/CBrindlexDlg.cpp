#include "win/app/CBrindlexDlg.h"

#include "win/app/CommandFromMessage.h"
#include "win/app/HelpFile.h"
#include "win/app/CMainWindowLayout.h"
#include "win/app/CTrayIcon.h"
#include "core/app/MenuModel.h"
#include "core/app/CommandIds.h"
#include "win/framework/ResourceLoader.h"
#include "win/framework/WideString.h"
#include "win/library/ExportText.h"
#include "res/resource.h"

namespace brindlex {

CBrindlexDlg::CBrindlexDlg(CData& data)
    : CDialog(IDD_BRINDLEX_DIALOG), m_data(data), m_store(data),
      m_hIcon(LoadIconResource(IDR_MAINFRAME, 0, 0, LR_DEFAULTSIZE)), m_dialogs(data, m_store, *this),
      m_lists(data.m_library, *this), m_alwaysOnTop(data.m_bAlwaysOnTop, m_buttons),
      m_visibility(*this, m_store), m_quickPaste(data.m_library, *this, *this) {
    m_data.m_clrWindow = GetSysColor(COLOR_WINDOW);
}

CBrindlexDlg::~CBrindlexDlg() {
    m_data.m_library.RemoveObserver(this);
    m_dialogs.CloseAll();
    ReleaseWindow();
}

// ---------------------------------------------------------------------------------------------
// Initialisation

bool CBrindlexDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutToSystemMenu();
    SetIcon(m_hIcon.get(), true);
    SetIcon(m_hIcon.get(), false);

    m_store.LoadSettings(m_hWnd);
    m_paste.SetRestoreClipboard(m_data.m_bRestoreClipboard);
    m_buttons.SetUpImageButtons(m_hWnd, Dpi());

    m_lists.Attach(m_hWnd);
    m_buttons.SetUpTargetRow(m_hWnd);
    m_targets.Attach(GetDlgItem(IDC_TARGET_WINDOW));

    m_store.LoadDataFile();
    m_lists.ShowLibrary();
    m_data.m_library.AddObserver(this);
    ApplyDrawEdge();
    m_store.AddSampleGroupIfEmpty();
    m_data.m_library.SelectGroup(0);
    m_store.SaveChangesFrom(m_hWnd);

    m_alwaysOnTop.Apply(m_hWnd);
    SendMessage(WM_SIZE, 0, 0);
    m_tray.Add(m_hWnd);
    m_tray.ApplyHotkey(m_data);
    m_quickPaste.Prepare();
    if (GetForegroundWindow() == m_hWnd) {
        RefreshTargetList();
    }
    return true;
}

void CBrindlexDlg::AddAboutToSystemMenu() {
    const std::u16string about = LoadStringResource(IDS_ABOUTBOX);
    HMENU hSystemMenu = GetSystemMenu(m_hWnd, FALSE);
    if (hSystemMenu != nullptr && !about.empty()) {
        AppendMenuW(hSystemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(hSystemMenu, MF_STRING, IDM_ABOUTBOX, W(about));
    }
}

// ---------------------------------------------------------------------------------------------
// The window procedure

LRESULT CBrindlexDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<AppCommand> command =
            CommandFromMessage(message, wParam, lParam, CTrayIcon::TaskbarCreatedMessage())) {
        // A held one is answered at once all the same, so that no sender waits for the paste.
        OnCommand(*command);
        return message == WM_TRAY_CALLBACK ? 1 : 0;
    }
    if (m_store.OnMessage(message, wParam)) {
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        CMainWindowLayout::Paint(*this, m_hIcon.get(), m_data.m_clrWindow, Dpi());
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon.get());
    case WM_SIZE: {
        const LRESULT result = Default();
        CMainWindowLayout::Arrange(*this, Dpi());
        return result;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = Default();
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
            m_alwaysOnTop.OnShown(m_hWnd);
        }
        return result;
    }
    case WM_ACTIVATE: {
        const LRESULT result = Default();
        OnActivate();
        return result;
    }
    case WM_QUERYENDSESSION:
        m_store.SaveSettings(m_hWnd);
        return TRUE;
    case WM_ENDSESSION:
        m_store.OnEndSession(m_hWnd, wParam != FALSE);
        return 0;
    case WM_TRAY_CALLBACK:
        return 1; // the pointer moved over the icon, another click
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CBrindlexDlg::OnDpiChanged() {
    m_lists.SetDpi(Dpi());
    m_buttons.SetDpi(Dpi());
}

void CBrindlexDlg::OnCommand(const AppCommand& command) {
    if (!m_paste.Hold(command)) {
        Execute(command);
    }
}

void CBrindlexDlg::Execute(const AppCommand& command) {
    switch (command.kind) {
    case CommandKind::ShowMainWindow:
        m_visibility.ShowMainWindow();
        break;
    case CommandKind::ToggleMainWindow:
        m_visibility.ToggleMainWindow();
        break;
    case CommandKind::HideMainWindow:
        OnCancel();
        break;
    case CommandKind::ShowTrayMenu:
        m_tray.ShowMenu();
        break;
    case CommandKind::ShowMoreMenu:
        OnMenuButton();
        break;
    case CommandKind::Exit:
        ExitApp();
        break;
    case CommandKind::ShowAbout:
        m_dialogs.ShowAbout(m_hWnd);
        break;
    case CommandKind::AboutClosed:
        m_dialogs.AboutClosed();
        break;
    case CommandKind::ShowSettings:
        m_tray.SuspendQuickPaste(); // until the dialog has closed
        m_dialogs.ShowSettings(m_hWnd);
        break;
    case CommandKind::SettingsClosed:
        OnSettingsClosed();
        break;
    case CommandKind::ShowFind:
        OnShowFind();
        break;
    case CommandKind::FindClosed:
        m_dialogs.FindClosed();
        break;
    case CommandKind::ChooseFound:
    case CommandKind::PasteFound:
        OnFindChoose(command.nGroup, command.nItem, command.kind == CommandKind::PasteFound);
        break;
    case CommandKind::ShowHelp:
        OpenHelpFile();
        break;
    case CommandKind::ToggleAlwaysOnTop:
        m_alwaysOnTop.Toggle(m_hWnd);
        break;
    case CommandKind::ExportText:
        ExportTextToChosenFile(m_hWnd, m_data.m_library);
        break;
    case CommandKind::AddGroup:
        m_lists.AddGroup();
        break;
    case CommandKind::RenameGroup:
        m_lists.RenameGroup();
        break;
    case CommandKind::DeleteGroup:
        m_lists.DeleteGroup();
        break;
    case CommandKind::EditItem:
        m_dialogs.EditItem(m_hWnd, command.pItem);
        break;
    case CommandKind::EditCurrentItem:
        m_lists.EditCurrentItem();
        break;
    case CommandKind::DeleteCurrentItem:
        m_lists.DeleteCurrentItem();
        break;
    case CommandKind::EditorClosed:
    case CommandKind::NewItemSaved:
        m_dialogs.EditorClosed(command.kind == CommandKind::NewItemSaved);
        break;
    case CommandKind::Paste:
        OnPaste();
        break;
    case CommandKind::ChooseTarget:
        m_targets.OnSelectionChanged();
        break;
    case CommandKind::PreviousTarget:
        m_targets.SelectPrevious();
        break;
    case CommandKind::NextTarget:
        m_targets.SelectNext();
        break;
    case CommandKind::QuickPaste:
        m_quickPaste.OnHotkey();
        break;
    case CommandKind::PasteQuickItem:
        m_quickPaste.OnChoose(command.nGroup, command.nItem);
        break;
    case CommandKind::QuickPasteClosed:
    case CommandKind::QuickPasteDeactivated:
        m_quickPaste.OnClosed(command.kind == CommandKind::QuickPasteClosed);
        break;
    case CommandKind::RestoreTrayIcon:
        m_tray.RestoreIcon();
        break;
    case CommandKind::SystemCommand:
        DefWindowProc(WM_SYSCOMMAND, static_cast<WPARAM>(command.nSysCommand),
                      static_cast<LPARAM>(command.nSysPoint));
        break;
    }
}

void CBrindlexDlg::OnOK() {
    // Enter does nothing: the main window never ends by a key.
}

void CBrindlexDlg::OnCancel() {
    m_visibility.HideMainWindow();
}

// ---------------------------------------------------------------------------------------------
// The "More" menu and Paste

void CBrindlexDlg::OnMenuButton() {
    if (!m_menuMain.Build(MainMenuEntries(m_data.m_bAlwaysOnTop))) {
        return;
    }
    const RECT r = m_buttons.MenuButtonRect();
    m_menuMain.Track(0, POINT{r.left, r.bottom}, m_hWnd);
}

void CBrindlexDlg::OnPaste() {
    const CPasteItem* item = m_data.m_library.CurrentItem();
    const CPasteCommand::Result result = m_paste.Run(m_hWnd, m_targets.SelectedWindow(), item);
    if (result.outcome == CPasteCommand::Outcome::Done) {
        m_quickPaste.ItemPasted(*item);
        if (m_data.m_bHideAfterPaste && IsWindowVisible()) {
            m_visibility.HideMainWindow();
        }
    }
    RunHeldCommands(result.held);
}

// Neither the main window nor its lists change: the item goes where the user was typing.
void CBrindlexDlg::PasteQuickItem(HWND hTarget, const CPasteItem& item) {
    const CPasteCommand::Result result = m_paste.Run(m_hWnd, hTarget, &item);
    if (result.outcome == CPasteCommand::Outcome::Done) {
        m_quickPaste.ItemPasted(item);
    }
    RunHeldCommands(result.held);
}

void CBrindlexDlg::RunHeldCommands(const std::vector<AppCommand>& held) {
    for (const AppCommand& command : held) {
        OnCommand(command);
    }
}

// ---------------------------------------------------------------------------------------------
// The target list, the exit sequence

void CBrindlexDlg::OnActivate() {
    if (GetForegroundWindow() == m_hWnd) {
        RefreshTargetList();
    }
}

void CBrindlexDlg::RefreshTargetList() {
    m_targets.Refresh(m_hWnd);
}

void CBrindlexDlg::ExitApp() {
    if (!m_store.SaveAllForExit(m_hWnd)) {
        return; // the user goes on with the library in memory (another data file, room on the disk)
    }
    m_tray.Remove();
    m_hIcon.reset();
    PostQuitMessage(0);
}

// ---------------------------------------------------------------------------------------------
// Modeless dialogs

void CBrindlexDlg::OnSettingsClosed() {
    m_dialogs.SettingsClosed();
    m_paste.SetRestoreClipboard(m_data.m_bRestoreClipboard);
    ApplyDrawEdge();
    m_tray.ApplyHotkey(m_data);
}

bool CBrindlexDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'F' && (::GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
        (::GetKeyState(VK_MENU) & 0x8000) == 0 && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        OnCommand(CommandKind::ShowFind);
        return true;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CBrindlexDlg::OnShowFind() {
    if (!IsWindowVisible()) {
        m_visibility.ShowMainWindow();
    }
    m_dialogs.ShowFind(m_hWnd);
}

// As a click in the two lists would do it; then Find goes, and the paste runs as the Paste
// button's does.
void CBrindlexDlg::OnFindChoose(int group, int item, bool paste) {
    if (!m_lists.SelectItem(group, item)) {
        return;
    }
    m_dialogs.FindClosed();
    m_visibility.ShowMainWindow(); // brings it to the front as well
    if (paste) {
        OnPaste();
    }
}

void CBrindlexDlg::OnItemReleasing(const CPasteItem& item) {
    m_dialogs.ItemReleasing(item);
}

void CBrindlexDlg::ApplyDrawEdge() {
    m_lists.SetDrawEdge(m_data.m_bDrawEdge);
}

} // namespace brindlex
