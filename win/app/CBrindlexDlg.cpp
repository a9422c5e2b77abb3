#include "win/app/CBrindlexDlg.h"

#include "win/app/HelpFile.h"
#include "win/app/CMainWindowLayout.h"
#include "win/app/CTrayIcon.h"
#include "core/app/MenuModel.h"
#include "core/app/CommandIds.h"
#include "win/framework/MessageParams.h"
#include "win/framework/ResourceLoader.h"
#include "win/framework/WideString.h"
#include "win/library/ExportText.h"
#include "res/resource.h"

namespace brindlex {

static_assert(kWmCommand == WM_COMMAND && kWmSysCommand == WM_SYSCOMMAND && kWmHotkey == WM_HOTKEY);

CBrindlexDlg::CBrindlexDlg(CData& data)
    : CDialog(IDD_BRINDLEX_DIALOG), m_data(data), m_store(data),
      m_hIcon(LoadIconResource(IDR_MAINFRAME, 0, 0, LR_DEFAULTSIZE)), m_dialogs(data, m_store),
      m_lists(data.m_library), m_alwaysOnTop(data.m_bAlwaysOnTop, m_buttons), m_visibility(*this, m_store),
      m_tray(m_visibility), m_paste(CTrayIcon::TaskbarCreatedMessage()), m_quickPaste(data.m_library, *this) {
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
    m_buttons.SetUpImageButtons(m_hWnd);

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
    if (m_paste.Hold(message, wParam, lParam)) {
        // Answered at once, so that no sender waits for the paste; it runs when the paste is over.
        return message == WM_TRAY_CALLBACK ? 1 : 0;
    }
    if (message == WM_SHOW_SETTINGS) {
        m_tray.SuspendQuickPaste(); // until the dialog has closed
    }
    if (m_tray.OnTaskbarCreated(message) || m_dialogs.OnMessage(m_hWnd, message, wParam, lParam) ||
        m_store.OnMessage(message, wParam)) {
        return 0;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            m_dialogs.ShowAbout(m_hWnd);
            return 0;
        }
        break;
    case WM_PAINT:
        CMainWindowLayout::Paint(*this, m_hIcon.get(), m_data.m_clrWindow);
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon.get());
    case WM_SIZE: {
        const LRESULT result = Default();
        CMainWindowLayout::Arrange(*this);
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
    case WM_HOTKEY:
        if (wParam == static_cast<WPARAM>(HOTKEY_QUICK_PASTE)) {
            m_quickPaste.OnHotkey();
        } else {
            m_tray.OnHotkey(wParam);
        }
        return Default();
    case WM_QUERYENDSESSION:
        m_store.SaveSettings(m_hWnd);
        return TRUE;
    case WM_ENDSESSION:
        m_store.OnEndSession(m_hWnd, wParam != FALSE);
        return 0;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_TRAY_CALLBACK:
        return m_tray.OnTrayCallback(lParam);
    case WM_SETTINGS_CLOSED:
        OnSettingsClosed();
        return 0;
    case WM_EXIT_APP:
        ExitApp();
        return 0;
    case WM_SHOW_FIND:
        OnShowFind();
        return 0;
    case WM_FIND_CHOOSE:
    case WM_FIND_PASTE:
        OnFindChoose(wParam, lParam, message == WM_FIND_PASTE);
        return 0;
    case WM_QUICK_PASTE_CHOOSE:
        m_quickPaste.OnChoose(wParam, lParam);
        return 0;
    case WM_QUICK_PASTE_CLOSED:
        m_quickPaste.OnClosed(wParam != 0);
        return 0;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CBrindlexDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = static_cast<int>(CommandId(wParam));
    const unsigned code = CommandCode(wParam);
    if (lParam == 0 && OnMenuCommand(id)) {
        return true;
    }
    if (m_targets.OnCommand(id, code)) {
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_MENU_BUTTON:
        OnMenuButton();
        return true;
    case IDC_ALWAYS_ON_TOP:
        m_alwaysOnTop.Toggle(m_hWnd);
        return true;
    case IDC_ADD_ITEM:
        SendMessage(WM_EDIT_ITEM, 0, 0);
        return true;
    case IDC_PASTE:
        OnPaste();
        return true;
    default:
        return m_lists.OnButton(id);
    }
}

bool CBrindlexDlg::OnMenuCommand(int id) {
    switch (id) {
    case ID_TRAY_SHOWHIDE:
    case ID_MENU_HIDE:
        m_visibility.ToggleMainWindow();
        return true;
    case ID_TRAY_EXIT:
        ExitApp();
        return true;
    case ID_TRAY_ABOUT:
    case ID_MENU_ABOUT:
        SendMessage(WM_SHOW_ABOUT);
        return true;
    case ID_TRAY_SETTINGS:
    case ID_MENU_SETTINGS:
        SendMessage(WM_SHOW_SETTINGS);
        return true;
    case ID_TRAY_FIND:
    case ID_MENU_FIND:
        SendMessage(WM_SHOW_FIND);
        return true;
    case ID_TRAY_HELP:
    case ID_MENU_HELP:
        OpenHelpFile();
        return true;
    case ID_MENU_ALWAYS_ON_TOP:
        m_alwaysOnTop.Toggle(m_hWnd);
        return true;
    case ID_MENU_EXPORT:
        ExportTextToChosenFile(m_hWnd, m_data.m_library);
        return true;
    default:
        return false;
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

void CBrindlexDlg::RunHeldCommands(const std::vector<HeldMessage>& held) {
    for (const HeldMessage& m : held) {
        SendMessage(m.message, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam));
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
        SendMessage(WM_SHOW_FIND);
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
void CBrindlexDlg::OnFindChoose(WPARAM group, LPARAM item, bool paste) {
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
