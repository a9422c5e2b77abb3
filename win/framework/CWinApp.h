// The application object: a global of a class derived from CWinApp, constructed before the entry
// code runs. wWinMain hands over to AfxWinMain, which calls InitInstance once.
//
//   CBrindlexApp theApp;
//   int WINAPI wWinMain(HINSTANCE h, HINSTANCE, LPWSTR cmd, int show) { return AfxWinMain(h, cmd, show); }
#pragma once

#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

class CWnd;

class CWinApp {
public:
    // Registers this object as the application (there is one).
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The start-up entry. True runs Run() afterwards; false ends the process when it returns
    // (a program that runs its main dialog modally inside returns false).
    virtual bool InitInstance();
    // The application's own message loop, used only when InitInstance returned true.
    virtual int Run();

    // Only remembered: nothing of ours is stored under it.
    void SetRegistryKey(const wchar_t* key) { m_strRegistryKey = key != nullptr ? key : L""; }

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";
    int m_nCmdShow = SW_SHOWNORMAL;
    // The main window while it runs; set by the program.
    CWnd* m_pMainWnd = nullptr;
    std::wstring m_strRegistryKey;
};

// The application object, or nullptr (e.g. in tests).
CWinApp* AfxGetApp();
// The application's main window object, or nullptr.
CWnd* AfxGetMainWnd();
// The module holding the program's resources: the application's, else the executable's.
HINSTANCE AfxGetInstanceHandle();
// The entry: fills the application object and runs InitInstance (and Run if it returned true);
// returns the process exit code. Exceptions end here, reported, with exit code 1.
int AfxWinMain(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow);

} // namespace brindlex
