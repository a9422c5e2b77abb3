// A small helper run inside the test's Wine prefix: it finds windows, reads controls and sends
// messages for the end-to-end tests, where a person's clicks and keys cannot say or see enough.
//
//   probe serve                           one request a line, for a whole test (below)
//   probe [--timeout MS] COMMAND ARGS...  one command: 0 with the answer on stdout, or 3 with the
//                                         reason on stderr
//   probe help                            every command with its arguments
//
// "probe serve" reads one request a line on stdin: an id, the timeout in ms (0 for none), the
// command and its arguments, separated by the unit separator 0x1F, UTF-8. It answers each on one
// line: the id, then "=" and the answer or "!" and why it failed. Starting a Wine process per
// query costs about 100 ms, and now and then Wine does not start one at all.
// The timeout is the longest a command that waits for something may wait for it (a window to
// appear, a process to end); the others take none, so that a caller knows from the request alone
// how long the answer may take. The commands that block or stream for a while (keywatch,
// holdclipboard, holdfile, limited) only run in a process of their own that the test ends by its
// id.
// The tables below name every command with its usage; Commands.h says which file holds each.
#include "tests/e2e/probe/Commands.h"

#include <fcntl.h>
#include <io.h>

#include <cstddef>
#include <cstdio>
#include <span>

namespace probe {
namespace {

// The probe's own failures end with this code; Wine's failure to start a program ends with 1.
constexpr int kProbeFailed = 3;

// Whether a command waits for something, up to the request's --timeout.
enum class Timeout { None, Waits };

// A command that answers in one line, in "probe serve" or in a process of its own.
struct Command {
    const wchar_t* name;
    std::size_t minArgs;
    Timeout timeout;
    std::string (*run)(const Args&);
    const char* usage; // its arguments and what it answers, for "probe help"
};

// A command that blocks or streams for its whole run: one process each, with its exit code.
struct StreamingCommand {
    const wchar_t* name;
    std::size_t minArgs;
    int (*run)(const Args&);
    const char* usage;
};

std::string UntilCmd(const Args& a);

constexpr Timeout N = Timeout::None, W = Timeout::Waits;
constexpr Command kCommands[] = {
    {L"until", 2, W, UntilCmd,
     "until EXPECTED COMMAND ARGS...  asks COMMAND every 20 ms until its answer, escapes undone and "
     "without CRs, is EXPECTED (escaped as settext takes it); fails with the last answer"},
    {L"main", 0, W, MainCmd, "main  the main window"},
    {L"find", 2, W, FindCmd,
     "find CLASS TITLE [HWND...]  the first visible top-level window of that class and title (- for "
     "any) but those"},
    {L"gone", 2, W, GoneCmd,
     "gone CLASS TITLE  \"gone\" once no visible window of that class and title is left"},
    {L"count", 2, N, CountCmd, "count CLASS TITLE  how many visible top-level windows match"},
    {L"item", 2, N, ItemCmd, "item HWND ID  the dialog item"},
    {L"child", 2, N, ChildCmd, "child HWND CLASS  the first child window of that class"},
    {L"descendant", 2, N, DescendantCmd,
     "descendant HWND CLASS  the first window of that class at any depth"},
    {L"text", 1, N, TextCmd, "text HWND  its text"},
    {L"settext", 2, N, SetTextCmd, "settext HWND TEXT  sets its text (\\n \\r \\t escapes)"},
    {L"clientrect", 1, N, ClientRectCmd, "clientrect HWND  the client area in screen coordinates"},
    {L"windowrect", 1, N, WindowRectCmd, "windowrect HWND  the window rectangle in screen coordinates"},
    {L"childrect", 2, N, ChildRectCmd,
     "childrect HWND ID  \"x y width height\" of the control in the parent's client area"},
    {L"overlap", 1, N, OverlapCmd,
     "overlap HWND [A,B ...]  \"none\", or the ids of two visible controls that overlap (but pairs A,B)"},
    {L"resizeclient", 3, N, ResizeClientCmd,
     "resizeclient HWND W H  gives the window a client area of W x H"},
    {L"visible", 1, N, VisibleCmd, "visible HWND  1 while it is visible"},
    {L"redraw", 1, N, RedrawCmd, "redraw HWND  the window, its frame and all its children painted again"},
    {L"painted", 1, W, PaintedCmd, "painted HWND  once nothing of its top-level window is left to paint"},
    {L"topmost", 1, N, TopmostCmd, "topmost HWND  1 while it is always on top"},
    {L"caret", 1, N, CaretCmd, "caret HWND  the caret of the window's thread on the screen"},
    {L"workarea", 1, N, WorkAreaCmd, "workarea HWND  the work area of the monitor the window is on"},
    {L"foreground", 0, N, ForegroundCmd, "foreground  the foreground window"},
    {L"activate", 1, N, ActivateCmd, "activate HWND  brings it to the front; 1 when asked"},
    {L"above", 2, N, AboveCmd, "above A B  1 when window A is above window B in the z-order"},
    {L"send", 4, N, SendCmd, "send HWND MSG WPARAM LPARAM  sends the message; its result"},
    {L"post", 4, N, PostCmd, "post HWND MSG WPARAM LPARAM  posts the message; 1 when posted"},
    {L"dpichanged", 6, N, DpiChangedCmd,
     "dpichanged HWND DPI L T R B  WM_DPICHANGED with that suggested rectangle; its result"},
    {L"click", 2, N, ClickCmd,
     "click HWND ID  a click on the button, posted so that a modal answer cannot block"},
    {L"clickthen", 7, N, ClickThenCmd,
     "clickthen HWND ID DELAY_MS send|notify MSG WPARAM LPARAM  clicks, then delivers the message "
     "DELAY_MS later; its result and the ms it took"},
    {L"longesthold", 2, N, LongestHoldCmd,
     "longesthold HWND MS  for MS ms the longest the window took to answer once, in ms"},
    {L"keydown", 1, N, KeyDownCmd, "keydown VK  1 while the key is down system-wide"},
    {L"keys", 0, N, KeysCmd, "keys VK...  taps the keys with SendInput, the first ones held over the later"},
    {L"typetime", 2, N, TypeTimeCmd,
     "typetime EDIT TEXT  per typed character the ms until its window has painted"},
    {L"hotkeytime", 3, N, HotkeyTimeCmd,
     "hotkeytime CLASS TITLE VK...  taps the keys; the ms until a visible window CLASS TITLE has painted"},
    {L"lbcount", 1, N, LbCountCmd, "lbcount HWND  the list box's row count"},
    {L"lbsel", 1, N, LbSelCmd, "lbsel HWND  the list box's current row"},
    {L"lbrect", 2, N, LbRectCmd, "lbrect HWND INDEX  the row in screen coordinates"},
    {L"lvtext", 3, N, LvTextCmd, "lvtext HWND ROW COLUMN  a list view cell's text"},
    {L"lvcount", 1, N, LvCountCmd, "lvcount HWND  the list view's row count"},
    {L"lvsel", 1, N, LvSelCmd, "lvsel HWND  the list view's selected row, -1 for none"},
    {L"combo", 1, N, ComboCmd, "combo HWND  \"SEL<TAB>DATA TEXT<TAB>DATA TEXT...\" of a combo box"},
    {L"menu", 0, W, MenuCmd, "menu  the open popup menu's entries \"ID CHECKED TEXT<TAB>...\""},
    {L"msgbox", 0, W, MsgBoxCmd, "msgbox  \"HWND<TAB>CAPTION<TAB>TEXT\" of a message box"},
    {L"nomsgbox", 0, N, NoMsgBoxCmd, "nomsgbox  \"none\"; fails while a message box is showing"},
    {L"answer", 1, N, AnswerCmd, "answer ID  presses a button of the message box (IDYES, IDNO, IDOK...)"},
    {L"pid", 1, N, PidCmd, "pid HWND  the id of the window's process"},
    {L"waitexit", 1, W, WaitExitCmd, "waitexit HWND  \"exited\" once the window's process has ended"},
    {L"terminate", 1, N, TerminateCmd, "terminate HWND  ends the window's process at once, as a crash would"},
    {L"traydelete", 1, N, TrayDeleteCmd,
     "traydelete HWND  removes its tray icon 0, as a dying Explorer would"},
    {L"trayexists", 1, N, TrayExistsCmd, "trayexists HWND  1 while the window has its tray icon 0"},
    {L"trayicon", 0, N, TrayIconCmd, "trayicon  the screen rectangle of the taskbar"},
    {L"guires", 1, N, GuiResCmd, "guires HWND  \"GDI USER windows memory-KB\" of the window's process"},
    {L"gditypes", 1, N, GdiTypesCmd,
     "gditypes HWND  the process's GDI objects by kind \"dc N region N ...\""},
    {L"clipboard", 0, N, ClipboardCmd, "clipboard  the clipboard's text"},
    {L"clipdigest", 0, N, ClipDigestCmd, "clipdigest  digests of the text and the DIB on the clipboard"},
    {L"setclipboard", 1, N, SetClipboardCmd,
     "setclipboard TEXT  puts TEXT and a small picture on the clipboard; their digests"},
    {L"broadcast", 1, N, BroadcastCmd, "broadcast NAME  sends a registered message to all top-level windows"},
    {L"shortcut", 1, N, ShortcutCmd, "shortcut LNK  the program a shell link starts"},
};

constexpr StreamingCommand kStreamingCommands[] = {
    {L"keywatch", 1, KeyWatch, "keywatch MS  prints each injected key event \"VK d|u\" for MS ms"},
    {L"holdclipboard", 1, HoldClipboard, "holdclipboard MS  keeps the clipboard open for MS ms"},
    {L"holdfile", 2, HoldFile, "holdfile PATH MS  keeps a file open without sharing for MS ms"},
    {L"limited", 1, RunLimited, "limited EXE ARGS...  runs EXE with the limited token linked to the probe's"},
};

// The entry of that name with enough arguments, or nullptr when the table has none of that name.
template <typename Entry>
const Entry* Lookup(std::span<const Entry> table, const std::wstring& name, const Args& args) {
    for (const Entry& c : table) {
        if (name == c.name) {
            if (args.size() < c.minArgs) {
                Fail("too few arguments");
            }
            return &c;
        }
    }
    return nullptr;
}

std::string Run(const std::wstring& name, const Args& args) {
    if (const Command* c = Lookup<Command>(kCommands, name, args)) {
        if (args.timeoutMs != 0 && c->timeout == Timeout::None) {
            Fail("this command waits for nothing: no --timeout (probe help)");
        }
        return c->run(args);
    }
    Fail("unknown command (probe help lists them)");
}

// A timeout in ms: digits only, so that nothing else passes for one.
DWORD ParseTimeout(const std::wstring& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        Fail("the timeout is a number of ms");
    }
    return static_cast<DWORD>(ParseNum(text));
}

int Help() {
    std::printf("usage: probe serve | probe [--timeout MS] COMMAND ARGS... | probe help\n"
                "Commands (--timeout: how long the ones marked with it may wait, 0 without):\n");
    for (const Command& c : kCommands) {
        std::printf("  %s%s\n", c.timeout == Timeout::Waits ? "[--timeout MS] " : "", c.usage);
    }
    std::printf("In a process of their own only:\n");
    for (const StreamingCommand& c : kStreamingCommands) {
        std::printf("  %s\n", c.usage);
    }
    return 0;
}

// The answer as a script compares what "$(probe ...)" gave: escapes undone, CRs dropped, and no
// line break at the end.
std::wstring AsCompared(const std::string& answer) {
    std::wstring text = Unescape(Wide(answer));
    std::erase(text, L'\r');
    while (!text.empty() && text.back() == L'\n') {
        text.pop_back();
    }
    return text;
}

std::string UntilCmd(const Args& a) {
    const std::wstring expected = Unescape(a[0]);
    const DWORD deadline = GetTickCount() + a.timeoutMs;
    const Args command(a.begin() + 2, a.end()); // asked without a timeout: it answers at once
    std::string last;
    for (;;) {
        try {
            last = Run(a[1], command);
            if (AsCompared(last) == expected) {
                return last;
            }
        } catch (const ProbeFailure& e) {
            last = std::string("(failed: ") + e.what() + ")";
        }
        if (static_cast<int>(GetTickCount() - deadline) >= 0) {
            Fail(("expected '" + Utf8(a[0]) + "', last got '" + last + "'").c_str());
        }
        Sleep(20);
    }
}

Args SplitRequest(const std::string& line) {
    Args fields;
    std::string::size_type begin = 0;
    for (;;) {
        const auto end = line.find('\x1f', begin);
        fields.push_back(
            Wide(line.substr(begin, end == std::string::npos ? std::string::npos : end - begin)));
        if (end == std::string::npos) {
            return fields;
        }
        begin = end + 1;
    }
}

void WriteLine(const std::string& answer) {
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    std::fputc('\n', stdout);
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
        // The request's id comes first and is repeated before the answer; then its timeout.
        std::string answer = Utf8(args.front());
        try {
            if (args.size() < 3) {
                Fail("no command");
            }
            Args commandArgs(args.begin() + 3, args.end());
            commandArgs.timeoutMs = ParseTimeout(args[1]);
            const std::string result = Run(args[2], commandArgs);
            answer += '=';
            answer += result;
        } catch (const ProbeFailure& e) {
            answer += '!';
            answer += e.what();
        }
        WriteLine(answer);
        std::fflush(stdout);
    }
    return 0;
}

int RunOnce(const Args& argv) {
    DWORD timeoutMs = 0;
    std::size_t first = 0;
    if (argv.front() == L"--timeout") {
        if (argv.size() < 3) {
            Fail("usage: probe --timeout MS COMMAND ARGS... (probe help)");
        }
        timeoutMs = ParseTimeout(argv[1]);
        first = 2;
    }
    const std::wstring& name = argv[first];
    Args args(argv.begin() + static_cast<std::ptrdiff_t>(first) + 1, argv.end());
    args.timeoutMs = timeoutMs;
    if (const StreamingCommand* c = Lookup<StreamingCommand>(kStreamingCommands, name, args)) {
        if (timeoutMs != 0) {
            Fail("this command takes its time as an argument: no --timeout (probe help)");
        }
        return c->run(args);
    }
    WriteLine(Run(name, args));
    return 0;
}

} // namespace
} // namespace probe

int wmain(int argc, wchar_t** argv) {
    // No CRs: an answer is exactly one line, whatever reads it.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    try {
        if (argc < 2) {
            probe::Fail("usage: probe serve | probe [--timeout MS] COMMAND ARGS... | probe help");
        }
        if (std::wstring(argv[1]) == L"serve") {
            return probe::Serve();
        }
        if (std::wstring(argv[1]) == L"help") {
            return probe::Help();
        }
        return probe::RunOnce(probe::Args(argv + 1, argv + argc));
    } catch (const probe::ProbeFailure& e) {
        // On stderr, so that a caller which throws the answer away still shows why the call failed.
        std::fprintf(stderr, "probe: %s\n", e.what());
        return probe::kProbeFailed;
    }
}
