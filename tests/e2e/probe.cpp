// A small helper run inside the test's Wine prefix: it finds windows, reads controls and sends
// messages for the end-to-end tests, where a person's clicks and keys cannot say or see enough.
// Each command prints its answer on stdout and exits 0, or prints an error and exits 1.
#include "win/framework/Win32.h"

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr UINT kTimeout = 5000;

// The probe's own failures end with this code; Wine's failure to start a program ends with 1.
constexpr int kProbeFailed = 3;

[[noreturn]] void Fail(const char* what) {
    // On stderr, so that a caller which throws the answer away still shows why the call failed.
    std::fprintf(stderr, "probe: %s\n", what);
    std::exit(kProbeFailed);
}

HWND ParseHwnd(const wchar_t* s) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(s, nullptr, 0)));
}

long long ParseNum(const wchar_t* s) {
    return std::wcstoll(s, nullptr, 0);
}

void PrintHwnd(HWND h) {
    std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(h)));
}

// A process's live GDI objects: GetGuiResources where it counts, else the used entries of the
// GDI handle table that the process's PEB points to (Wine keeps one per process). -1: unreadable.
struct GdiHandleEntry {  // one entry of that table, as 64-bit Windows and Wine lay it out
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;

long CountGdiObjects(HANDLE process) {
    if (const DWORD n = GetGuiResources(process, GR_GDIOBJECTS); n != 0) {
        return static_cast<long>(n);
    }
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    struct {
        void* reserved1;
        void* pebBaseAddress;
        void* reserved2[2];
        ULONG_PTR uniqueProcessId;
        void* reserved3;
    } basic{};
    if (!query || query(process, 0 /* ProcessBasicInformation */, &basic, sizeof(basic), nullptr) < 0) {
        return -1;
    }
    std::uint64_t table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.pebBaseAddress) + kPebGdiTableOffset, &table,
                           sizeof(table), &got) ||
        table == 0) {
        return -1;
    }
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<std::uintptr_t>(table)), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &got)) {
        return -1;
    }
    long used = 0;
    for (const GdiHandleEntry& e : entries) {
        used += (e.type != 0 && e.object != 0) ? 1 : 0;
    }
    return used;
}

// The count must see objects come and go, or its figures would prove nothing.
void CheckGdiCounting() {
    HANDLE self = GetCurrentProcess();
    const long before = CountGdiObjects(self);
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 8; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 1, 2)));
    }
    const long during = CountGdiObjects(self);
    for (HBRUSH b : brushes) {
        DeleteObject(b);
    }
    const long after = CountGdiObjects(self);
    if (before < 0 || during != before + 8 || after != before) {
        char what[96];
        std::snprintf(what, sizeof what, "GDI counting does not follow objects (%ld, %ld, %ld)", before, during, after);
        Fail(what);
    }
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, kTimeout, &result)) {
        Fail("SendMessageTimeout failed");
    }
    return static_cast<LRESULT>(result);
}

void PrintUtf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::printf("\n");
}

std::wstring FromUtf8(const wchar_t* arg) {
    // Arguments arrive as UTF-16 already; \n and \t escapes let tests pass control characters.
    std::wstring out;
    for (const wchar_t* p = arg; *p; ++p) {
        if (*p == L'\\' && p[1] == L'n') {
            out += L'\n';
            ++p;
        } else if (*p == L'\\' && p[1] == L'r') {
            out += L'\r';
            ++p;
        } else if (*p == L'\\' && p[1] == L't') {
            out += L'\t';
            ++p;
        } else if (*p == L'\\' && p[1] == L'\\') {
            out += L'\\';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::wstring ClassOf(HWND h) {
    wchar_t buffer[256] = {};
    GetClassNameW(h, buffer, 256);
    return buffer;
}

std::wstring TextOf(HWND h) {
    const LRESULT n = Send(h, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(n) + 1);
    Send(h, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data());
}

struct FindArgs {
    std::wstring cls, title;
    int childId = 0;
    bool needVisible = false;
    std::vector<HWND> found;
};

BOOL CALLBACK FindProc(HWND h, LPARAM lp) {
    auto* a = reinterpret_cast<FindArgs*>(lp);
    if (!a->cls.empty() && a->cls != L"-" && ClassOf(h) != a->cls) {
        return TRUE;
    }
    if (!a->title.empty() && a->title != L"-") {
        wchar_t buffer[512] = {};
        GetWindowTextW(h, buffer, 512);
        if (a->title != buffer) {
            return TRUE;
        }
    }
    if (a->childId != 0 && GetDlgItem(h, a->childId) == nullptr) {
        return TRUE;
    }
    if (a->needVisible && !IsWindowVisible(h)) {
        return TRUE;
    }
    a->found.push_back(h);
    return TRUE;
}

std::vector<HWND> FindTop(const std::wstring& cls, const std::wstring& title, int childId, bool visible) {
    FindArgs a{cls, title, childId, visible, {}};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&a));
    return a.found;
}

// The main window: a dialog titled "Brindlex" that holds the group list (1008).
HWND MainWindow() {
    auto found = FindTop(L"#32770", L"Brindlex", 1008, false);
    return found.empty() ? nullptr : found.front();
}

void PrintRectScreen(HWND h, RECT r) {
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ClientToScreen(h, &a);
    ClientToScreen(h, &b);
    std::printf("%ld %ld %ld %ld\n", a.x, a.y, b.x, b.y);
}

// Message boxes: a #32770 with a static text (id 0xFFFF) and without the group list.
std::vector<HWND> MessageBoxes() {
    std::vector<HWND> out;
    for (HWND h : FindTop(L"#32770", L"-", 0, true)) {
        if (GetDlgItem(h, 0xFFFF) != nullptr && GetDlgItem(h, 1008) == nullptr) {
            out.push_back(h);
        }
    }
    return out;
}

[[noreturn]] void Usage() {
    Fail("usage: probe COMMAND ARGS (see probe.cpp)");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        Usage();
    }
    const std::wstring cmd = argv[1];
    auto arg = [&](int i) -> const wchar_t* {
        if (i + 1 >= argc) {
            Usage();
        }
        return argv[i + 1];
    };

    if (cmd == L"main") {  // main: the main window, waiting up to arg ms
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(argc > 2 ? ParseNum(arg(1)) : 0);
        for (;;) {
            if (HWND h = MainWindow()) {
                PrintHwnd(h);
                return 0;
            }
            if (static_cast<int>(GetTickCount() - deadline) >= 0) {
                Fail("no main window");
            }
            Sleep(50);
        }
    }
    if (cmd == L"find") {  // find CLASS TITLE [TIMEOUT_MS [HWND...]]: first visible top-level match, but those HWNDs
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(argc > 4 ? ParseNum(arg(3)) : 0);
        std::vector<HWND> known;
        for (int i = 5; i < argc; ++i) {
            known.push_back(ParseHwnd(argv[i]));
        }
        for (;;) {
            for (HWND h : FindTop(arg(1), arg(2), 0, true)) {
                if (std::find(known.begin(), known.end(), h) == known.end()) {
                    PrintHwnd(h);
                    return 0;
                }
            }
            if (static_cast<int>(GetTickCount() - deadline) >= 0) {
                Fail("not found");
            }
            Sleep(50);
        }
    }
    if (cmd == L"gone") {  // gone CLASS TITLE TIMEOUT_MS: waits until no visible match is left
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(ParseNum(arg(3)));
        while (!FindTop(arg(1), arg(2), 0, true).empty()) {
            if (static_cast<int>(GetTickCount() - deadline) >= 0) {
                Fail("still there");
            }
            Sleep(50);
        }
        std::printf("gone\n");
        return 0;
    }
    if (cmd == L"item") {  // item HWND ID
        HWND h = GetDlgItem(ParseHwnd(arg(1)), static_cast<int>(ParseNum(arg(2))));
        if (!h) {
            Fail("no such item");
        }
        PrintHwnd(h);
        return 0;
    }
    if (cmd == L"text") {  // text HWND
        PrintUtf8(TextOf(ParseHwnd(arg(1))));
        return 0;
    }
    if (cmd == L"settext") {  // settext HWND TEXT (\n \r \t escapes)
        std::wstring text = FromUtf8(arg(2));
        Send(ParseHwnd(arg(1)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        std::printf("ok\n");
        return 0;
    }
    if (cmd == L"send" || cmd == L"post") {  // send|post HWND MSG WPARAM LPARAM
        HWND h = ParseHwnd(arg(1));
        const UINT msg = static_cast<UINT>(ParseNum(arg(2)));
        const WPARAM wp = static_cast<WPARAM>(ParseNum(arg(3)));
        const LPARAM lp = static_cast<LPARAM>(ParseNum(arg(4)));
        if (cmd == L"send") {
            std::printf("%lld\n", static_cast<long long>(Send(h, msg, wp, lp)));
        } else {
            std::printf("%d\n", PostMessageW(h, msg, wp, lp) ? 1 : 0);
        }
        return 0;
    }
    if (cmd == L"click") {  // click HWND ID: posts BN_CLICKED so that a modal answer cannot block us
        HWND parent = ParseHwnd(arg(1));
        const int id = static_cast<int>(ParseNum(arg(2)));
        PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
        std::printf("ok\n");
        return 0;
    }
    if (cmd == L"clickthen") { // clickthen HWND ID DELAY_MS send|notify MSG WPARAM LPARAM
        // Clicks a button (posted, as "click"), then delivers a message DELAY_MS later, while
        // what the click started may still run: "notify" as the shell delivers its tray
        // callbacks (SendNotifyMessage), "send" waiting for the answer. Prints the answer
        // ("-" for notify) and how long the window took to give it, in ms.
        HWND parent = ParseHwnd(arg(1));
        const int id = static_cast<int>(ParseNum(arg(2)));
        const std::wstring mode = arg(4);
        const UINT msg = static_cast<UINT>(ParseNum(arg(5)));
        const WPARAM wp = static_cast<WPARAM>(ParseNum(arg(6)));
        const LPARAM lp = static_cast<LPARAM>(ParseNum(arg(7)));
        PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
        Sleep(static_cast<DWORD>(ParseNum(arg(3))));
        const DWORD start = GetTickCount();
        if (mode == L"notify") {
            if (!SendNotifyMessageW(parent, msg, wp, lp)) {
                Fail("SendNotifyMessage failed");
            }
            std::printf("- 0\n");
        } else {
            const LRESULT result = Send(parent, msg, wp, lp);
            std::printf("%lld %lu\n", static_cast<long long>(result), GetTickCount() - start);
        }
        return 0;
    }
    if (cmd == L"lbcount") {
        std::printf("%lld\n", static_cast<long long>(Send(ParseHwnd(arg(1)), LB_GETCOUNT, 0, 0)));
        return 0;
    }
    if (cmd == L"lbsel") {
        std::printf("%lld\n", static_cast<long long>(Send(ParseHwnd(arg(1)), LB_GETCURSEL, 0, 0)));
        return 0;
    }
    if (cmd == L"lbrect") {  // lbrect HWND INDEX: the row in screen coordinates
        HWND h = ParseHwnd(arg(1));
        RECT r{};
        if (Send(h, LB_GETITEMRECT, static_cast<WPARAM>(ParseNum(arg(2))), reinterpret_cast<LPARAM>(&r)) == LB_ERR) {
            Fail("no such row");
        }
        PrintRectScreen(h, r);
        return 0;
    }
    if (cmd == L"clientrect") {  // clientrect HWND: the client area in screen coordinates
        HWND h = ParseHwnd(arg(1));
        RECT r{};
        GetClientRect(h, &r);
        PrintRectScreen(h, r);
        return 0;
    }
    if (cmd == L"windowrect") {
        RECT r{};
        GetWindowRect(ParseHwnd(arg(1)), &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (cmd == L"visible") {
        std::printf("%d\n", IsWindowVisible(ParseHwnd(arg(1))) ? 1 : 0);
        return 0;
    }
    if (cmd == L"topmost") {
        std::printf("%d\n", (GetWindowLongW(ParseHwnd(arg(1)), GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (cmd == L"foreground") {
        PrintHwnd(GetForegroundWindow());
        return 0;
    }
    if (cmd == L"activate") {  // activate HWND: brings a window to the front
        HWND h = ParseHwnd(arg(1));
        // Raised as a click would raise it: under Wine SetForegroundWindow alone leaves the
        // z-order as it was, and the target list reads that order.
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        std::printf("%d\n", SetForegroundWindow(h) ? 1 : 0);
        return 0;
    }
    if (cmd == L"above") {  // above A B: 1 when window A is above window B in the z-order
        const HWND b = ParseHwnd(arg(2));
        HWND h = ParseHwnd(arg(1));
        while (h != nullptr && h != b) {
            h = GetWindow(h, GW_HWNDNEXT);
        }
        std::printf("%d\n", h == b ? 1 : 0);
        return 0;
    }
    if (cmd == L"combo") {  // combo HWND: selection index, then one entry per line
        HWND h = ParseHwnd(arg(1));
        const LRESULT n = Send(h, CB_GETCOUNT, 0, 0);
        std::printf("%lld\n", static_cast<long long>(Send(h, CB_GETCURSEL, 0, 0)));
        for (LRESULT i = 0; i < n; ++i) {
            const LRESULT len = Send(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
            std::vector<wchar_t> buffer(static_cast<std::size_t>(len > 0 ? len : 0) + 1);
            Send(h, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
            const LRESULT data = Send(h, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
            std::printf("0x%llx ", static_cast<unsigned long long>(data));
            PrintUtf8(buffer.data());
        }
        return 0;
    }
    if (cmd == L"msgbox") {  // msgbox TIMEOUT_MS: caption and text of a message box
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(ParseNum(arg(1)));
        for (;;) {
            auto boxes = MessageBoxes();
            if (!boxes.empty()) {
                wchar_t caption[256] = {};
                GetWindowTextW(boxes.front(), caption, 256);
                PrintHwnd(boxes.front());
                PrintUtf8(caption);
                PrintUtf8(TextOf(GetDlgItem(boxes.front(), 0xFFFF)));
                return 0;
            }
            if (static_cast<int>(GetTickCount() - deadline) >= 0) {
                Fail("no message box");
            }
            Sleep(50);
        }
    }
    if (cmd == L"nomsgbox") {  // nomsgbox: exit 1 if a message box is showing
        if (!MessageBoxes().empty()) {
            Fail("a message box is showing");
        }
        std::printf("none\n");
        return 0;
    }
    if (cmd == L"answer") {  // answer ID: press a button of the message box (IDYES 6, IDNO 7, IDOK 1)
        auto boxes = MessageBoxes();
        if (boxes.empty()) {
            Fail("no message box");
        }
        const int id = static_cast<int>(ParseNum(arg(1)));
        PostMessageW(boxes.front(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(boxes.front(), id)));
        std::printf("ok\n");
        return 0;
    }
    if (cmd == L"menu") {  // menu TIMEOUT_MS: the open popup menu's entries ("id checked text")
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(ParseNum(arg(1)));
        for (;;) {
            auto menus = FindTop(L"#32768", L"-", 0, true);
            if (!menus.empty()) {
                HMENU menu = reinterpret_cast<HMENU>(Send(menus.front(), MN_GETHMENU, 0, 0));
                const int n = GetMenuItemCount(menu);
                for (int i = 0; i < n; ++i) {
                    wchar_t text[256] = {};
                    MENUITEMINFOW info{};
                    info.cbSize = sizeof(info);
                    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
                    info.dwTypeData = text;
                    info.cch = 255;
                    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
                    std::printf("%u %d ", info.wID, (info.fState & MFS_CHECKED) ? 1 : 0);
                    PrintUtf8((info.fType & MFT_SEPARATOR) ? L"-" : text);
                }
                return 0;
            }
            if (static_cast<int>(GetTickCount() - deadline) >= 0) {
                Fail("no menu");
            }
            Sleep(50);
        }
    }
    if (cmd == L"pid") {
        DWORD pid = 0;
        GetWindowThreadProcessId(ParseHwnd(arg(1)), &pid);
        std::printf("%lu\n", pid);
        return 0;
    }
    if (cmd == L"waitexit") {  // waitexit HWND TIMEOUT_MS: waits for the window's process to end
        DWORD pid = 0;
        GetWindowThreadProcessId(ParseHwnd(arg(1)), &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        if (!process) {
            std::printf("exited\n");
            return 0;
        }
        const DWORD r = WaitForSingleObject(process, static_cast<DWORD>(ParseNum(arg(2))));
        CloseHandle(process);
        if (r != WAIT_OBJECT_0) {
            Fail("still running");
        }
        std::printf("exited\n");
        return 0;
    }
    if (cmd == L"keydown") {  // keydown VK: 1 when the key is down system-wide
        std::printf("%d\n", (GetAsyncKeyState(static_cast<int>(ParseNum(arg(1)))) & 0x8000) ? 1 : 0);
        return 0;
    }
    if (cmd == L"keywatch") {  // keywatch MS: prints each injected key event "VK d|u" for that long
        // The stream of key events itself: under Wine the toggle state of Caps Lock is soon set
        // back to the X server's, so what a paste did to it is read from the presses it made.
        HHOOK hook = SetWindowsHookExW(
            WH_KEYBOARD_LL,
            [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
                const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
                if (code == HC_ACTION && (key->flags & LLKHF_INJECTED)) {
                    const bool up = wp == WM_KEYUP || wp == WM_SYSKEYUP;
                    std::printf("%lu %c\n", key->vkCode, up ? 'u' : 'd');
                    std::fflush(stdout);
                }
                return CallNextHookEx(nullptr, code, wp, lp);
            },
            GetModuleHandleW(nullptr), 0);
        if (!hook) {
            Fail("cannot hook the keyboard");
        }
        std::printf("watching\n");
        std::fflush(stdout);
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(ParseNum(arg(1)));
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
    if (cmd == L"keys") {  // keys VK...: taps keys with SendInput (modifiers prefixed with +: held)
        std::vector<INPUT> down, up;
        for (int i = 2; i < argc; ++i) {
            const WORD vk = static_cast<WORD>(ParseNum(argv[i]));
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = vk;
            in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, 0));
            down.push_back(in);
            in.ki.dwFlags = KEYEVENTF_KEYUP;
            up.insert(up.begin(), in);
        }
        down.insert(down.end(), up.begin(), up.end());
        const UINT sent = SendInput(static_cast<UINT>(down.size()), down.data(), sizeof(INPUT));
        std::printf("%u\n", sent);
        return 0;
    }
    if (cmd == L"guires") {  // guires HWND: "GDI USER windows memory-KB" of the window's process
        // Wine's GetGuiResources reads 0: the GDI objects are counted in the process's own handle
        // table instead (checked on this process first), and the windows stand for the USER objects.
        DWORD pid = 0;
        GetWindowThreadProcessId(ParseHwnd(arg(1)), &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        if (!process) {
            Fail("cannot open process");
        }
        CheckGdiCounting();
        const long gdi = CountGdiObjects(process);
        if (gdi < 0) {
            Fail("cannot read the GDI handle table");
        }
        struct Count {
            DWORD pid;
            unsigned long windows;
        } count{pid, 0};
        EnumWindows(
            [](HWND h, LPARAM lp) -> BOOL {
                auto* c = reinterpret_cast<Count*>(lp);
                DWORD owner = 0;
                GetWindowThreadProcessId(h, &owner);
                if (owner == c->pid) {
                    ++c->windows;
                    EnumChildWindows(
                        h, [](HWND, LPARAM l) -> BOOL { return ++reinterpret_cast<Count*>(l)->windows, TRUE; }, lp);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof(memory);
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
        const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
        std::printf("%ld %lu %lu %lu\n", gdi, user != 0 ? user : count.windows, count.windows,
                    static_cast<unsigned long>((memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.WorkingSetSize) / 1024));
        CloseHandle(process);
        return 0;
    }
    if (cmd == L"clipboard") {  // clipboard: the clipboard's text
        if (!OpenClipboard(nullptr)) {
            Fail("clipboard busy");
        }
        std::wstring text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = p;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        PrintUtf8(text);
        return 0;
    }
    if (cmd == L"holdclipboard") {  // holdclipboard MS: keeps the clipboard open that long
        if (!OpenClipboard(nullptr)) {
            Fail("clipboard busy");
        }
        std::printf("held\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(ParseNum(arg(1))));
        CloseClipboard();
        return 0;
    }
    if (cmd == L"broadcast") {  // broadcast NAME: sends a registered message to all top-level windows
        const UINT msg = RegisterWindowMessageW(arg(1));
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, msg, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &result);
        std::printf("ok\n");
        return 0;
    }
    if (cmd == L"child") {  // child HWND CLASS: the first child window of that class
        HWND h = FindWindowExW(ParseHwnd(arg(1)), nullptr, arg(2), nullptr);
        if (!h) {
            Fail("no such child");
        }
        PrintHwnd(h);
        return 0;
    }
    if (cmd == L"descendant") {  // descendant HWND CLASS: the first window of that class at any depth below
        struct Search {
            std::wstring cls;
            HWND found = nullptr;
        } search{arg(2)};
        EnumChildWindows(
            ParseHwnd(arg(1)),
            [](HWND h, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                if (ClassOf(h) == s->cls) {
                    s->found = h;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            Fail("no such descendant");
        }
        PrintHwnd(search.found);
        return 0;
    }
    if (cmd == L"traydelete") {  // traydelete HWND: removes the window's icon 0, as a dying Explorer would
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = ParseHwnd(arg(1));
        data.uID = 0;
        std::printf("%d\n", Shell_NotifyIconW(NIM_DELETE, &data) ? 1 : 0);
        return 0;
    }
    if (cmd == L"trayexists") {  // trayexists HWND: 1 while the window has its icon 0 in the notification area
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = ParseHwnd(arg(1));
        data.uID = 0;
        data.uFlags = NIF_TIP;
        lstrcpynW(data.szTip, L"Brindlex", 64);
        std::printf("%d\n", Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0);
        return 0;
    }
    if (cmd == L"terminate") {  // terminate HWND: ends the window's process at once, as a crash would
        DWORD pid = 0;
        GetWindowThreadProcessId(ParseHwnd(arg(1)), &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) {
            Fail("cannot open process");
        }
        TerminateProcess(process, 9);
        WaitForSingleObject(process, kTimeout);
        CloseHandle(process);
        std::printf("terminated\n");
        return 0;
    }
    if (cmd == L"resizeclient") {  // resizeclient HWND W H: gives the window a client area of W x H
        HWND h = ParseHwnd(arg(1));
        RECT r{0, 0, static_cast<LONG>(ParseNum(arg(2))), static_cast<LONG>(ParseNum(arg(3)))};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)), GetMenu(h) != nullptr,
                           static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE)));
        SetWindowPos(h, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT c{};
        GetClientRect(h, &c);
        std::printf("%ld %ld\n", c.right, c.bottom);
        return 0;
    }
    if (cmd == L"childrect") {  // childrect HWND ID: "x y width height" of a control in its parent's client area
        HWND parent = ParseHwnd(arg(1));
        HWND child = GetDlgItem(parent, static_cast<int>(ParseNum(arg(2))));
        if (!child) {
            Fail("no such control");
        }
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == L"count") {  // count CLASS TITLE: how many visible top-level windows match
        std::printf("%zu\n", FindTop(arg(1), arg(2), 0, true).size());
        return 0;
    }
    if (cmd == L"holdfile") {  // holdfile PATH MS: keeps a file open without sharing that long
        HANDLE file = CreateFileW(arg(1), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Fail("cannot open the file");
        }
        std::printf("held\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(ParseNum(arg(2))));
        CloseHandle(file);
        return 0;
    }
    if (cmd == L"trayicon") {  // trayicon: screen rectangle of the taskbar (Shell_TrayWnd)
        HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
        if (!tray) {
            Fail("no taskbar");
        }
        RECT r{};
        GetWindowRect(tray, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    // ---- list views (Find's results) ----
    if (cmd == L"lvtext") {  // lvtext HWND ROW COLUMN: a cell's text (read through the list's process)
        HWND h = ParseHwnd(arg(1));
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process) {
            Fail("cannot open the list's process");
        }
        constexpr int kChars = 512;
        auto* remote = static_cast<char*>(
            VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
        LVITEMW lvi{};
        lvi.iSubItem = static_cast<int>(ParseNum(arg(3)));
        lvi.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        lvi.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        if (!remote || !WriteProcessMemory(process, remote, &lvi, sizeof lvi, nullptr)) {
            Fail("cannot write into the list's process");
        }
        Send(h, LVM_GETITEMTEXTW, static_cast<WPARAM>(ParseNum(arg(2))), reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        PrintUtf8(text);
        return 0;
    }
    if (cmd == L"lvcount") {  // lvcount HWND
        std::printf("%lld\n", static_cast<long long>(Send(ParseHwnd(arg(1)), LVM_GETITEMCOUNT, 0, 0)));
        return 0;
    }
    if (cmd == L"lvsel") {  // lvsel HWND: the selected row, -1 for none
        std::printf("%lld\n", static_cast<long long>(Send(ParseHwnd(arg(1)), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
        return 0;
    }
    if (cmd == L"typetime") {  // typetime EDIT TEXT: per typed character, ms until its window has painted
        HWND edit = ParseHwnd(arg(1));
        HWND dialog = GetAncestor(edit, GA_ROOT);
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        for (const wchar_t ch : std::wstring(arg(2))) {
            LARGE_INTEGER start{};
            QueryPerformanceCounter(&start);
            Send(edit, WM_CHAR, ch, 1); // handled at once: the query runs, the list gets its count
            // On screen once nothing of the window is left to paint (the list's rows included).
            const auto painted = [&] {
                bool clean = GetUpdateRect(dialog, nullptr, FALSE) == FALSE;
                for (HWND child = GetWindow(dialog, GW_CHILD); clean && child; child = GetWindow(child, GW_HWNDNEXT)) {
                    clean = GetUpdateRect(child, nullptr, FALSE) == FALSE;
                }
                return clean;
            };
            const DWORD deadline = GetTickCount() + 10000;
            while (!painted() && static_cast<int>(GetTickCount() - deadline) < 0) {
                Sleep(1);
            }
            Send(dialog, WM_NULL, 0, 0); // and the painting itself is over
            LARGE_INTEGER end{};
            QueryPerformanceCounter(&end);
            std::printf("%.1f\n", 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
        }
        return 0;
    }
    if (cmd == L"shortcut") {  // shortcut LNK: the program a shell link starts
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IShellLinkW* link = nullptr;
        IPersistFile* file = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link))) ||
            FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) ||
            FAILED(file->Load(arg(1), STGM_READ))) {
            Fail("cannot read the shortcut");
        }
        wchar_t target[MAX_PATH] = {};
        if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) || target[0] == L'\0') {
            Fail("the shortcut has no target");
        }
        PrintUtf8(target);
        file->Release();
        link->Release();
        return 0;
    }
    Usage();
}
