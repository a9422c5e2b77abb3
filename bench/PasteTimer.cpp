// Whole-process paste timer under Wine: presses Brindlex's Paste button (a posted BN_CLICKED, as
// a click sends) and waits until the target edit control holds the expected number of
// characters; prints the time in ms. The edit control is emptied first.
//   PasteTimer.exe MAIN_HWND EDIT_HWND EXPECTED_LENGTH
#include "framework/Win32.h"

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: PasteTimer MAIN_HWND EDIT_HWND EXPECTED_LENGTH\n");
        return 2;
    }
    HWND hMain = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 0)));
    HWND hEdit = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[2], nullptr, 0)));
    const LRESULT expected = std::wcstol(argv[3], nullptr, 0);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 5000, &length);

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PostMessageW(hMain, WM_COMMAND, MAKEWPARAM(1002 /* IDC_PASTE */, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hMain, 1002)));
    for (;;) {
        SendMessageTimeoutW(hEdit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
        QueryPerformanceCounter(&now);
        const double ms =
            1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        if (static_cast<LRESULT>(length) >= expected) {
            std::printf("%.1f\n", ms);
            return 0;
        }
        if (ms > 30000) {
            std::printf("timeout %lu\n", static_cast<unsigned long>(length));
            return 1;
        }
        Sleep(0);
    }
}
