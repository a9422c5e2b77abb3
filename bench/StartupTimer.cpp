// Whole-process start-up timer under Wine: starts a program, waits until a visible top-level
// window with the given title exists, reports the time in ms, then ends the program (WM_EXIT_APP
// for Brindlex, WM_CLOSE otherwise) and waits for it. Prints one line per run.
//   StartupTimer.exe RUNS TITLE EXE
#include "framework/Win32.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
    const wchar_t* title;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindProc(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t title[256] = {};
    GetWindowTextW(h, title, 256);
    if (pid == s->pid && IsWindowVisible(h) && std::wcscmp(title, s->title) == 0) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: StartupTimer RUNS TITLE EXE\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; ++run) {
        std::wstring command = L"\"" + std::wstring(argv[3]) + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::printf("error: cannot start\n");
            return 1;
        }
        Search search{argv[2], pi.dwProcessId, nullptr};
        for (int i = 0; i < 60000 && search.found == nullptr; ++i) {
            EnumWindows(FindProc, reinterpret_cast<LPARAM>(&search));
            if (search.found == nullptr) {
                Sleep(1);
            }
        }
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        std::printf("%.1f\n", search.found != nullptr ? ms : -1.0);
        std::fflush(stdout);
        if (search.found != nullptr) {
            PostMessageW(search.found, 0x464 /* WM_EXIT_APP */, 0, 0);
            PostMessageW(search.found, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 1);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    return 0;
}
