#include "win/dialogs/CModelessDlg.h"

#include "win/framework/CWinApp.h"
#include "win/framework/MessageParams.h"

#include <algorithm>
#include <utility>

namespace brindlex {

CModelessDlg::CModelessDlg(UINT nIDTemplate, ICommandHost& host, CommandKind closed)
    : CDialog(nIDTemplate), m_host(host), m_closed(closed) {
}

void CModelessDlg::AddCommand(UINT id, UINT code, std::function<void()> handler) {
    m_commands.push_back({id, code, std::move(handler)});
}

HWND CModelessDlg::ReportToOwner(const AppCommand& command) const {
    HWND hOwner = m_hWnd != nullptr ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
    if (hOwner == nullptr) {
        CWnd* pMainWnd = AfxGetMainWnd();
        hOwner = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    }
    m_host.OnCommand(command);
    return hOwner;
}

void CModelessDlg::OnCancel() {
    ReportToOwner(m_closed);
}

bool CModelessDlg::RunCommand(WPARAM wParam) {
    const auto command = std::find_if(m_commands.begin(), m_commands.end(), [wParam](const Command& c) {
        return c.id == CommandId(wParam) && c.code == CommandCode(wParam);
    });
    if (command == m_commands.end()) {
        return false;
    }
    // A copy: the handler may report to the owner, which releases this dialog and its table.
    const std::function<void()> handler = command->handler;
    handler();
    return true;
}

LRESULT CModelessDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        const LRESULT result = Default();
        LayoutControls();
        return result;
    }
    if (message == WM_COMMAND && RunCommand(wParam)) {
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

} // namespace brindlex
