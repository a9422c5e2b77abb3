// A small helper run inside the test's Wine prefix: it finds windows, reads controls and sends
// messages for the end-to-end tests, where a person's clicks and keys cannot say or see enough.
//
// "probe serve" stays up for a whole test: it reads one request a line on stdin (an id, the
// command and its arguments, separated by the unit separator 0x1F, UTF-8) and answers each on one
// line: the id, then "=" and the answer or "!" and why it failed. Starting a Wine process per query costs about 100 ms, and now and
// then Wine does not start one at all.
// "probe COMMAND ARGS..." runs one command and exits: 0 with the answer on stdout, or 3 with the
// reason on stderr. The commands that block or stream for a while (keywatch, holdclipboard,
// holdfile) only run this way, in a process of their own that the test ends by its id.
#include "win/framework/Win32.h"

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kTimeout = 5000;

// The probe's own failures end with this code; Wine's failure to start a program ends with 1.
constexpr int kProbeFailed = 3;

using Args = std::vector<std::wstring>;

struct ProbeFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const char* what) {
    throw ProbeFailure(what);
}

HWND ParseHwnd(const std::wstring& s) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(s.c_str(), nullptr, 0)));
}

long long ParseNum(const std::wstring& s) {
    return std::wcstoll(s.c_str(), nullptr, 0);
}

std::string Format(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string Hwnd(HWND h) {
    return Format("0x%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(h)));
}

std::string Num(long long n) {
    return std::to_string(n);
}

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// An answer is one line: line breaks and tabs inside a text are written as the escapes that
// settext reads, so that a tab can separate the values of one answer.
std::string OneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            case L'\t': out += L"\\t"; break;
            case L'\\': out += L"\\\\"; break;
            default: out += c;
        }
    }
    return Utf8(out);
}

std::wstring Unescape(const std::wstring& arg) {
    // \n, \r, \t and \\ let tests pass control characters.
    std::wstring out;
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const wchar_t next = i + 1 < arg.size() ? arg[i + 1] : L'\0';
        if (arg[i] == L'\\' && (next == L'n' || next == L'r' || next == L't' || next == L'\\')) {
            out += next == L'n' ? L'\n' : next == L'r' ? L'\r' : next == L't' ? L'\t' : L'\\';
            ++i;
        } else {
            out += arg[i];
        }
    }
    return out;
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

std::wstring ClassOf(HWND h) {
    wchar_t buffer[256] = {};
    GetClassNameW(h, buffer, 256);
    return buffer;
}

std::wstring TitleOf(HWND h) {
    wchar_t buffer[512] = {};
    GetWindowTextW(h, buffer, 512);
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
    if (!a->title.empty() && a->title != L"-" && a->title != TitleOf(h)) {
        return TRUE;
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

std::string RectScreen(HWND h, RECT r) {
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ClientToScreen(h, &a);
    ClientToScreen(h, &b);
    return Format("%ld %ld %ld %ld", a.x, a.y, b.x, b.y);
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

// Polls until `found` gives an answer or the time is up; then fails with `missing`.
template <typename Found>
std::string WaitFor(long long ms, const char* missing, Found found) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
        if (std::string answer = found(); !answer.empty()) {
            return answer;
        }
        if (static_cast<int>(GetTickCount() - deadline) >= 0) {
            Fail(missing);
        }
        Sleep(20);
    }
}

DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

void PostClick(HWND parent, int id) {
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
}

// ---- Commands. a[0] is the first argument after the command's name.

std::string MainCmd(const Args& a) {  // main [TIMEOUT_MS]: the main window
    return WaitFor(a.empty() ? 0 : ParseNum(a[0]), "no main window",
                   [] { HWND h = MainWindow(); return h ? Hwnd(h) : std::string(); });
}

std::string FindCmd(const Args& a) {  // find CLASS TITLE [TIMEOUT_MS [HWND...]]: first visible match but those
    std::vector<HWND> known;
    for (std::size_t i = 3; i < a.size(); ++i) {
        known.push_back(ParseHwnd(a[i]));
    }
    return WaitFor(a.size() > 2 ? ParseNum(a[2]) : 0, "not found", [&] {
        for (HWND h : FindTop(a[0], a[1], 0, true)) {
            if (std::find(known.begin(), known.end(), h) == known.end()) {
                return Hwnd(h);
            }
        }
        return std::string();
    });
}

std::string GoneCmd(const Args& a) {  // gone CLASS TITLE TIMEOUT_MS: until no visible match is left
    return WaitFor(ParseNum(a[2]), "still there",
                   [&] { return FindTop(a[0], a[1], 0, true).empty() ? std::string("gone") : std::string(); });
}

std::string ItemCmd(const Args& a) {  // item HWND ID
    HWND h = GetDlgItem(ParseHwnd(a[0]), static_cast<int>(ParseNum(a[1])));
    if (!h) {
        Fail("no such item");
    }
    return Hwnd(h);
}

std::string TextCmd(const Args& a) {  // text HWND
    return OneLine(TextOf(ParseHwnd(a[0])));
}

std::string SetTextCmd(const Args& a) {  // settext HWND TEXT (\n \r \t escapes)
    const std::wstring text = Unescape(a[1]);
    Send(ParseHwnd(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return "ok";
}

std::string SendCmd(const Args& a) {  // send HWND MSG WPARAM LPARAM: the answer
    return Num(Send(ParseHwnd(a[0]), static_cast<UINT>(ParseNum(a[1])), static_cast<WPARAM>(ParseNum(a[2])),
                    static_cast<LPARAM>(ParseNum(a[3]))));
}

std::string PostCmd(const Args& a) {  // post HWND MSG WPARAM LPARAM: 1 when posted
    return PostMessageW(ParseHwnd(a[0]), static_cast<UINT>(ParseNum(a[1])), static_cast<WPARAM>(ParseNum(a[2])),
                        static_cast<LPARAM>(ParseNum(a[3])))
               ? "1"
               : "0";
}

std::string ClickCmd(const Args& a) {  // click HWND ID: posted, so that a modal answer cannot block us
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

std::string LbCountCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), LB_GETCOUNT, 0, 0));
}

std::string LbSelCmd(const Args& a) {
    return Num(Send(ParseHwnd(a[0]), LB_GETCURSEL, 0, 0));
}

std::string LbRectCmd(const Args& a) {  // lbrect HWND INDEX: the row in screen coordinates
    HWND h = ParseHwnd(a[0]);
    RECT r{};
    if (Send(h, LB_GETITEMRECT, static_cast<WPARAM>(ParseNum(a[1])), reinterpret_cast<LPARAM>(&r)) == LB_ERR) {
        Fail("no such row");
    }
    return RectScreen(h, r);
}

std::string ClientRectCmd(const Args& a) {  // clientrect HWND: the client area in screen coordinates
    HWND h = ParseHwnd(a[0]);
    RECT r{};
    GetClientRect(h, &r);
    return RectScreen(h, r);
}

std::string WindowRectCmd(const Args& a) {
    RECT r{};
    GetWindowRect(ParseHwnd(a[0]), &r);
    return Format("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

std::string VisibleCmd(const Args& a) {
    return IsWindowVisible(ParseHwnd(a[0])) ? "1" : "0";
}

std::string TopmostCmd(const Args& a) {
    return (GetWindowLongW(ParseHwnd(a[0]), GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0";
}

std::string ForegroundCmd(const Args&) {
    return Hwnd(GetForegroundWindow());
}

std::string ActivateCmd(const Args& a) {  // activate HWND: brings a window to the front
    HWND h = ParseHwnd(a[0]);
    // Raised as a click would raise it: under Wine SetForegroundWindow alone leaves the
    // z-order as it was, and the target list reads that order.
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool asked = SetForegroundWindow(h);
    // Answered once it is in front, so that a click sent next lands on it (bounded: a window
    // that does not come forward is the caller's to notice).
    const DWORD deadline = GetTickCount() + 2000;
    while (asked && GetForegroundWindow() != h && static_cast<int>(GetTickCount() - deadline) < 0) {
        Sleep(10);
    }
    return asked ? "1" : "0";
}

std::string AboveCmd(const Args& a) {  // above A B: 1 when window A is above window B in the z-order
    const HWND b = ParseHwnd(a[1]);
    HWND h = ParseHwnd(a[0]);
    while (h != nullptr && h != b) {
        h = GetWindow(h, GW_HWNDNEXT);
    }
    return h == b ? "1" : "0";
}

std::string ComboCmd(const Args& a) {  // combo HWND: "SEL<TAB>DATA TEXT<TAB>DATA TEXT..."
    HWND h = ParseHwnd(a[0]);
    const LRESULT n = Send(h, CB_GETCOUNT, 0, 0);
    std::string out = Num(Send(h, CB_GETCURSEL, 0, 0));
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT len = Send(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> buffer(static_cast<std::size_t>(len > 0 ? len : 0) + 1);
        Send(h, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        const LRESULT data = Send(h, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        out += Format("\t0x%llx ", static_cast<unsigned long long>(data)) + OneLine(buffer.data());
    }
    return out;
}

std::string MsgBoxCmd(const Args& a) {  // msgbox TIMEOUT_MS: "HWND<TAB>CAPTION<TAB>TEXT" of a message box
    return WaitFor(ParseNum(a[0]), "no message box", [] {
        auto boxes = MessageBoxes();
        if (boxes.empty()) {
            return std::string();
        }
        return Hwnd(boxes.front()) + "\t" + OneLine(TitleOf(boxes.front())) + "\t" +
               OneLine(TextOf(GetDlgItem(boxes.front(), 0xFFFF)));
    });
}

std::string NoMsgBoxCmd(const Args&) {  // nomsgbox: fails while a message box is showing
    if (!MessageBoxes().empty()) {
        Fail("a message box is showing");
    }
    return "none";
}

std::string AnswerCmd(const Args& a) {  // answer ID: presses a button of the message box (IDYES 6, IDNO 7, IDOK 1)
    auto boxes = MessageBoxes();
    if (boxes.empty()) {
        Fail("no message box");
    }
    PostClick(boxes.front(), static_cast<int>(ParseNum(a[0])));
    return "ok";
}

std::string MenuEntries(HWND popup) {  // "ID CHECKED TEXT<TAB>..."
    HMENU menu = reinterpret_cast<HMENU>(Send(popup, MN_GETHMENU, 0, 0));
    std::string out;
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        out += Format("%s%u %d ", i ? "\t" : "", info.wID, (info.fState & MFS_CHECKED) ? 1 : 0);
        out += OneLine((info.fType & MFT_SEPARATOR) ? L"-" : text);
    }
    return out.empty() ? "-" : out;
}

std::string MenuCmd(const Args& a) {  // menu TIMEOUT_MS: the open popup menu's entries
    return WaitFor(ParseNum(a[0]), "no menu", [] {
        auto menus = FindTop(L"#32768", L"-", 0, true);
        return menus.empty() ? std::string() : MenuEntries(menus.front());
    });
}

std::string PidCmd(const Args& a) {
    return Num(ProcessOf(ParseHwnd(a[0])));
}

std::string WaitExitCmd(const Args& a) {  // waitexit HWND TIMEOUT_MS: waits for the window's process to end
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(ParseHwnd(a[0])));
    if (!process) {
        return "exited";
    }
    const DWORD r = WaitForSingleObject(process, static_cast<DWORD>(ParseNum(a[1])));
    CloseHandle(process);
    if (r != WAIT_OBJECT_0) {
        Fail("still running");
    }
    return "exited";
}

std::string KeyDownCmd(const Args& a) {  // keydown VK: 1 when the key is down system-wide
    return (GetAsyncKeyState(static_cast<int>(ParseNum(a[0]))) & 0x8000) ? "1" : "0";
}

std::string KeysCmd(const Args& a) {  // keys VK...: taps keys with SendInput, the first ones held over the later
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

// guires HWND: "GDI USER windows memory-KB" of the window's process. Wine's GetGuiResources reads
// 0: the GDI objects are counted in the process's own handle table instead (checked on this
// process first), and the windows stand for the USER objects.
std::string GuiResCmd(const Args& a) {
    const DWORD pid = ProcessOf(ParseHwnd(a[0]));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        Fail("cannot open process");
    }
    CheckGdiCounting();
    const long gdi = CountGdiObjects(process);
    if (gdi < 0) {
        CloseHandle(process);
        Fail("cannot read the GDI handle table");
    }
    struct Count {
        DWORD pid;
        unsigned long windows;
    } count{pid, 0};
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto* c = reinterpret_cast<Count*>(lp);
            if (ProcessOf(h) == c->pid) {
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
    CloseHandle(process);
    return Format("%ld %lu %lu %lu", gdi, user != 0 ? user : count.windows, count.windows,
                  static_cast<unsigned long>((memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.WorkingSetSize) /
                                             1024));
}

std::string ClipboardCmd(const Args&) {  // clipboard: the clipboard's text
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
    return OneLine(text);
}

std::string BroadcastCmd(const Args& a) {  // broadcast NAME: sends a registered message to all top-level windows
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(a[0].c_str()), 0, 0, SMTO_ABORTIFHUNG, kTimeout,
                        &result);
    return "ok";
}

std::string ChildCmd(const Args& a) {  // child HWND CLASS: the first child window of that class
    HWND h = FindWindowExW(ParseHwnd(a[0]), nullptr, a[1].c_str(), nullptr);
    if (!h) {
        Fail("no such child");
    }
    return Hwnd(h);
}

std::string DescendantCmd(const Args& a) {  // descendant HWND CLASS: the first of that class at any depth
    struct Search {
        std::wstring cls;
        HWND found = nullptr;
    } search{a[1]};
    EnumChildWindows(
        ParseHwnd(a[0]),
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
    return Hwnd(search.found);
}

NOTIFYICONDATAW IconZeroOf(HWND h) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = h;
    data.uID = 0;
    return data;
}

std::string TrayDeleteCmd(const Args& a) {  // traydelete HWND: removes its icon 0, as a dying Explorer would
    NOTIFYICONDATAW data = IconZeroOf(ParseHwnd(a[0]));
    return Shell_NotifyIconW(NIM_DELETE, &data) ? "1" : "0";
}

std::string TrayExistsCmd(const Args& a) {  // trayexists HWND: 1 while the window has its icon 0
    NOTIFYICONDATAW data = IconZeroOf(ParseHwnd(a[0]));
    data.uFlags = NIF_TIP;
    lstrcpynW(data.szTip, L"Brindlex", 64);
    return Shell_NotifyIconW(NIM_MODIFY, &data) ? "1" : "0";
}

std::string TerminateCmd(const Args& a) {  // terminate HWND: ends the window's process at once, as a crash would
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(ParseHwnd(a[0])));
    if (!process) {
        Fail("cannot open process");
    }
    TerminateProcess(process, 9);
    WaitForSingleObject(process, kTimeout);
    CloseHandle(process);
    return "terminated";
}

std::string ResizeClientCmd(const Args& a) {  // resizeclient HWND W H: gives the window a client area of W x H
    HWND h = ParseHwnd(a[0]);
    RECT r{0, 0, static_cast<LONG>(ParseNum(a[1])), static_cast<LONG>(ParseNum(a[2]))};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)), GetMenu(h) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE)));
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT c{};
    GetClientRect(h, &c);
    return Format("%ld %ld", c.right, c.bottom);
}

std::string ChildRectCmd(const Args& a) {  // childrect HWND ID: "x y width height" in the parent's client area
    HWND parent = ParseHwnd(a[0]);
    HWND child = GetDlgItem(parent, static_cast<int>(ParseNum(a[1])));
    if (!child) {
        Fail("no such control");
    }
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return Format("%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::string CountCmd(const Args& a) {  // count CLASS TITLE: how many visible top-level windows match
    return Num(static_cast<long long>(FindTop(a[0], a[1], 0, true).size()));
}

std::string TrayIconCmd(const Args&) {  // trayicon: screen rectangle of the taskbar (Shell_TrayWnd)
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) {
        Fail("no taskbar");
    }
    RECT r{};
    GetWindowRect(tray, &r);
    return Format("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

std::string ShortcutCmd(const Args& a) {  // shortcut LNK: the program a shell link starts
    // COM only for this call: a probe that stays up must not keep a window that others may send to.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                                 reinterpret_cast<void**>(&link))) &&
                      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                      SUCCEEDED(file->Load(a[0].c_str(), STGM_READ));
    const bool found = read && SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) && target[0] != L'\0';
    if (file) {
        file->Release();
    }
    if (link) {
        link->Release();
    }
    CoUninitialize();
    if (!read) {
        Fail("cannot read the shortcut");
    }
    if (!found) {
        Fail("the shortcut has no target");
    }
    return OneLine(target);
}

// ---- list views (Find's results)

std::string LvTextCmd(const Args& a) {  // lvtext HWND ROW COLUMN: a cell's text (read through the list's process)
    HWND h = ParseHwnd(a[0]);
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
    lvi.iSubItem = static_cast<int>(ParseNum(a[2]));
    lvi.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    lvi.cchTextMax = kChars;
    wchar_t text[kChars] = {};
    if (!remote || !WriteProcessMemory(process, remote, &lvi, sizeof lvi, nullptr)) {
        CloseHandle(process);
        Fail("cannot write into the list's process");
    }
    Send(h, LVM_GETITEMTEXTW, static_cast<WPARAM>(ParseNum(a[1])), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return OneLine(text);
}

std::string LvCountCmd(const Args& a) {  // lvcount HWND
    return Num(Send(ParseHwnd(a[0]), LVM_GETITEMCOUNT, 0, 0));
}

std::string LvSelCmd(const Args& a) {  // lvsel HWND: the selected row, -1 for none
    return Num(Send(ParseHwnd(a[0]), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// typetime EDIT TEXT: per typed character, the ms until its window has painted, space-separated.
std::string TypeTimeCmd(const Args& a) {
    HWND edit = ParseHwnd(a[0]);
    HWND dialog = GetAncestor(edit, GA_ROOT);
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    // On screen once nothing of the window is left to paint (the list's rows included).
    const auto painted = [&] {
        bool clean = GetUpdateRect(dialog, nullptr, FALSE) == FALSE;
        for (HWND child = GetWindow(dialog, GW_CHILD); clean && child; child = GetWindow(child, GW_HWNDNEXT)) {
            clean = GetUpdateRect(child, nullptr, FALSE) == FALSE;
        }
        return clean;
    };
    std::string times;
    for (const wchar_t ch : Unescape(a[1])) {
        LARGE_INTEGER start{};
        QueryPerformanceCounter(&start);
        Send(edit, WM_CHAR, ch, 1); // handled at once: the query runs, the list gets its count
        const DWORD deadline = GetTickCount() + 10000;
        while (!painted() && static_cast<int>(GetTickCount() - deadline) < 0) {
            Sleep(1);
        }
        Send(dialog, WM_NULL, 0, 0); // and the painting itself is over
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&end);
        times += Format(times.empty() ? "%.1f" : " %.1f",
                        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    return times;
}

struct Command {
    const wchar_t* name;
    std::size_t minArgs;
    std::string (*run)(const Args&);
};

constexpr Command kCommands[] = {
    {L"main", 0, MainCmd},
    {L"find", 2, FindCmd},
    {L"gone", 3, GoneCmd},
    {L"item", 2, ItemCmd},
    {L"text", 1, TextCmd},
    {L"settext", 2, SetTextCmd},
    {L"send", 4, SendCmd},
    {L"post", 4, PostCmd},
    {L"click", 2, ClickCmd},
    {L"clickthen", 7, ClickThenCmd},
    {L"lbcount", 1, LbCountCmd},
    {L"lbsel", 1, LbSelCmd},
    {L"lbrect", 2, LbRectCmd},
    {L"clientrect", 1, ClientRectCmd},
    {L"windowrect", 1, WindowRectCmd},
    {L"visible", 1, VisibleCmd},
    {L"topmost", 1, TopmostCmd},
    {L"foreground", 0, ForegroundCmd},
    {L"activate", 1, ActivateCmd},
    {L"above", 2, AboveCmd},
    {L"combo", 1, ComboCmd},
    {L"msgbox", 1, MsgBoxCmd},
    {L"nomsgbox", 0, NoMsgBoxCmd},
    {L"answer", 1, AnswerCmd},
    {L"menu", 1, MenuCmd},
    {L"pid", 1, PidCmd},
    {L"waitexit", 2, WaitExitCmd},
    {L"keydown", 1, KeyDownCmd},
    {L"keys", 0, KeysCmd},
    {L"guires", 1, GuiResCmd},
    {L"clipboard", 0, ClipboardCmd},
    {L"broadcast", 1, BroadcastCmd},
    {L"child", 2, ChildCmd},
    {L"descendant", 2, DescendantCmd},
    {L"traydelete", 1, TrayDeleteCmd},
    {L"trayexists", 1, TrayExistsCmd},
    {L"terminate", 1, TerminateCmd},
    {L"resizeclient", 3, ResizeClientCmd},
    {L"childrect", 2, ChildRectCmd},
    {L"count", 2, CountCmd},
    {L"trayicon", 0, TrayIconCmd},
    {L"shortcut", 1, ShortcutCmd},
    {L"lvtext", 3, LvTextCmd},
    {L"lvcount", 1, LvCountCmd},
    {L"lvsel", 1, LvSelCmd},
    {L"typetime", 2, TypeTimeCmd},
};

std::string Run(const std::wstring& name, const Args& args) {
    for (const Command& c : kCommands) {
        if (name == c.name) {
            if (args.size() < c.minArgs) {
                Fail("too few arguments");
            }
            return c.run(args);
        }
    }
    Fail("unknown command (see probe.cpp)");
}

// ---- Commands that stream or block for their whole run: one process each.

void Say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

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

int HoldClipboard(const Args& a) {  // holdclipboard MS: keeps the clipboard open that long
    if (!OpenClipboard(nullptr)) {
        Fail("clipboard busy");
    }
    Say("held");
    Sleep(static_cast<DWORD>(ParseNum(a[0])));
    CloseClipboard();
    return 0;
}

int HoldFile(const Args& a) {  // holdfile PATH MS: keeps a file open without sharing that long
    HANDLE file = CreateFileW(a[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Fail("cannot open the file");
    }
    Say("held");
    Sleep(static_cast<DWORD>(ParseNum(a[1])));
    CloseHandle(file);
    return 0;
}

struct StreamingCommand {
    const wchar_t* name;
    std::size_t minArgs;
    int (*run)(const Args&);
};

constexpr StreamingCommand kStreamingCommands[] = {
    {L"keywatch", 1, KeyWatch},
    {L"holdclipboard", 1, HoldClipboard},
    {L"holdfile", 2, HoldFile},
};

// ---- The two ways to run.

Args SplitRequest(const std::string& line) {
    Args fields;
    std::string::size_type begin = 0;
    for (;;) {
        const auto end = line.find('\x1f', begin);
        fields.push_back(Wide(line.substr(begin, end == std::string::npos ? std::string::npos : end - begin)));
        if (end == std::string::npos) {
            return fields;
        }
        begin = end + 1;
    }
}

// One answer a line, flushed at once: the test reads it while the probe waits for the next.
int Serve() {
    std::string line;
    for (int c; (c = std::getchar()) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        Args args = SplitRequest(line);
        line.clear();
        // The request's id comes first and is repeated before the answer.
        std::string answer = Utf8(args.front());
        try {
            if (args.size() < 2) {
                Fail("no command");
            }
            const std::string result = Run(args[1], Args(args.begin() + 2, args.end()));
            answer += '=';
            answer += result;
        } catch (const ProbeFailure& e) {
            answer += '!';
            answer += e.what();
        }
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
}

int RunOnce(const Args& argv) {
    const std::wstring& name = argv.front();
    const Args args(argv.begin() + 1, argv.end());
    for (const StreamingCommand& c : kStreamingCommands) {
        if (name == c.name) {
            if (args.size() < c.minArgs) {
                Fail("too few arguments");
            }
            return c.run(args);
        }
    }
    const std::string answer = Run(name, args);
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // No CRs: an answer is exactly one line, whatever reads it.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    try {
        if (argc < 2) {
            Fail("usage: probe serve | probe COMMAND ARGS (see probe.cpp)");
        }
        if (std::wstring(argv[1]) == L"serve") {
            return Serve();
        }
        return RunOnce(Args(argv + 1, argv + argc));
    } catch (const ProbeFailure& e) {
        // On stderr, so that a caller which throws the answer away still shows why the call failed.
        std::fprintf(stderr, "probe: %s\n", e.what());
        return kProbeFailed;
    }
}
