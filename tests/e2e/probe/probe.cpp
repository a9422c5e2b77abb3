// A small helper run inside the test's Wine prefix: it finds windows, reads controls and sends
// messages for the end-to-end tests, where a person's clicks and keys cannot say or see enough.
//
// "probe serve" stays up for a whole test: it reads one request a line on stdin (an id, the
// command and its arguments, separated by the unit separator 0x1F, UTF-8) and answers each on one
// line: the id, then "=" and the answer or "!" and why it failed. Starting a Wine process per
// query costs about 100 ms, and now and then Wine does not start one at all.
// "probe COMMAND ARGS..." runs one command and exits: 0 with the answer on stdout, or 3 with the
// reason on stderr. The commands that block or stream for a while (keywatch, holdclipboard,
// holdfile) only run this way, in a process of their own that the test ends by its id.
// "until EXPECTED MS COMMAND ARGS..." asks COMMAND every 20 ms until its answer, escapes undone and
// without CRs, is EXPECTED (escaped as settext takes it): one request where the script would ask
// again and again, and a change is seen at once instead of at the script's next turn.
// The tables below name every command; Commands.h says which file holds each.
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

// A command that answers at once, in "probe serve" or in a process of its own.
struct Command {
    const wchar_t* name;
    std::size_t minArgs;
    std::string (*run)(const Args&);
};

// A command that blocks or streams for its whole run: one process each, with its exit code.
struct StreamingCommand {
    const wchar_t* name;
    std::size_t minArgs;
    int (*run)(const Args&);
};

std::string UntilCmd(const Args& a);

constexpr Command kCommands[] = {
    {L"until", 3, UntilCmd},
    {L"main", 0, MainCmd},
    {L"find", 2, FindCmd},
    {L"gone", 3, GoneCmd},
    {L"count", 2, CountCmd},
    {L"item", 2, ItemCmd},
    {L"child", 2, ChildCmd},
    {L"descendant", 2, DescendantCmd},
    {L"text", 1, TextCmd},
    {L"settext", 2, SetTextCmd},
    {L"clientrect", 1, ClientRectCmd},
    {L"windowrect", 1, WindowRectCmd},
    {L"childrect", 2, ChildRectCmd},
    {L"resizeclient", 3, ResizeClientCmd},
    {L"visible", 1, VisibleCmd},
    {L"redraw", 1, RedrawCmd},
    {L"painted", 2, PaintedCmd},
    {L"topmost", 1, TopmostCmd},
    {L"caret", 1, CaretCmd},
    {L"workarea", 1, WorkAreaCmd},
    {L"foreground", 0, ForegroundCmd},
    {L"activate", 1, ActivateCmd},
    {L"above", 2, AboveCmd},
    {L"send", 4, SendCmd},
    {L"post", 4, PostCmd},
    {L"click", 2, ClickCmd},
    {L"clickthen", 7, ClickThenCmd},
    {L"longesthold", 2, LongestHoldCmd},
    {L"keydown", 1, KeyDownCmd},
    {L"keys", 0, KeysCmd},
    {L"typetime", 2, TypeTimeCmd},
    {L"hotkeytime", 3, HotkeyTimeCmd},
    {L"lbcount", 1, LbCountCmd},
    {L"lbsel", 1, LbSelCmd},
    {L"lbrect", 2, LbRectCmd},
    {L"lvtext", 3, LvTextCmd},
    {L"lvcount", 1, LvCountCmd},
    {L"lvsel", 1, LvSelCmd},
    {L"combo", 1, ComboCmd},
    {L"menu", 1, MenuCmd},
    {L"msgbox", 1, MsgBoxCmd},
    {L"nomsgbox", 0, NoMsgBoxCmd},
    {L"answer", 1, AnswerCmd},
    {L"pid", 1, PidCmd},
    {L"waitexit", 2, WaitExitCmd},
    {L"terminate", 1, TerminateCmd},
    {L"traydelete", 1, TrayDeleteCmd},
    {L"trayexists", 1, TrayExistsCmd},
    {L"trayicon", 0, TrayIconCmd},
    {L"guires", 1, GuiResCmd},
    {L"gditypes", 1, GdiTypesCmd},
    {L"clipboard", 0, ClipboardCmd},
    {L"clipdigest", 0, ClipDigestCmd},
    {L"setclipboard", 1, SetClipboardCmd},
    {L"broadcast", 1, BroadcastCmd},
    {L"shortcut", 1, ShortcutCmd},
};

constexpr StreamingCommand kStreamingCommands[] = {
    {L"keywatch", 1, KeyWatch},
    {L"holdclipboard", 1, HoldClipboard},
    {L"holdfile", 2, HoldFile},
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
        return c->run(args);
    }
    Fail("unknown command (see probe.cpp)");
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
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(ParseNum(a[1]));
    const Args command(a.begin() + 3, a.end());
    std::string last;
    for (;;) {
        try {
            last = Run(a[2], command);
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
        WriteLine(answer);
        std::fflush(stdout);
    }
    return 0;
}

int RunOnce(const Args& argv) {
    const std::wstring& name = argv.front();
    const Args args(argv.begin() + 1, argv.end());
    if (const StreamingCommand* c = Lookup<StreamingCommand>(kStreamingCommands, name, args)) {
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
            probe::Fail("usage: probe serve | probe COMMAND ARGS (see probe.cpp)");
        }
        if (std::wstring(argv[1]) == L"serve") {
            return probe::Serve();
        }
        return probe::RunOnce(probe::Args(argv + 1, argv + argc));
    } catch (const probe::ProbeFailure& e) {
        // On stderr, so that a caller which throws the answer away still shows why the call failed.
        std::fprintf(stderr, "probe: %s\n", e.what());
        return probe::kProbeFailed;
    }
}
