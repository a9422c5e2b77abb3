// The program's one message loop (run by CDialog::DoModal, or CWinApp::Run) and the list of
// dialog windows that get IsDialogMessage in it.
//
// For each queued message: every window object from the target window up through its parents
// (stopping at the top-level window) gets PreTranslateMessage; then each registered dialog gets
// IsDialogMessage; only then TranslateMessage and DispatchMessage.
#pragma once

#include "win/framework/Win32.h"

#include <functional>

namespace brindlex {

class CMessageLoop {
public:
    CMessageLoop() = delete;

    // Dialog windows register while they exist (CDialog does this itself).
    static void AddDialog(HWND hDlg);
    static void RemoveDialog(HWND hDlg);
    static bool IsDialogRegistered(HWND hDlg);

    // Pre-translation only (PreTranslateMessage walk, then IsDialogMessage). True = consumed.
    static bool PreTranslate(MSG& msg);
    // Pre-translation, else TranslateMessage and DispatchMessage.
    static void Process(MSG& msg);
    // Runs until done() holds after a message (checked before each wait, too) or WM_QUIT comes;
    // false for WM_QUIT, whose exit code goes to pQuitCode and which is posted again when an
    // enclosing run is waiting for it.
    static bool RunUntil(const std::function<bool()>& done, WPARAM* pQuitCode = nullptr);
    // Runs until WM_QUIT; returns its exit code.
    static int Run();
    // Waits that long without running the loop, but answers the messages other threads send to
    // this thread's windows meanwhile (a sleeping thread would keep each of those senders waiting).
    static void WaitAnsweringSentMessages(DWORD milliseconds);
};

} // namespace brindlex
