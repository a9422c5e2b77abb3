// Whole-process paste timer under Wine: presses Brindlex's Paste button (a posted BN_CLICKED, as
// a click sends) and prints the time in ms until the paste is over.
//   PasteTimer.exe MAIN_HWND EDIT_HWND EXPECTED_LENGTH
//     into a target edit control (emptied first): until it holds that many characters.
//   PasteTimer.exe MAIN_HWND noread KEYDOWNS
//     into a window of its own that never reads the clipboard (as one without Shift+Insert
//     paste): until it has seen that many key-downs and the main window is back at its queue.
#include "win/framework/Win32.h"

#include <cstdio>
#include <cwchar>

namespace {

constexpr int kPasteId = 1002;      // IDC_PASTE
constexpr int kTargetListId = 1017; // IDC_TARGET_WINDOW
constexpr double kGiveUpMs = 30000;

LARGE_INTEGER g_frequency, g_start;
long g_keyDowns = 0;

double ElapsedMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - g_start.QuadPart) /
           static_cast<double>(g_frequency.QuadPart);
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_KEYDOWN) {
            ++g_keyDowns;
        }
        DispatchMessageW(&msg);
    }
}

void StartPaste(HWND hMain) {
    QueryPerformanceCounter(&g_start);
    PostMessageW(hMain, WM_COMMAND, MAKEWPARAM(kPasteId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hMain, kPasteId)));
}

int IntoEdit(HWND hMain, HWND hEdit, LRESULT expected) {
    Send(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    StartPaste(hMain);
    for (;;) {
        const LRESULT length = Send(hEdit, WM_GETTEXTLENGTH, 0, 0);
        const double ms = ElapsedMs();
        if (length >= expected) {
            std::printf("%.1f\n", ms);
            return 0;
        }
        if (ms > kGiveUpMs) {
            std::printf("timeout %ld\n", static_cast<long>(length));
            return 1;
        }
        Sleep(0);
    }
}

int IntoWindowThatNeverReads(HWND hMain, long expectedKeyDowns) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PasteTimerTarget";
    RegisterClassW(&wc);
    HWND hTarget =
        CreateWindowExW(0, wc.lpszClassName, L"Paste timer target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                        300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    // In front, then the main window: its target list preselects the window that was in front.
    SetWindowPos(hTarget, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hTarget);
    PumpMessages();
    SetWindowPos(hMain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetForegroundWindow(hMain);
    HWND hList = GetDlgItem(hMain, kTargetListId);
    QueryPerformanceCounter(&g_start);
    while (reinterpret_cast<HWND>(Send(hList, CB_GETITEMDATA,
                                       static_cast<WPARAM>(Send(hList, CB_GETCURSEL, 0, 0)), 0)) != hTarget) {
        PumpMessages();
        if (ElapsedMs() > 5000) {
            std::printf("not chosen as the target\n");
            return 1;
        }
        Sleep(10);
    }
    g_keyDowns = 0;
    StartPaste(hMain);
    // Handled by the main window's loop only after the paste: its effect says the paste is over.
    PostMessageW(hList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    for (;;) {
        PumpMessages();
        const bool over = Send(hList, CB_GETCURSEL, 0, 0) == CB_ERR;
        const double ms = ElapsedMs();
        if (over && g_keyDowns >= expectedKeyDowns) {
            std::printf("%.1f\n", ms);
            return 0;
        }
        if (ms > kGiveUpMs) {
            std::printf("timeout %ld\n", g_keyDowns);
            return 1;
        }
        Sleep(0);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: PasteTimer MAIN_HWND (EDIT_HWND EXPECTED_LENGTH | noread KEYDOWNS)\n");
        return 2;
    }
    QueryPerformanceFrequency(&g_frequency);
    HWND hMain = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 0)));
    if (std::wcscmp(argv[2], L"noread") == 0) {
        return IntoWindowThatNeverReads(hMain, std::wcstol(argv[3], nullptr, 0));
    }
    HWND hEdit = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[2], nullptr, 0)));
    return IntoEdit(hMain, hEdit, std::wcstol(argv[3], nullptr, 0));
}
