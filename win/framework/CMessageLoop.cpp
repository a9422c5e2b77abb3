#include "win/framework/CMessageLoop.h"

#include "win/framework/CWnd.h"
#include "win/framework/Callbacks.h"

#include <algorithm>
#include <vector>

namespace brindlex {

namespace {

std::vector<HWND>& Dialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

// Runs of RunUntil in progress, so that a WM_QUIT seen by an inner one reaches the outer one.
int g_nRunDepth = 0;

} // namespace

void CMessageLoop::AddDialog(HWND hDlg) {
    if (hDlg != nullptr && !IsDialogRegistered(hDlg)) {
        Dialogs().push_back(hDlg);
    }
}

void CMessageLoop::RemoveDialog(HWND hDlg) {
    auto& dialogs = Dialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), hDlg), dialogs.end());
}

bool CMessageLoop::IsDialogRegistered(HWND hDlg) {
    const auto& dialogs = Dialogs();
    return std::find(dialogs.begin(), dialogs.end(), hDlg) != dialogs.end();
}

bool CMessageLoop::PreTranslate(MSG& msg) {
    // From the target up to its top-level window (a popup's GetParent is its owner: stop there).
    HWND hDialog = nullptr;
    for (HWND hWnd = msg.hwnd; hWnd != nullptr;) {
        if (CWnd* pWnd = CWnd::FromHandle(hWnd)) {
            if (pWnd->PreTranslateMessage(&msg)) {
                return true;
            }
        }
        if (hDialog == nullptr && IsDialogRegistered(hWnd)) {
            hDialog = hWnd; // the innermost dialog holding the target
        }
        if ((::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
        hWnd = ::GetParent(hWnd);
    }
    return hDialog != nullptr && ::IsWindow(hDialog) != FALSE && ::IsDialogMessageW(hDialog, &msg) != FALSE;
}

void CMessageLoop::Process(MSG& msg) {
    // Pre-translation runs our handlers outside any window procedure: guarded like one, so that
    // one faulty handler does not end the program's only loop.
    const bool bConsumed = GuardCallback("message pre-translation", false, [&] { return PreTranslate(msg); });
    if (!bConsumed) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool CMessageLoop::RunUntil(const std::function<bool()>& done, WPARAM* pQuitCode) {
    ++g_nRunDepth;
    bool bQuit = false;
    WPARAM quitCode = 0;
    while (!done()) {
        MSG msg{};
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            bQuit = true;
            quitCode = msg.wParam;
            break;
        }
        Process(msg);
    }
    --g_nRunDepth;
    if (bQuit) {
        if (pQuitCode != nullptr) {
            *pQuitCode = quitCode;
        }
        if (g_nRunDepth > 0) {
            ::PostQuitMessage(static_cast<int>(quitCode));
        }
    }
    return !bQuit;
}

int CMessageLoop::Run() {
    WPARAM quitCode = 0;
    RunUntil([] { return false; }, &quitCode);
    return static_cast<int>(quitCode);
}

void CMessageLoop::WaitAnsweringSentMessages(DWORD milliseconds) {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    for (ULONGLONG now = ::GetTickCount64(); now < deadline; now = ::GetTickCount64()) {
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE,
                                          0) == WAIT_OBJECT_0) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE); // delivers them
        }
    }
}

} // namespace brindlex
