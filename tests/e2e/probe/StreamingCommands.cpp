// The commands that block or stream for their whole run: each runs in a process of its own,
// which the test ends by its id or lets run out.
#include "tests/e2e/probe/Commands.h"

#include <cstdio>

namespace probe {

namespace {

void Say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

// keywatch MS: prints each injected key event "VK d|u" for that long. The stream of key events
// itself: under Wine the toggle state of Caps Lock is soon set back to the X server's, so what a
// paste did to it is read from the presses it made.
int KeyWatch(const Args& a) {
    HHOOK hook = SetWindowsHookExW(
        WH_KEYBOARD_LL,
        [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
            const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
            if (code == HC_ACTION && (key->flags & LLKHF_INJECTED)) {
                const bool up = wp == WM_KEYUP || wp == WM_SYSKEYUP;
                Say(Format("%lu %c", key->vkCode, up ? 'u' : 'd').c_str());
            }
            return CallNextHookEx(nullptr, code, wp, lp);
        },
        GetModuleHandleW(nullptr), 0);
    if (!hook) {
        Fail("cannot hook the keyboard");
    }
    Say("watching");
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ParseNum(a[0]));
    while (static_cast<int>(GetTickCount() - deadline) < 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&m);
        }
    }
    UnhookWindowsHookEx(hook);
    return 0;
}

int HoldClipboard(const Args& a) {
    if (!OpenClipboard(nullptr)) {
        Fail("clipboard busy");
    }
    Say("held");
    Sleep(static_cast<DWORD>(ParseNum(a[0])));
    CloseClipboard();
    return 0;
}

int HoldFile(const Args& a) {
    HANDLE file =
        CreateFileW(a[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Fail("cannot open the file");
    }
    Say("held");
    Sleep(static_cast<DWORD>(ParseNum(a[1])));
    CloseHandle(file);
    return 0;
}

} // namespace probe

namespace probe {

// limited EXE ARGS...: runs EXE with the limited token linked to the probe's own, the one an
// administrator's ordinary run gets, and waits for it; its exit code is the probe's. (Wine gives
// every process a full elevated token.)
int RunLimited(const Args& a) {
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own)) {
        Fail("cannot open the probe's token");
    }
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    const BOOL got = GetTokenInformation(own, TokenLinkedToken, &linked, sizeof(linked), &size);
    CloseHandle(own);
    HANDLE primary = nullptr;
    if (!got || !DuplicateTokenEx(linked.LinkedToken, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                                  TokenPrimary, &primary)) {
        Fail("no limited token linked to the probe's");
    }
    CloseHandle(linked.LinkedToken);
    std::wstring command;
    for (const std::wstring& arg : a) {
        command += (command.empty() ? L"\"" + arg + L"\"" : L" " + arg);
    }
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessAsUserW(primary, nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &si, &pi)) {
        Fail("cannot start the program with the limited token");
    }
    CloseHandle(primary);
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

} // namespace probe
