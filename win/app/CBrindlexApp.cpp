#include "win/app/CBrindlexApp.h"

#include "win/app/CBrindlexDlg.h"
#include "win/framework/MessageBox.h"
#include "win/library/AppDataFolder.h"

#include <commctrl.h>

namespace brindlex {

CBrindlexApp theApp;

bool CBrindlexApp::InitInstance() {
    // Libraries loaded by name come from the system folder only, never from beside the program
    // or the current folder, where someone could have planted one.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = 0xFF; // list view .. animate classes; the settings dialog needs the hotkey control
    InitCommonControlsEx(&icc);

    // "RichEdit20W" for the item editor.
    static CModuleHandle richEdit(LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));

    SetRegistryKey(L"Local AppWizard-Generated Applications");

    if (!AppDataBaseExists()) {
        ShowMessageBox(
            nullptr,
            u"Brindlex cannot find your application data folder, where it keeps its settings and library, "
            "and will close.",
            kProgramName, MB_ICONSTOP);
        return false;
    }

    CBrindlexDlg dlg(m_data);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

} // namespace brindlex
