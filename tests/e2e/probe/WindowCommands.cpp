// Finding windows and reading what they show: their texts, rectangles, state and z-order.
#include "tests/e2e/probe/Commands.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace probe {

namespace {

// The main window: a dialog titled "Brindlex" that holds the group list (1008).
HWND MainWindow() {
    auto found = FindTop(L"#32770", L"Brindlex", 1008, false);
    return found.empty() ? nullptr : found.front();
}

} // namespace

std::string MainCmd(const Args& a) {
    return WaitFor(a.timeoutMs, "no main window", [] {
        HWND h = MainWindow();
        return h ? Hwnd(h) : std::string();
    });
}

std::string FindCmd(const Args& a) {
    std::vector<HWND> known;
    for (std::size_t i = 2; i < a.size(); ++i) {
        known.push_back(ParseHwnd(a[i]));
    }
    return WaitFor(a.timeoutMs, "not found", [&] {
        for (HWND h : FindTop(a[0], a[1], 0, true)) {
            if (std::find(known.begin(), known.end(), h) == known.end()) {
                return Hwnd(h);
            }
        }
        return std::string();
    });
}

std::string GoneCmd(const Args& a) {
    return WaitFor(a.timeoutMs, "still there", [&] {
        return FindTop(a[0], a[1], 0, true).empty() ? std::string("gone") : std::string();
    });
}

std::string CountCmd(const Args& a) {
    return Num(static_cast<long long>(FindTop(a[0], a[1], 0, true).size()));
}

std::string ItemCmd(const Args& a) {
    HWND h = GetDlgItem(ParseHwnd(a[0]), static_cast<int>(ParseNum(a[1])));
    if (!h) {
        Fail("no such item");
    }
    return Hwnd(h);
}

std::string ChildCmd(const Args& a) {
    HWND h = FindWindowExW(ParseHwnd(a[0]), nullptr, a[1].c_str(), nullptr);
    if (!h) {
        Fail("no such child");
    }
    return Hwnd(h);
}

std::string DescendantCmd(const Args& a) {
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

std::string TextCmd(const Args& a) {
    return OneLine(TextOf(ParseHwnd(a[0])));
}

std::string SetTextCmd(const Args& a) {
    const std::wstring text = Unescape(a[1]);
    Send(ParseHwnd(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return "ok";
}

std::string ClientRectCmd(const Args& a) {
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

std::string ChildRectCmd(const Args& a) {
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

// overlap HWND [A,B ...]: "none", or the ids of the first two visible controls of the window whose
// rectangles overlap, but for the pairs given (a group box holds others by design and is left out).
std::string OverlapCmd(const Args& a) {
    const auto allowed = [&a](int x, int y) {
        return std::any_of(a.begin() + 1, a.end(), [&](const std::wstring& pair) {
            return pair == std::to_wstring(x) + L"," + std::to_wstring(y) ||
                   pair == std::to_wstring(y) + L"," + std::to_wstring(x);
        });
    };
    std::vector<std::pair<int, RECT>> controls;
    for (HWND child = GetWindow(ParseHwnd(a[0]), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!IsWindowVisible(child) ||
            (lstrcmpiW(cls, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX)) {
            continue;
        }
        RECT r{};
        GetWindowRect(child, &r);
        for (const auto& [id, other] : controls) {
            RECT both{};
            if (IntersectRect(&both, &r, &other) && !allowed(id, GetDlgCtrlID(child))) {
                return Format("%d %d", id, GetDlgCtrlID(child));
            }
        }
        controls.emplace_back(GetDlgCtrlID(child), r);
    }
    return "none";
}

std::string ResizeClientCmd(const Args& a) {
    HWND h = ParseHwnd(a[0]);
    RECT r{0, 0, static_cast<LONG>(ParseNum(a[1])), static_cast<LONG>(ParseNum(a[2]))};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)), GetMenu(h) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE)));
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT c{};
    GetClientRect(h, &c);
    return Format("%ld %ld", c.right, c.bottom);
}

std::string VisibleCmd(const Args& a) {
    return IsWindowVisible(ParseHwnd(a[0])) ? "1" : "0";
}

// redraw HWND: the window, its frame and all its children to be painted again, as when uncovered;
// "painted" waits for it.
std::string RedrawCmd(const Args& a) {
    if (!RedrawWindow(ParseHwnd(a[0]), nullptr, nullptr,
                      RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN)) {
        Fail("cannot redraw");
    }
    return "ok";
}

std::string PaintedCmd(const Args& a) {
    if (!WaitPainted(ParseHwnd(a[0]), a.timeoutMs)) {
        Fail("not painted");
    }
    return "painted";
}

std::string TopmostCmd(const Args& a) {
    return (GetWindowLongW(ParseHwnd(a[0]), GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0";
}

// The caret of the window's thread on the screen, as a popup placed next to it would see it.
std::string CaretCmd(const Args& a) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(ParseHwnd(a[0]), nullptr), &info) ||
        info.hwndCaret == nullptr) {
        throw ProbeFailure("no caret");
    }
    RECT r = info.rcCaret;
    MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return Format("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

// The work area of the monitor the window is on.
std::string WorkAreaCmd(const Args& a) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(ParseHwnd(a[0]), MONITOR_DEFAULTTONEAREST), &info);
    const RECT& r = info.rcWork;
    return Format("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

std::string ForegroundCmd(const Args&) {
    return Hwnd(GetForegroundWindow());
}

std::string ActivateCmd(const Args& a) {
    HWND h = ParseHwnd(a[0]);
    // Raised as a click would raise it: under Wine SetForegroundWindow alone leaves the
    // z-order as it was, and the target list reads that order.
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool asked = SetForegroundWindow(h);
    // Answered once it has been in front for a moment, so that a click sent next lands on it. A
    // window activated just before (a test's previous step) can take the front back when the X
    // server's word of its focus comes in late; then it is asked again. Bounded: a window that
    // does not come forward is the caller's to notice.
    constexpr DWORD kSettledMs = 60;
    const DWORD deadline = GetTickCount() + 2000;
    DWORD inFrontSince = 0;
    bool inFront = false;
    while (asked && static_cast<int>(GetTickCount() - deadline) < 0) {
        if (GetForegroundWindow() != h) {
            if (inFront) {
                SetForegroundWindow(h);
            }
            inFront = false;
        } else if (!inFront) {
            inFront = true;
            inFrontSince = GetTickCount();
        } else if (GetTickCount() - inFrontSince >= kSettledMs) {
            break;
        }
        Sleep(10);
    }
    return asked ? "1" : "0";
}

std::string AboveCmd(const Args& a) {
    const HWND b = ParseHwnd(a[1]);
    HWND h = ParseHwnd(a[0]);
    while (h != nullptr && h != b) {
        h = GetWindow(h, GW_HWNDNEXT);
    }
    return h == b ? "1" : "0";
}

} // namespace probe
