#include "tests/e2e/probe/ProbeSupport.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <utility>

namespace probe {

void Fail(const char* what) {
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
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

namespace {

// The characters that travel escaped in requests and answers, each with its letter after "\".
constexpr std::pair<wchar_t, wchar_t> kEscapes[] = {
    {L'\n', L'n'}, {L'\r', L'r'}, {L'\t', L't'}, {L'\\', L'\\'}};

template <typename Match> const std::pair<wchar_t, wchar_t>* FindEscape(Match match) {
    const auto* e = std::find_if(std::begin(kEscapes), std::end(kEscapes), match);
    return e == std::end(kEscapes) ? nullptr : e;
}

} // namespace

// Escaped as settext reads them, so that a tab can separate the values of one answer.
std::string OneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (const auto* e = FindEscape([c](const auto& x) { return x.first == c; })) {
            out += L'\\';
            out += e->second;
        } else {
            out += c;
        }
    }
    return Utf8(out);
}

std::wstring Unescape(const std::wstring& arg) {
    std::wstring out;
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const wchar_t next = i + 1 < arg.size() ? arg[i + 1] : L'\0';
        const auto* e = FindEscape([next](const auto& x) { return x.second == next; });
        if (arg[i] == L'\\' && e) {
            out += e->first;
            ++i;
        } else {
            out += arg[i];
        }
    }
    return out;
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

DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

void PostClick(HWND parent, int id) {
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
}

std::string RectScreen(HWND h, RECT r) {
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ClientToScreen(h, &a);
    ClientToScreen(h, &b);
    return Format("%ld %ld %ld %ld", a.x, a.y, b.x, b.y);
}

bool WaitPainted(HWND h, DWORD ms) {
    HWND root = GetAncestor(h, GA_ROOT);
    const auto painted = [&] {
        bool clean = GetUpdateRect(root, nullptr, FALSE) == FALSE;
        for (HWND child = GetWindow(root, GW_CHILD); clean && child; child = GetWindow(child, GW_HWNDNEXT)) {
            clean = GetUpdateRect(child, nullptr, FALSE) == FALSE;
        }
        return clean;
    };
    const DWORD deadline = GetTickCount() + ms;
    bool clean = painted();
    while (!clean && static_cast<int>(GetTickCount() - deadline) < 0) {
        Sleep(1);
        clean = painted();
    }
    Send(root, WM_NULL, 0, 0); // a WM_PAINT being handled is over once the window answers
    return clean;
}

namespace {

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

} // namespace

std::vector<HWND> FindTop(const std::wstring& cls, const std::wstring& title, int childId, bool visible) {
    FindArgs a{cls, title, childId, visible, {}};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&a));
    return a.found;
}

} // namespace probe
