#include "win/dialogs/DialogOwner.h"

#include "win/framework/CWinApp.h"
#include "win/framework/CWnd.h"

namespace brindlex {

HWND DialogReportWindow(HWND hDlg) {
    const HWND hOwner = hDlg != nullptr ? ::GetWindow(hDlg, GW_OWNER) : nullptr;
    if (hOwner != nullptr) {
        return hOwner;
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
}

} // namespace brindlex
