#include "win/dialogs/CSettingsDlg.h"

#include "core/app/CTargetListModel.h"
#include "win/framework/WideString.h"
#include "win/library/AppDataFolder.h"
#include "core/library/CData.h"
#include "win/library/CSettingsFile.h"
#include "res/resource.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include <vector>

namespace brindlex {

CSettingsDlg::CSettingsDlg(CData& data, IDataFileSwitch& dataFiles, ICommandHost& host)
    : CModelessDlg(IDD_SETTINGS, host, CommandKind::SettingsClosed), m_data(data), m_dataFiles(dataFiles) {
    AddCommand(IDC_RESTORE_DEFAULT, BN_CLICKED, [this] { OnRestoreDefault(); });
    AddCommand(IDC_BROWSE, BN_CLICKED, [this] { OnBrowse(); });
    AddCommand(IDC_QUICK_PASTE_HOTKEY, EN_CHANGE, [this] { ShowWhetherQuickPasteKeyIsTaken(); });
    AddCommand(IDC_USE_QUICK_PASTE, BN_CLICKED, [this] { ShowWhetherQuickPasteKeyIsTaken(); });
}

CSettingsDlg::~CSettingsDlg() {
    ReleaseWindow();
}

void CSettingsDlg::SetCheck(int nID, bool bChecked) const {
    SendDlgItemMessage(nID, BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

bool CSettingsDlg::GetCheck(int nID) const {
    return SendDlgItemMessage(nID, BM_GETCHECK) == BST_CHECKED;
}

bool CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndHotkey.SubclassDlgItem(IDC_HOTKEY, this);
    m_wndQuickPasteHotkey.SubclassDlgItem(IDC_QUICK_PASTE_HOTKEY, this);

    SetDlgItemText(IDC_DATA_FILE, m_data.m_strDataFile);
    SetCheck(IDC_AUTOSTART, m_data.m_bAutoStart);
    SetCheck(IDC_USE_HOTKEY, m_data.m_bHotkey);
    SetCheck(IDC_DRAW_EDGES, m_data.m_bDrawEdge);
    SetCheck(IDC_HIDE_AFTER_PASTE, m_data.m_bHideAfterPaste);
    SetCheck(IDC_HIDE_ON_STARTUP, m_data.m_bHideOnStartup);
    SetCheck(IDC_USE_QUICK_PASTE, m_data.m_bQuickPaste);
    SetCheck(IDC_RESTORE_CLIPBOARD, m_data.m_bRestoreClipboard);
    // Virtual key in the low byte, HOTKEYF_* modifiers in the high byte. The control stays usable
    // with the hotkey switched off: its key is kept for when it is switched on.
    m_wndHotkey.SendMessage(HKM_SETHOTKEY, MAKEWORD(LOBYTE(m_data.m_wHotkeyVK), LOBYTE(m_data.m_wHotkeyMod)));
    m_wndQuickPasteHotkey.SendMessage(
        HKM_SETHOTKEY, MAKEWORD(LOBYTE(m_data.m_wQuickPasteVK), LOBYTE(m_data.m_wQuickPasteMod)));
    ShowWhetherQuickPasteKeyIsTaken();
    return true;
}

void CSettingsDlg::ShowWhetherQuickPasteKeyIsTaken() {
    const auto hotkey = static_cast<WORD>(m_wndQuickPasteHotkey.SendMessage(HKM_GETHOTKEY));
    bool taken = false;
    if (GetCheck(IDC_USE_QUICK_PASTE) && LOBYTE(hotkey) != 0) {
        // Registering it is the one way to learn whether it is free; it is let go at once.
        constexpr int kTrialId = 0xBFFF;
        taken = !::RegisterHotKey(m_hWnd, kTrialId, HotkeyModifiers(HIBYTE(hotkey)), LOBYTE(hotkey));
        if (!taken) {
            ::UnregisterHotKey(m_hWnd, kTrialId);
        }
    }
    ::ShowWindow(GetDlgItem(IDC_QUICK_PASTE_TAKEN), taken ? SW_SHOWNA : SW_HIDE);
}

// Only the field changes; OK stores it.
void CSettingsDlg::OnRestoreDefault() {
    SetDlgItemText(IDC_DATA_FILE, GetDefaultDataFilePath());
}

void CSettingsDlg::OnBrowse() {
    std::vector<wchar_t> file(32768, L'\0');
    const std::u16string initial = u"Brindlex.dat";
    std::copy(initial.begin(), initial.end(), file.begin());
    // The data file may be one that does not exist yet (it is written at exit), so the file need
    // not exist. The dialog itself owns the file dialog: it stays disabled meanwhile and so cannot
    // be closed (and released) under it.
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = L"Brindlex data files (*.dat)\0*.dat\0";
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = L"dat";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (::GetSaveFileNameW(&ofn) != FALSE) {
        SetDlgItemText(IDC_DATA_FILE, U16(file.data()));
    }
}

void CSettingsDlg::OnOK() {
    const std::u16string dataFile = GetDlgItemText(IDC_DATA_FILE);
    // Before anything changes: a file there may hold a library of its own.
    if (!m_dataFiles.SwitchDataFile(m_hWnd, dataFile)) {
        SetDlgItemText(IDC_DATA_FILE, m_data.m_strDataFile);
        return;
    }
    CData& data = m_data;
    data.m_strDataFile = dataFile; // as typed: it is not checked
    data.m_bAutoStart = GetCheck(IDC_AUTOSTART);
    data.m_bHotkey = GetCheck(IDC_USE_HOTKEY);
    const auto hotkey = static_cast<WORD>(m_wndHotkey.SendMessage(HKM_GETHOTKEY));
    data.m_wHotkeyVK = LOBYTE(hotkey);
    data.m_wHotkeyMod = HIBYTE(hotkey);
    data.m_bDrawEdge = GetCheck(IDC_DRAW_EDGES);
    data.m_bHideAfterPaste = GetCheck(IDC_HIDE_AFTER_PASTE);
    data.m_bHideOnStartup = GetCheck(IDC_HIDE_ON_STARTUP);
    data.m_bQuickPaste = GetCheck(IDC_USE_QUICK_PASTE);
    const auto quickPaste = static_cast<WORD>(m_wndQuickPasteHotkey.SendMessage(HKM_GETHOTKEY));
    data.m_wQuickPasteVK = LOBYTE(quickPaste);
    data.m_wQuickPasteMod = HIBYTE(quickPaste);
    data.m_bRestoreClipboard = GetCheck(IDC_RESTORE_CLIPBOARD);
    // The owner releases this dialog while handling the report; only locals are used after it.
    const HWND hOwner = ReportToOwner(CommandKind::SettingsClosed);
    CSettingsFile::Save(data, hOwner);
}

} // namespace brindlex
