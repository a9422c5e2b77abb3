#include "win/app/BrindlexDlg.h"

#include "win/app/HelpFile.h"
#include "core/layout/MainLayout.h"
#include "core/app/MenuModel.h"
#include "win/app/Messages.h"
#include "core/app/WebAddresses.h"
#include "win/framework/CClientDC.h"
#include "win/framework/CWinApp.h"
#include "win/framework/CPaintDC.h"
#include "win/framework/Drawing.h"
#include "win/framework/MessageBox.h"
#include "win/framework/WideString.h"
#include "win/library/ExportText.h"
#include "win/paste/PasteTarget.h"
#include "core/paste/PasteText.h"
#include "win/paste/Win32KeyOutput.h"
#include "res/resource.h"

#include <commdlg.h>

static_assert(brindlex::kIdPaste == IDC_PASTE && brindlex::kWmCommand == WM_COMMAND &&
              brindlex::kWmSysCommand == WM_SYSCOMMAND && brindlex::kWmHotkey == WM_HOTKEY);

namespace {

// At the resource's own size (its first frame): the image buttons draw their icons as they are,
// and one stretched to the system's icon size would overflow them.
HICON LoadIconResource(int id) {
    return static_cast<HICON>(LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, 0));
}

std::u16string LoadStringResource(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? U16(text, static_cast<std::size_t>(length)) : std::u16string();
}

// Opens a modeless dialog, or brings the open one forward: at most one of each kind exists.
template <typename T, typename Make>
void OpenModeless(std::unique_ptr<T>& slot, HWND hOwner, HWND hCenterOn, Make make) {
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

}  // namespace

CBrindlexDlg::CBrindlexDlg(CData& data)
    : CDialog(IDD_BRINDLEX_DIALOG), m_data(data),
      m_hIcon(static_cast<HICON>(LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                            IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))),
      m_heldCommands(CTrayIcon::TaskbarCreatedMessage()) {
    m_data.m_clrWindow = GetSysColor(COLOR_WINDOW);
}

CBrindlexDlg::~CBrindlexDlg() {
    m_data.m_library.RemoveObserver(this);
    m_pAboutDlg.reset();
    m_pSettingsDlg.reset();
    m_pEditor.reset();
    m_pFindDlg.reset();
    ReleaseWindow();
}

// ---------------------------------------------------------------------------------------------
// Initialisation

bool CBrindlexDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutToSystemMenu();
    SetIcon(m_hIcon.get(), true);
    SetIcon(m_hIcon.get(), false);

    m_data.LoadSettings(m_hWnd);
    SetUpImageButtons();

    m_listGroups.SubclassDlgItem(IDC_GROUP_LIST, this);
    m_listItems.SubclassDlgItem(IDC_ITEM_LIST, this);
    m_btnPrevWindow.SubclassDlgItem(IDC_PREV_WINDOW, this);
    m_btnNextWindow.SubclassDlgItem(IDC_NEXT_WINDOW, this);
    m_btnPaste.SubclassDlgItem(IDC_PASTE, this);
    m_targets.Attach(GetDlgItem(IDC_TARGET_WINDOW));

    m_data.LoadDataFile();
    m_listGroups.SetLibrary(&m_data.m_library);
    m_listItems.SetLibrary(&m_data.m_library);
    m_data.m_library.AddObserver(this);
    ApplyDrawEdge();
    AddSampleGroupIfEmpty();
    m_data.m_library.SelectGroup(0);

    ApplyAlwaysOnTop();
    SendMessage(WM_SIZE, 0, 0);
    m_trayIcon.Add(m_hWnd, WM_TRAY_CALLBACK, IDR_MAINFRAME);
    ApplyHotkey();
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

void CBrindlexDlg::SetUpImageButtons() {
    struct ButtonSetup {
        CImageButton* button;
        int id;
        int icon;
        const char16_t* caption;
        const wchar_t* tip;
        unsigned char alignment;
    };
    const ButtonSetup buttons[] = {
        {&m_btnAlwaysOnTop, IDC_ALWAYS_ON_TOP, IDI_ALWAYS_ON_TOP, u"", L"Always on top", 0},
        {&m_btnMenu, IDC_MENU_BUTTON, IDI_MORE, u"More", L"More", 2},
        {&m_btnAddGroup, IDC_ADD_GROUP, IDI_ADD_GROUP, u"", L"Add folder", 0},
        {&m_btnEditGroup, IDC_EDIT_GROUP, IDI_EDIT_GROUP, u"", L"Edit folder", 0},
        {&m_btnDeleteGroup, IDC_DELETE_GROUP, IDI_DELETE_GROUP, u"", L"Delete folder", 0},
        {&m_btnAddItem, IDC_ADD_ITEM, IDI_ADD_ITEM, u"", L"Add item", 0},
        {&m_btnEditItem, IDC_EDIT_ITEM, IDI_EDIT_ITEM, u"", L"Edit item", 0},
        {&m_btnDeleteItem, IDC_DELETE_ITEM, IDI_DELETE_ITEM, u"", L"Delete item", 0},
    };
    for (const ButtonSetup& s : buttons) {
        s.button->SubclassDlgItem(s.id, this);
        s.button->AssignIcon(LoadIconResource(s.icon));
        s.button->UseHandCursor();
        s.button->SetWindowText(s.caption);
        s.button->SetTipText(s.tip);
        if (s.alignment != 0) {
            s.button->SetImageAlignment(s.alignment);
        }
        s.button->MakeTransparent();
    }
    // The buttons took their background snapshots before the window had painted its band.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (const ButtonSetup& s : buttons) {
        if (s.button != &m_btnAlwaysOnTop) {
            s.button->MakeTransparent();
        }
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
    if (m_heldCommands.IsPasting() && m_heldCommands.Offer({message, static_cast<std::uintptr_t>(wParam),
                                                            static_cast<std::intptr_t>(lParam)})) {
        // Answered at once, so that no sender waits for the paste; it runs when the paste is over.
        return message == WM_TRAY_CALLBACK ? 1 : 0;
    }
    if (message == CTrayIcon::TaskbarCreatedMessage() && message != 0) {
        // Explorer restarted: without its icon a hidden window could not be reached any more.
        m_trayIcon.Add(m_hWnd, WM_TRAY_CALLBACK, IDR_MAINFRAME);
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
        OnHotkey(wParam);
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
        return OnTrayCallback(lParam);
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
        m_pFindDlg.reset();
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
        OnAlwaysOnTopButton();
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
        if (IsWindowVisible()) {
            HideMainWindow();
        } else {
            ShowMainWindow();
        }
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
        m_data.m_bAlwaysOnTop = !m_data.m_bAlwaysOnTop;
        ApplyAlwaysOnTop();
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
    const RECT client = GetClientRect();
    RECT combo{};
    HWND hCombo = GetDlgItem(IDC_TARGET_WINDOW);
    if (hCombo != nullptr) {
        ::GetClientRect(hCombo, &combo);
    }
    const auto layout = brindlex::MainWindowLayout(client.right - client.left, client.bottom - client.top,
                                                   combo.bottom - combo.top);
    const bool bottomRowComplete = GetDlgItem(IDC_PREV_WINDOW) != nullptr && GetDlgItem(IDC_NEXT_WINDOW) != nullptr &&
                                   GetDlgItem(IDC_PASTE) != nullptr;
    // WM_SETREDRAW TRUE makes a window visible: a hidden window (at start-up, or resized from the
    // stored geometry while in the notification area) is laid out without it.
    const bool visible = IsWindowVisible();
    if (visible) {
        SetRedraw(false);
    }
    for (const brindlex::ControlPlacement& p : layout) {
        const bool bottomRow = p.id == IDC_PREV_WINDOW || p.id == IDC_NEXT_WINDOW || p.id == IDC_PASTE;
        HWND hControl = GetDlgItem(p.id);
        if (hControl == nullptr || (bottomRow && !bottomRowComplete)) {
            continue;
        }
        ::MoveWindow(hControl, p.rect.left, p.rect.top, p.rect.Width(), p.rect.Height(), TRUE);
    }
    if (visible) {
        SetRedraw(true);
        InvalidateRect(nullptr, true);
        UpdateWindow();
    }
}

void CBrindlexDlg::OnPaint() {
    CPaintDC dc(m_hWnd);
    const RECT client = GetClientRect();
    if (IsIconic()) {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.get(), x, y, m_hIcon.get());
        return;
    }
    brindlex::FillSolidRect(dc.get(), client, m_data.m_clrWindow);
    const brindlex::Rect c{client.left, client.top, client.right, client.bottom};
    for (const brindlex::BandRect& band : brindlex::MainWindowBand(c, m_data.m_clrWindow)) {
        const RECT r{band.rect.left, band.rect.top, band.rect.right, band.rect.bottom};
        brindlex::FillSolidRect(dc.get(), r, band.colour);
    }
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
    // A click made while the last paste ran has waited in the queue until now: that paste has
    // delivered the item already. (A Paste sent by another thread is not such a click.)
    if (!InSendMessage() && m_heldCommands.CameDuringLastPaste(static_cast<unsigned>(GetMessageTime()))) {
        return;
    }
    m_heldCommands.BeginPaste(GetTickCount());
    PasteOutcome outcome = PasteOutcome::Done;
    try {
        outcome = PasteSelectedItem();
    } catch (...) {
        m_heldCommands.EndPaste(GetTickCount()); // commands must not stay held for good
        throw;
    }
    const std::vector<brindlex::HeldMessage> held = m_heldCommands.EndPaste(GetTickCount());
    ReportPasteOutcome(outcome);
    if (outcome == PasteOutcome::Done && m_data.m_bHideAfterPaste && IsWindowVisible()) {
        HideMainWindow();
    }
    RunHeldCommands(held);
}

CBrindlexDlg::PasteOutcome CBrindlexDlg::PasteSelectedItem() {
    const HWND hTarget = m_targets.SelectedWindow();
    const CPasteTarget target(hTarget);
    if (hTarget != nullptr) {
        target.BringToFront();
    }
    const CPasteItem* item = m_data.m_library.CurrentItem();
    if (item == nullptr) {
        return PasteOutcome::NoItem;
    }
    const std::u16string text = item->m_strText;
    if (hTarget != nullptr) {
        switch (target.WaitUntilReady()) {
        case PasteTargetState::Ready:
            break;
        case PasteTargetState::NotInFront:
            return PasteOutcome::TargetNotInFront;
        case PasteTargetState::Elevated:
            return PasteOutcome::TargetElevated;
        }
    }
    CWin32KeyOutput output(m_hWnd);
    // With no target chosen the pieces go to the foreground window, often this one, which reads
    // nothing until the paste is over.
    if (IsWindowOfThisThread(hTarget != nullptr ? hTarget : GetForegroundWindow())) {
        output.SetTargetCannotRead();
    }
    return brindlex::PasteText(output, text) == brindlex::PasteResult::Done ? PasteOutcome::Done
                                                                            : PasteOutcome::ClipboardBusy;
}

void CBrindlexDlg::ReportPasteOutcome(PasteOutcome outcome) {
    const UINT style = MB_OK | MB_ICONEXCLAMATION;
    switch (outcome) {
    case PasteOutcome::Done:
        break;
    case PasteOutcome::NoItem:
        ShowMessageBox(m_hWnd, u"Selected any item or add new one.", u"No selected item", MB_ICONEXCLAMATION);
        break;
    case PasteOutcome::TargetNotInFront:
        ShowMessageBox(m_hWnd,
                       u"The target window could not be brought to the front, so nothing was pasted.\r\n"
                       u"It may have been closed: please choose it again.",
                       kProgramName, style);
        break;
    case PasteOutcome::TargetElevated:
        ShowMessageBox(m_hWnd,
                       u"The target window belongs to a program that runs as administrator, so nothing was "
                       u"pasted.\r\nWindows does not let Brindlex type into such a program.",
                       kProgramName, style);
        break;
    case PasteOutcome::ClipboardBusy:
        ShowMessageBox(m_hWnd,
                       u"The clipboard is in use by another program, so the paste was stopped.\r\n"
                       u"Please try again in a moment.",
                       kProgramName, style);
        break;
    }
}

void CBrindlexDlg::RunHeldCommands(const std::vector<brindlex::HeldMessage>& held) {
    for (const brindlex::HeldMessage& m : held) {
        SendMessage(m.message, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam));
    }
}

// ---------------------------------------------------------------------------------------------
// Export

void CBrindlexDlg::OnExport() {
    wchar_t path[MAX_PATH] = L"Brindlex.txt";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = L"Text files (*.txt)\0*.txt\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"txt";
    // No OFN_FILEMUSTEXIST: the first export goes to a file that does not exist yet.
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetSaveFileNameW(&ofn)) {
        ExportText(m_data.m_library, U16(path));
    }
}

// ---------------------------------------------------------------------------------------------
// Tray icon, menus, showing and hiding, always on top, hotkey

LRESULT CBrindlexDlg::OnTrayCallback(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ShowMainWindow();
        break;
    case WM_RBUTTONUP: {
        if (!BuildTrayMenu()) {
            break; // a menu of ours is open: it stays as it is
        }
        POINT pt{};
        GetCursorPos(&pt);
        SetForegroundWindow(m_hWnd);
        m_menuTray.Track(TPM_LEFTALIGN | TPM_BOTTOMALIGN, pt, m_hWnd);
        PostMessage(WM_NULL);
        break;
    }
    default:
        break;
    }
    return 1;
}

bool CBrindlexDlg::BuildTrayMenu() {
    return m_menuTray.Build(brindlex::TrayMenuEntries(IsWindowVisible()));
}

bool CBrindlexDlg::BuildMainMenu() {
    return m_menuMain.Build(brindlex::MainMenuEntries(m_data.m_bAlwaysOnTop));
}

void CBrindlexDlg::OnMenuButton() {
    if (!BuildMainMenu()) {
        return;
    }
    const RECT r = m_btnMenu.GetWindowRect();
    m_menuMain.Track(0, POINT{r.left, r.bottom}, m_hWnd);
}

void CBrindlexDlg::ShowMainWindow() {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetForegroundWindow(m_hWnd);
}

void CBrindlexDlg::HideMainWindow() {
    m_data.SaveSettings(m_hWnd);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void CBrindlexDlg::OnAlwaysOnTopButton() {
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
    if (m_btnAlwaysOnTop.IsToggle()) {
        m_btnAlwaysOnTop.SetToggleState(m_data.m_bAlwaysOnTop);
    }
    SetWindowPos(m_data.m_bAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CBrindlexDlg::ApplyHotkey() {
    UnregisterHotKey(m_hWnd, HOTKEY_SHOW_HIDE);
    if (m_data.m_bHotkey) {
        RegisterHotKey(m_hWnd, HOTKEY_SHOW_HIDE, brindlex::HotkeyModifiers(m_data.m_wHotkeyMod), m_data.m_wHotkeyVK);
    }
}

void CBrindlexDlg::OnHotkey(WPARAM id) {
    if (id != static_cast<WPARAM>(HOTKEY_SHOW_HIDE)) {
        return;
    }
    if (IsWindowVisible()) {
        HideMainWindow();
    } else {
        ShowMainWindow();
    }
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
    m_data.SaveDataFile();
    m_data.SaveSettings(m_hWnd);
    m_trayIcon.Remove();
    m_hIcon.reset();
    PostQuitMessage(0);
}

void CBrindlexDlg::OnQueryEndSession() {
    m_data.SaveSettings(m_hWnd);
}

void CBrindlexDlg::OnEndSession(bool ending) {
    // Windows is really ending the session: this is the last chance to keep the library.
    if (ending && !m_bLibrarySavedAtSessionEnd) {
        m_bLibrarySavedAtSessionEnd = true;
        m_data.SaveDataFile();
        m_data.SaveSettings(m_hWnd);
    }
}

// ---------------------------------------------------------------------------------------------
// Modeless dialogs

void CBrindlexDlg::OnShowSettings() {
    OpenModeless(m_pSettingsDlg, m_hWnd, GetDesktopWindow(), [this] { return std::make_unique<CSettingsDlg>(m_data); });
}

void CBrindlexDlg::OnSettingsClosed() {
    m_pSettingsDlg.reset();
    ApplyDrawEdge();
    ApplyHotkey();
}

void CBrindlexDlg::OnShowAbout() {
    OpenModeless(m_pAboutDlg, m_hWnd, GetDesktopWindow(), [] { return std::make_unique<CAboutDlg>(); });
}

void CBrindlexDlg::OnAboutClosed() {
    m_pAboutDlg.reset();
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
    OpenModeless(m_pFindDlg, m_hWnd, m_hWnd, [this] { return std::make_unique<CFindDlg>(m_data.m_library); });
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
    m_pFindDlg.reset();
    ShowMainWindow(); // brings it to the front as well
    if (paste) {
        OnPaste();
    }
}

void CBrindlexDlg::OnEditItemMessage(CPasteItem* item) {
    // Any program can send this message: only an item of the library (or none, for a new one)
    // is ever looked at.
    if (item != nullptr && !m_data.m_library.Contains(item)) {
        return;
    }
    OpenModeless(m_pEditor, m_hWnd, m_hWnd, [this, item] { return std::make_unique<CPastingDlg>(m_data, item); });
}

void CBrindlexDlg::OnEditorClosed(bool saved, bool isNew) {
    if (!m_pEditor || !m_pEditor->IsWindow()) {
        m_pEditor.reset();
        return;
    }
    if (saved && isNew) {
        std::unique_ptr<CPasteItem> item = m_pEditor->TakeNewItem();
        CLibrary& library = m_data.m_library;
        // The new item goes to the group current at Save; with no group it is discarded.
        if (item && library.CurrentGroup() != nullptr) {
            const int group = library.CurrentGroupIndex();
            library.AddItem(*library.CurrentGroup(), std::move(item));
            library.SelectGroup(group);
            library.SetCurrentItem(library.CurrentItemCount() - 1);
        }
    }
    m_pEditor.reset();
}

void CBrindlexDlg::OnItemReleasing(const CPasteItem& item) {
    if (m_pEditor && m_pEditor->GetItem() == &item) {
        // As by Cancel: the editor goes before its item does.
        m_pEditor.reset();
    }
}

void CBrindlexDlg::ApplyDrawEdge() {
    m_listGroups.SetDrawEdge(m_data.m_bDrawEdge);
    m_listItems.SetDrawEdge(m_data.m_bDrawEdge);
}
