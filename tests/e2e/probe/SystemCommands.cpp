// What lies around the program's windows: its process, its tray icon, its GDI and memory use,
// the clipboard, broadcasts and the shell links its installer makes.
#include "tests/e2e/probe/Commands.h"

#include "tests/e2e/probe/GdiCount.h"

#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <cstring>

namespace probe {

std::string PidCmd(const Args& a) {
    return Num(ProcessOf(ParseHwnd(a[0])));
}

std::string WaitExitCmd(const Args& a) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(ParseHwnd(a[0])));
    if (!process) {
        return "exited";
    }
    const DWORD r = WaitForSingleObject(process, a.timeoutMs);
    CloseHandle(process);
    if (r != WAIT_OBJECT_0) {
        Fail("still running");
    }
    return "exited";
}

std::string TerminateCmd(const Args& a) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(ParseHwnd(a[0])));
    if (!process) {
        Fail("cannot open process");
    }
    TerminateProcess(process, 9);
    WaitForSingleObject(process, kTimeout);
    CloseHandle(process);
    return "terminated";
}

namespace {

NOTIFYICONDATAW IconZeroOf(HWND h) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = h;
    data.uID = 0;
    return data;
}

} // namespace

std::string TrayDeleteCmd(const Args& a) {
    NOTIFYICONDATAW data = IconZeroOf(ParseHwnd(a[0]));
    return Shell_NotifyIconW(NIM_DELETE, &data) ? "1" : "0";
}

std::string TrayExistsCmd(const Args& a) {
    NOTIFYICONDATAW data = IconZeroOf(ParseHwnd(a[0]));
    data.uFlags = NIF_TIP;
    lstrcpynW(data.szTip, L"Brindlex", 64);
    return Shell_NotifyIconW(NIM_MODIFY, &data) ? "1" : "0";
}

std::string TrayIconCmd(const Args&) {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) {
        Fail("no taskbar");
    }
    RECT r{};
    GetWindowRect(tray, &r);
    return Format("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

namespace {

// The windows of a process, top-level and child: Wine's GetGuiResources reads 0 for USER objects.
unsigned long WindowsOf(DWORD pid) {
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
                    h, [](HWND, LPARAM l) -> BOOL { return ++reinterpret_cast<Count*>(l)->windows, TRUE; },
                    lp);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

} // namespace

// guires HWND: "GDI USER windows memory-KB" of the window's process. The GDI objects are counted
// in the process's own handle table (checked on this process first), and the windows stand for
// the USER objects.
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
    const unsigned long windows = WindowsOf(pid);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return Format("%ld %lu %lu %lu", gdi, user != 0 ? user : windows, windows,
                  static_cast<unsigned long>(
                      (memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.WorkingSetSize) / 1024));
}

// gditypes HWND: the window's process's GDI objects by kind ("dc N region N bitmap N ..."), to
// tell which kind a step in the count is.
std::string GdiTypesCmd(const Args& a) {
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ProcessOf(ParseHwnd(a[0])));
    if (!process) {
        Fail("cannot open process");
    }
    const std::string kinds = GdiObjectsByType(process);
    CloseHandle(process);
    if (kinds.empty()) {
        Fail("cannot read the GDI handle table");
    }
    return kinds;
}

std::string ClipboardCmd(const Args&) {
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

namespace {

// FNV-1a over the bytes of a clipboard format, with their count: "bytes:hash", "-" when absent.
std::string DigestOf(UINT format) {
    HANDLE data = GetClipboardData(format);
    const auto* p = data != nullptr ? static_cast<const unsigned char*>(GlobalLock(data)) : nullptr;
    if (p == nullptr) {
        return "-";
    }
    const SIZE_T size = GlobalSize(data);
    unsigned long long hash = 1469598103934665603ull;
    for (SIZE_T i = 0; i < size; ++i) {
        hash = (hash ^ p[i]) * 1099511628211ull;
    }
    GlobalUnlock(data);
    return Format("%llu:%016llx", static_cast<unsigned long long>(size), hash);
}

} // namespace

// clipdigest: the text and the DIB on the clipboard, byte for byte, as two digests.
std::string ClipDigestCmd(const Args&) {
    for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
        if (attempt == 50) {
            Fail("clipboard busy");
        }
        Sleep(10);
    }
    const std::string digest = DigestOf(CF_UNICODETEXT) + " " + DigestOf(CF_DIB);
    CloseClipboard();
    return digest;
}

// setclipboard TEXT: puts TEXT and a 7 x 5 picture of 24-bit pixels made from it on the clipboard,
// as a user's copy would; answers their digests as clipdigest gives them.
std::string SetClipboardCmd(const Args& a) {
    const std::wstring text = Unescape(a[0]);
    for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
        if (attempt == 50) {
            Fail("clipboard busy");
        }
        Sleep(10);
    }
    EmptyClipboard();
    const SIZE_T textBytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, textBytes)) {
        std::memcpy(GlobalLock(h), text.c_str(), textBytes);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
    }
    constexpr int kWidth = 7, kHeight = 5, kStride = (kWidth * 3 + 3) / 4 * 4;
    if (HGLOBAL h =
            GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + kStride * kHeight)) {
        auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(h));
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = kWidth;
        header->biHeight = kHeight;
        header->biPlanes = 1;
        header->biBitCount = 24;
        header->biSizeImage = kStride * kHeight;
        auto* pixels = reinterpret_cast<unsigned char*>(header + 1);
        for (int i = 0; i < kStride * kHeight; ++i) {
            pixels[i] = static_cast<unsigned char>(
                text.empty() ? i : text[static_cast<std::size_t>(i) % text.size()] + i);
        }
        GlobalUnlock(h);
        SetClipboardData(CF_DIB, h);
    }
    CloseClipboard();
    return ClipDigestCmd(a);
}

std::string BroadcastCmd(const Args& a) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(a[0].c_str()), 0, 0, SMTO_ABORTIFHUNG,
                        kTimeout, &result);
    return "ok";
}

std::string ShortcutCmd(const Args& a) {
    // COM only for this call: a probe that stays up must not keep a window that others may send to.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IShellLinkW, reinterpret_cast<void**>(&link))) &&
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

} // namespace probe
