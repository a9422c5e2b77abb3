// The settings dialog: a modeless window over the settings fields of CData — the data file
// location, the show/hide and quick-paste hotkeys, the clipboard after a paste, auto-start, the
// lists' "Draw edges" look and the two "Hide main window" choices.
//
// A quick-paste key that another program holds is said under its control as soon as it is
// chosen (the main window lets go of its own while the dialog is open, so that the control can
// take the keys and the check sees only other programs).
//
// OK copies the controls into CData, reports SettingsClosed to its host (the main window,
// which releases the dialog and applies the list look and the hotkey) and then writes the
// settings; Cancel only reports. The dialog never ends itself. A data file path that names another
// existing file is first put to the owner of the library, which may ask the user about it.
#pragma once

#include "win/dialogs/CModelessDlg.h"
#include "win/dialogs/IDataFileSwitch.h"

#include <string>

namespace brindlex {

class CData;

class CSettingsDlg : public CModelessDlg {
public:
    CSettingsDlg(CData& data, IDataFileSwitch& dataFiles, ICommandHost& host);
    ~CSettingsDlg() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnRestoreDefault();
    void OnBrowse();
    void SetCheck(int nID, bool bChecked) const;
    bool GetCheck(int nID) const;
    // Shows or hides the line under the quick-paste key: whether that key can be registered now.
    void ShowWhetherQuickPasteKeyIsTaken();

    CData& m_data;
    IDataFileSwitch& m_dataFiles;
    CWnd m_wndHotkey;           // the show/hide hotkey control
    CWnd m_wndQuickPasteHotkey; // the quick-paste one
};

} // namespace brindlex
