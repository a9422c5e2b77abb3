// Whole-process start-up timer under Wine: starts a program, waits until a visible top-level
// window with the given title exists, reports the time in ms, then ends the program (WM_EXIT_APP
// for Brindlex, WM_CLOSE otherwise) and waits for it. Prints one line per run.
//   StartupTimer.exe RUNS TITLE EXE [reselect]
// With "reselect" (Brindlex with at least two groups) each line also holds the time in ms to
// select group 1 and then group 0 again by clicks on the group list, each with the repaint, after
// one unmeasured round of the same.
#include "core/app/CommandIds.h"
#include "win/framework/Win32.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kGroupListId = 1008;
constexpr int kRowHeight = 30;

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

double Now() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A click on a row of the group list, as the list gets it from the mouse, and the repaint it causes.
double SelectRow(HWND main, HWND list, int row) {
    const LPARAM at = MAKELPARAM(20, row * kRowHeight + kRowHeight / 2);
    DWORD_PTR result = 0;
    const double start = Now();
    SendMessageTimeoutW(list, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_ABORTIFHUNG, 20000, &result);
    SendMessageTimeoutW(list, WM_LBUTTONUP, 0, at, SMTO_ABORTIFHUNG, 20000, &result);
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &result);
    return Now() - start;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: StartupTimer RUNS TITLE EXE [reselect]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const bool reselect = argc > 4 && std::wcscmp(argv[4], L"reselect") == 0;
    for (int run = 0; run < runs; ++run) {
        std::wstring command = L"\"" + std::wstring(argv[3]) + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        const double start = Now();
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
        const double ms = Now() - start;
        std::printf("%.1f", search.found != nullptr ? ms : -1.0);
        if (reselect) {
            const HWND list = search.found != nullptr ? GetDlgItem(search.found, kGroupListId) : nullptr;
            if (list != nullptr) {
                // Once unmeasured: the first click also pays for the window's first paint.
                SelectRow(search.found, list, 1);
                SelectRow(search.found, list, 0);
                const double other = SelectRow(search.found, list, 1);
                const double again = SelectRow(search.found, list, 0);
                std::printf(" %.1f %.1f", again, other);
            } else {
                std::printf(" -1 -1");
            }
        }
        std::printf("\n");
        std::fflush(stdout);
        if (search.found != nullptr) {
            PostMessageW(search.found, brindlex::WM_EXIT_APP, 0, 0);
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
