// What every command of the probe is made of: its arguments, its failure, its one-line answer,
// and the few window calls they all use.
#pragma once

#include "win/framework/Win32.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace probe {

// Every message the probe sends gives up after this long (ms).
constexpr UINT kTimeout = 5000;

// A command's arguments (a[0] is the first after its name) and, for a command that waits for
// something, how long it may wait: the request's --timeout, 0 (look once) without one.
struct Args : std::vector<std::wstring> {
    using std::vector<std::wstring>::vector;
    DWORD timeoutMs = 0;
};

struct ProbeFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const char* what);

HWND ParseHwnd(const std::wstring& s);
long long ParseNum(const std::wstring& s);

std::string Format(const char* format, ...);
std::string Hwnd(HWND h);
std::string Num(long long n);
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);
// An answer is one line: line breaks, tabs and backslashes inside a text come escaped.
std::string OneLine(const std::wstring& text);
// The same escapes read back, so that tests can pass control characters.
std::wstring Unescape(const std::wstring& arg);

// SendMessageTimeout that fails the command when the window does not answer.
LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp);
std::wstring ClassOf(HWND h);
std::wstring TitleOf(HWND h);
std::wstring TextOf(HWND h);
DWORD ProcessOf(HWND h);
// Posted, as a click sends it, so that a modal window it opens cannot block the probe.
void PostClick(HWND parent, int id);
// A client rectangle of h as "left top right bottom" in screen coordinates.
std::string RectScreen(HWND h, RECT r);

// Waits (ms at most) until nothing of the top-level window of h is left to paint, its children
// included, and then until its painting is over; false if it was still not painted.
bool WaitPainted(HWND h, DWORD ms);

// The top-level windows of that class and title ("-" or empty: any), holding child childId
// (0: any), visible ones only if asked.
std::vector<HWND> FindTop(const std::wstring& cls, const std::wstring& title, int childId, bool visible);

// Polls until `found` gives an answer or the time is up; then fails with `missing`.
template <typename Found> std::string WaitFor(long long ms, const char* missing, Found found) {
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

} // namespace probe
