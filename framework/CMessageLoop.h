// The program's one message loop (run by CDialog::DoModal, or CWinApp::Run) and the list of
// dialog windows that get IsDialogMessage in it.
//
// For each queued message: every window object from the target window up through its parents
// (stopping at the top-level window) gets PreTranslateMessage; then each registered dialog gets
// IsDialogMessage; only then TranslateMessage and DispatchMessage.
#pragma once

#include "framework/Win32.h"

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
    // Runs until WM_QUIT; returns its exit code.
    static int Run();
};
