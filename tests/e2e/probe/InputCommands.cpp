// What a test does to the program: messages, clicks, keys and typing.
#include "tests/e2e/probe/Commands.h"

#include <algorithm>

namespace probe {

std::string SendCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), static_cast<UINT>(ParseNum(a[1])), static_cast<WPARAM>(ParseNum(a[2])),
                    static_cast<LPARAM>(ParseNum(a[3]))));
}

std::string PostCmd(const Args& a) {
    return PostMessageW(ParseHwnd(a[0]), static_cast<UINT>(ParseNum(a[1])),
                        static_cast<WPARAM>(ParseNum(a[2])), static_cast<LPARAM>(ParseNum(a[3])))
               ? "1"
               : "0";
}

// dpichanged HWND DPI LEFT TOP RIGHT BOTTOM: WM_DPICHANGED as the system sends it when the window
// moves to a screen of that DPI, with the suggested rectangle written into the window's process
// (the message carries a pointer, which no other process could read). Answers the result.
std::string DpiChangedCmd(const Args& a) {
    const HWND h = ParseHwnd(a[0]);
    DWORD processId = 0;
    GetWindowThreadProcessId(h, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        throw ProbeFailure("cannot open the window's process");
    }
    const RECT suggested{static_cast<LONG>(ParseNum(a[2])), static_cast<LONG>(ParseNum(a[3])),
                         static_cast<LONG>(ParseNum(a[4])), static_cast<LONG>(ParseNum(a[5]))};
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written = remote != nullptr && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    const int dpi = static_cast<int>(ParseNum(a[1]));
    const LRESULT result = written ? Send(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote)) : -1;
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    if (!written) {
        throw ProbeFailure("cannot write the rectangle into the window's process");
    }
    return Num(result);
}

std::string ClickCmd(const Args& a) {
    PostClick(ParseHwnd(a[0]), static_cast<int>(ParseNum(a[1])));
    return "ok";
}

// clickthen HWND ID DELAY_MS send|notify MSG WPARAM LPARAM: clicks a button (posted, as "click"),
// then delivers a message DELAY_MS later, while what the click started may still run: "notify"
// as the shell delivers its tray callbacks (SendNotifyMessage), "send" waiting for the answer.
// Answers the result ("-" for notify) and how long the window took to give it, in ms.
std::string ClickThenCmd(const Args& a) {
    HWND parent = ParseHwnd(a[0]);
    const UINT msg = static_cast<UINT>(ParseNum(a[4]));
    const WPARAM wp = static_cast<WPARAM>(ParseNum(a[5]));
    const LPARAM lp = static_cast<LPARAM>(ParseNum(a[6]));
    PostClick(parent, static_cast<int>(ParseNum(a[1])));
    Sleep(static_cast<DWORD>(ParseNum(a[2])));
    if (a[3] == L"notify") {
        if (!SendNotifyMessageW(parent, msg, wp, lp)) {
            Fail("SendNotifyMessage failed");
        }
        return "- 0";
    }
    const DWORD start = GetTickCount();
    const LRESULT result = Send(parent, msg, wp, lp);
    return Format("%lld %lu", static_cast<long long>(result), GetTickCount() - start);
}

// longesthold HWND MS: for MS milliseconds asks the window again and again for an answer (WM_NULL)
// and gives the longest it took to answer once, in ms: how long its thread was held at most.
std::string LongestHoldCmd(const Args& a) {
    const HWND window = ParseHwnd(a[0]);
    LARGE_INTEGER frequency{}, end{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    end.QuadPart = now.QuadPart + frequency.QuadPart * ParseNum(a[1]) / 1000;
    double longest = 0;
    while (now.QuadPart < end.QuadPart) {
        LARGE_INTEGER before{};
        QueryPerformanceCounter(&before);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 60000, &result)) {
            Fail("the window did not answer");
        }
        QueryPerformanceCounter(&now);
        longest = std::max(longest, 1000.0 * static_cast<double>(now.QuadPart - before.QuadPart) /
                                        static_cast<double>(frequency.QuadPart));
    }
    return Format("%.1f", longest);
}

std::string KeyDownCmd(const Args& a) {
    return (GetAsyncKeyState(static_cast<int>(ParseNum(a[0]))) & 0x8000) ? "1" : "0";
}

std::string KeysCmd(const Args& a) {
    std::vector<INPUT> down, up;
    for (const std::wstring& key : a) {
        const WORD vk = static_cast<WORD>(ParseNum(key));
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, 0));
        down.push_back(in);
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        up.insert(up.begin(), in);
    }
    down.insert(down.end(), up.begin(), up.end());
    return Num(SendInput(static_cast<UINT>(down.size()), down.data(), sizeof(INPUT)));
}

// hotkeytime CLASS TITLE VK...: taps the keys as "keys" does and answers the ms until a visible
// window CLASS TITLE has painted whole (a popup that a hotkey opens).
std::string HotkeyTimeCmd(const Args& a) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    KeysCmd(Args(a.begin() + 2, a.end()));
    const DWORD deadline = GetTickCount() + 10000;
    HWND window = nullptr;
    while (window == nullptr || !IsWindowVisible(window)) {
        if (static_cast<int>(GetTickCount() - deadline) >= 0) {
            Fail("no window shown");
        }
        Sleep(1);
        window = FindWindowW(a[0].c_str(), a[1].c_str());
    }
    WaitPainted(window, 10000);
    QueryPerformanceCounter(&end);
    return Format("%.1f", 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
}

// typetime EDIT TEXT: per typed character, the ms until its window has painted, space-separated.
std::string TypeTimeCmd(const Args& a) {
    HWND edit = ParseHwnd(a[0]);
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::string times;
    for (const wchar_t ch : Unescape(a[1])) {
        LARGE_INTEGER start{};
        QueryPerformanceCounter(&start);
        Send(edit, WM_CHAR, ch, 1); // handled at once: the query runs, the list gets its count
        WaitPainted(edit, 10000);   // the list's rows included
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&end);
        times += Format(times.empty() ? "%.1f" : " %.1f",
                        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
    }
    return times;
}

} // namespace probe
