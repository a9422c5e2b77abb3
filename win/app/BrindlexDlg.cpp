#include "win/app/BrindlexDlg.h"

#include "win/app/HelpFile.h"
#include "win/app/MainWindowLayout.h"
#include "win/app/TrayIcon.h"
#include "core/app/MenuModel.h"
#include "core/app/CommandIds.h"
#include "core/app/WebAddresses.h"
#include "win/framework/ResourceLoader.h"
#include "win/framework/WideString.h"
#include "win/library/ExportText.h"
#include "win/library/SettingsFile.h"
#include "res/resource.h"

static_assert(brindlex::kWmCommand == WM_COMMAND && brindlex::kWmSysCommand == WM_SYSCOMMAND &&
              brindlex::kWmHotkey == WM_HOTKEY);

CBrindlexDlg::CBrindlexDlg(CData& data)
    : CDialog(IDD_BRINDLEX_DIALOG), m_data(data),
      m_hIcon(LoadIconResource(IDR_MAINFRAME, 0, 0, LR_DEFAULTSIZE)), m_dialogs(data),
      m_tray(*this), m_paste(CTrayIcon::TaskbarCreatedMessage()) {
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

    CSettingsFile::Load(m_data, m_hWnd);
    m_buttons.SetUpImageButtons(m_hWnd);

    m_listGroups.SubclassDlgItem(IDC_GROUP_LIST, this);
    m_listItems.SubclassDlgItem(IDC_ITEM_LIST, this);
    m_buttons.SetUpTargetRow(m_hWnd);
    m_targets.Attach(GetDlgItem(IDC_TARGET_WINDOW));

    m_dataFile.Load(m_data);
    m_listGroups.SetLibrary(&m_data.m_library);
    m_listItems.SetLibrary(&m_data.m_library);
    m_data.m_library.AddObserver(this);
    ApplyDrawEdge();
    AddSampleGroupIfEmpty();
    m_data.m_library.SelectGroup(0);

    ApplyAlwaysOnTop();
    SendMessage(WM_SIZE, 0, 0);
    m_tray.Add(m_hWnd);
    m_tray.ApplyHotkey(m_data);
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

void CBrindlexDlg::AddSampleGroupIfEmpty() {
    CLibrary& library = m_data.m_library;
    if (library.GroupCount() == 0) {
        CPasteGroup& sample = library.AddGroup(u"Sample Group");
        library.AddItem(sample, u"Sample item", 0,
                        std::u16string(u"For more information and updates visit ") + brindlex::kProductWebAddress);
    }
}

// ---------------------------------------------------------------------------------------------
// The window procedure

LRESULT CBrindlexDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_paste.Hold(message, wParam, lParam)) {
        // Answered at once, so that no sender waits for the paste; it runs when the paste is over.
        return message == WM_TRAY_CALLBACK ? 1 : 0;
    }
    if (m_tray.OnTaskbarCreated(message)) {
        return 0;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            OnShowAbout();
            return 0;
        }
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon.get());
    case WM_SIZE: {
        const LRESULT result = Default();
        LayoutControls();
        return result;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = Default();
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
            OnShown();
        }
        return result;
    }
    case WM_ACTIVATE: {
        const LRESULT result = Default();
        OnActivate();
        return result;
    }
    case WM_HOTKEY:
        m_tray.OnHotkey(wParam);
        return Default();
    case WM_QUERYENDSESSION:
        OnQueryEndSession();
        return TRUE;
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_TRAY_CALLBACK:
        return m_tray.OnTrayCallback(lParam);
    case WM_SHOW_SETTINGS:
        OnShowSettings();
        return 0;
    case WM_SETTINGS_CLOSED:
        OnSettingsClosed();
        return 0;
    case WM_SHOW_ABOUT:
        OnShowAbout();
        return 0;
    case WM_ABOUT_CLOSED:
        OnAboutClosed();
        return 0;
    case WM_EDIT_ITEM:
        OnEditItemMessage(reinterpret_cast<CPasteItem*>(wParam));
        return 0;
    case WM_EDITOR_CLOSED:
        OnEditorClosed(wParam == 1, lParam == 1);
        return 0;
    case WM_EXIT_APP:
        ExitApp();
        return 0;
    case WM_SHOW_FIND:
        OnShowFind();
        return 0;
    case WM_FIND_CLOSED:
        m_dialogs.FindClosed();
        return 0;
    case WM_FIND_CHOOSE:
    case WM_FIND_PASTE:
        OnFindChoose(wParam, lParam, message == WM_FIND_PASTE);
        return 0;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CBrindlexDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0 && OnMenuCommand(id)) {
        return true;
    }
    if (id == IDC_TARGET_WINDOW) {
        if (code == CBN_SELCHANGE) {
            m_targets.OnSelectionChanged();
        }
        return code == CBN_SELCHANGE;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_MENU_BUTTON:
        OnMenuButton();
        return true;
    case IDC_ALWAYS_ON_TOP:
        ToggleAlwaysOnTop();
        return true;
    case IDC_ADD_GROUP:
        OnAddGroup();
        return true;
    case IDC_EDIT_GROUP:
        OnEditGroup();
        return true;
    case IDC_DELETE_GROUP:
        OnDeleteGroup();
        return true;
    case IDC_ADD_ITEM:
        SendMessage(WM_EDIT_ITEM, 0, 0);
        return true;
    case IDC_EDIT_ITEM:
        OnEditItem();
        return true;
    case IDC_DELETE_ITEM:
        OnDeleteItem();
        return true;
    case IDC_PASTE:
        OnPaste();
        return true;
    case IDC_PREV_WINDOW:
        m_targets.SelectPrevious();
        return true;
    case IDC_NEXT_WINDOW:
        m_targets.SelectNext();
        return true;
    default:
        return false;
    }
}

bool CBrindlexDlg::OnMenuCommand(int id) {
    switch (id) {
    case ID_TRAY_SHOWHIDE:
    case ID_MENU_HIDE:
        ToggleMainWindow();
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
        ToggleAlwaysOnTop();
        return true;
    case ID_MENU_EXPORT:
        OnExport();
        return true;
    default:
        return false;
    }
}

void CBrindlexDlg::OnOK() {
    // Enter does nothing: the main window never ends by a key.
}

void CBrindlexDlg::OnCancel() {
    HideMainWindow();
}

// ---------------------------------------------------------------------------------------------
// Layout and painting

void CBrindlexDlg::LayoutControls() {
    CMainWindowLayout::Arrange(*this);
}

void CBrindlexDlg::OnPaint() {
    CMainWindowLayout::Paint(*this, m_hIcon.get(), m_data.m_clrWindow);
}

// ---------------------------------------------------------------------------------------------
// Group and item buttons

void CBrindlexDlg::OnAddGroup() {
    CLibrary& library = m_data.m_library;
    library.AddGroup(u"New group");
    library.SelectGroup(library.GroupCount() - 1);
    m_listGroups.BeginInplaceEdit();
}

void CBrindlexDlg::OnEditGroup() {
    m_listGroups.BeginInplaceEdit();
}

void CBrindlexDlg::OnDeleteGroup() {
    m_listGroups.DeleteSelectedGroup();
}

void CBrindlexDlg::OnEditItem() {
    m_listItems.RequestEdit();
}

void CBrindlexDlg::OnDeleteItem() {
    m_listItems.DeleteSelectedItem();
}

// ---------------------------------------------------------------------------------------------
// Paste

void CBrindlexDlg::OnPaste() {
    const CPasteCommand::Result result = m_paste.Run(m_hWnd, m_targets.SelectedWindow(), m_data.m_library);
    if (result.outcome == CPasteCommand::Outcome::Done && m_data.m_bHideAfterPaste && IsWindowVisible()) {
        HideMainWindow();
    }
    RunHeldCommands(result.held);
}

void CBrindlexDlg::RunHeldCommands(const std::vector<brindlex::HeldMessage>& held) {
    for (const brindlex::HeldMessage& m : held) {
        SendMessage(m.message, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam));
    }
}

// ---------------------------------------------------------------------------------------------
// Export

void CBrindlexDlg::OnExport() {
    ExportTextToChosenFile(m_hWnd, m_data.m_library);
}

// ---------------------------------------------------------------------------------------------
// The "More" menu, showing and hiding, always on top

bool CBrindlexDlg::BuildMainMenu() {
    return m_menuMain.Build(brindlex::MainMenuEntries(m_data.m_bAlwaysOnTop));
}

void CBrindlexDlg::OnMenuButton() {
    if (!BuildMainMenu()) {
        return;
    }
    const RECT r = m_buttons.MenuButtonRect();
    m_menuMain.Track(0, POINT{r.left, r.bottom}, m_hWnd);
}

void CBrindlexDlg::ShowMainWindow() {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetForegroundWindow(m_hWnd);
}

void CBrindlexDlg::HideMainWindow() {
    CSettingsFile::Save(m_data, m_hWnd);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void CBrindlexDlg::ToggleMainWindow() {
    if (IsWindowVisible()) {
        HideMainWindow();
    } else {
        ShowMainWindow();
    }
}

void CBrindlexDlg::ToggleAlwaysOnTop() {
    m_data.m_bAlwaysOnTop = !m_data.m_bAlwaysOnTop;
    ApplyAlwaysOnTop();
}

void CBrindlexDlg::OnShown() {
    // Wine can drop the topmost state given to a window before it is first shown (the first
    // program of a session): put it right as the window appears.
    const bool topmost = (GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost != m_data.m_bAlwaysOnTop) {
        ApplyAlwaysOnTop();
    }
}

void CBrindlexDlg::ApplyAlwaysOnTop() {
    m_buttons.ShowAlwaysOnTop(m_data.m_bAlwaysOnTop);
    SetWindowPos(m_data.m_bAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CBrindlexDlg::OnActivate() {
    if (GetForegroundWindow() == m_hWnd) {
        RefreshTargetList();
    }
}

void CBrindlexDlg::RefreshTargetList() {
    m_targets.Refresh(m_hWnd);
}

// ---------------------------------------------------------------------------------------------
// Ending: the exit sequence and the end of the Windows session

void CBrindlexDlg::ExitApp() {
    m_dataFile.Save(m_data);
    CSettingsFile::Save(m_data, m_hWnd);
    m_tray.Remove();
    m_hIcon.reset();
    PostQuitMessage(0);
}

void CBrindlexDlg::OnQueryEndSession() {
    CSettingsFile::Save(m_data, m_hWnd);
}

void CBrindlexDlg::OnEndSession(bool ending) {
    // Windows is really ending the session: this is the last chance to keep the library.
    if (ending && !m_bLibrarySavedAtSessionEnd) {
        m_bLibrarySavedAtSessionEnd = true;
        m_dataFile.Save(m_data);
        CSettingsFile::Save(m_data, m_hWnd);
    }
}

// ---------------------------------------------------------------------------------------------
// Modeless dialogs

void CBrindlexDlg::OnShowSettings() {
    m_dialogs.ShowSettings(m_hWnd);
}

void CBrindlexDlg::OnSettingsClosed() {
    m_dialogs.SettingsClosed();
    ApplyDrawEdge();
    m_tray.ApplyHotkey(m_data);
}

void CBrindlexDlg::OnShowAbout() {
    m_dialogs.ShowAbout(m_hWnd);
}

void CBrindlexDlg::OnAboutClosed() {
    m_dialogs.AboutClosed();
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
        ShowMainWindow();
    }
    m_dialogs.ShowFind(m_hWnd);
}

// As a click in the two lists would do it; then Find goes, and the paste runs as the Paste
// button's does. Any program can send the message: the indices are checked.
void CBrindlexDlg::OnFindChoose(WPARAM group, LPARAM item, bool paste) {
    CLibrary& library = m_data.m_library;
    if (group >= static_cast<WPARAM>(library.GroupCount()) || item < 0 ||
        static_cast<std::size_t>(item) >= library.Group(static_cast<int>(group)).ItemCount()) {
        return;
    }
    library.SelectGroup(static_cast<int>(group));
    library.SetCurrentItem(static_cast<int>(item));
    m_dialogs.FindClosed();
    ShowMainWindow(); // brings it to the front as well
    if (paste) {
        OnPaste();
    }
}

void CBrindlexDlg::OnEditItemMessage(CPasteItem* item) {
    m_dialogs.EditItem(m_hWnd, item);
}

void CBrindlexDlg::OnEditorClosed(bool saved, bool isNew) {
    m_dialogs.EditorClosed(saved, isNew);
}

void CBrindlexDlg::OnItemReleasing(const CPasteItem& item) {
    m_dialogs.ItemReleasing(item);
}

void CBrindlexDlg::ApplyDrawEdge() {
    m_listGroups.SetDrawEdge(m_data.m_bDrawEdge);
    m_listItems.SetDrawEdge(m_data.m_bDrawEdge);
}
