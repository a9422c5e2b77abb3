#include "core/app/CHeldCommands.h"
#include "core/paste/CClipboardReadWait.h"
#include "core/paste/CClipboardRestoreRule.h"
#include "core/paste/CKeySender.h"
#include "core/paste/ModifierRelease.h"
#include "core/paste/PasteText.h"
#include "core/paste/TargetIntegrity.h"

#include "RecordingKeyOutput.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace brindlex;

namespace {

using Lines = std::vector<std::string>;

// The pause and the clipboard text, then Shift+Insert in one batch (Insert is an extended key).
Lines PasteOf(const std::string& text) {
    return {"pause 20", "clip '" + text + "'", "down 16 | down 45 ext | up 45 ext | up 16"};
}
Lines Tap(int vk, const char* flags = "") {
    return {"down " + std::to_string(vk) + flags + " | up " + std::to_string(vk) + flags};
}
template <typename... T> Lines Keys(const T&... lines) {
    return Lines{std::string(lines)...};
}
Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Lines Paste(CRecordingKeyOutput& out, std::u16string_view text, PasteResult expected = PasteResult::Done) {
    EXPECT_EQ(PasteText(out, text).result, expected);
    return out.m_events;
}

} // namespace

TEST(PasteText, RunsGoThroughTheClipboardAndTokensBecomeTaps) {
    CRecordingKeyOutput out;
    EXPECT_EQ(Paste(out, u"Name[TAB]x"), PasteOf("Name") + Tap(9) + PasteOf("x"));
    EXPECT_EQ(out.m_strClipboard, u"x"); // the last run stays on the clipboard

    CRecordingKeyOutput adjacent;
    EXPECT_EQ(Paste(adjacent, u"a[TAB][TAB]b"), PasteOf("a") + Tap(9) + PasteOf("") + Tap(9) + PasteOf("b"));

    CRecordingKeyOutput leading;
    EXPECT_EQ(Paste(leading, u"[ENTER]"), PasteOf("") + Tap(13));
    EXPECT_EQ(leading.m_strClipboard, u"");

    CRecordingKeyOutput literal;
    EXPECT_EQ(Paste(literal, u"x[tab]y[Enter][PAGEUP"), PasteOf("x[tab]y[Enter][PAGEUP"));
}

TEST(PasteText, EmptyTextSendsNothingAtAll) {
    CRecordingKeyOutput out;
    out.m_strClipboard = u"before";
    EXPECT_TRUE(Paste(out, u"").empty());
    EXPECT_EQ(out.m_strClipboard, u"before");
}

TEST(PasteText, CarriageReturnsAndTabsInTheItemAreKeys) {
    CRecordingKeyOutput out;
    EXPECT_EQ(Paste(out, u"one\r\ntwo"), PasteOf("one") + Tap(13) + PasteOf("two"));
    CRecordingKeyOutput tab;
    EXPECT_EQ(Paste(tab, u"a\tb"), PasteOf("a") + Tap(9) + PasteOf("b"));
}

TEST(PasteText, TabAndEnterAreTheKeysOfTheCurrentLayout) {
    CRecordingKeyOutput out;
    out.m_layout = {{u'\t', 0x91}, {u'\r', 0x92}};
    EXPECT_EQ(Paste(out, u"[TAB][ENTER]"), PasteOf("") + Tap(0x91) + PasteOf("") + Tap(0x92));
    // A layout without such a key keeps the usual one rather than sending key 0.
    CRecordingKeyOutput none;
    none.m_layout.clear();
    EXPECT_EQ(Paste(none, u"[TAB]\r"), PasteOf("") + Tap(9) + PasteOf("") + Tap(13));
}

TEST(PasteText, EveryTapTokenIsADownAndAnUpInOneBatchExtendedWhereTheKeyIs) {
    CRecordingKeyOutput out;
    CKeySender sender(out);
    // The navigation keys and the Windows key carry the extended flag, the others do not.
    const std::set<int> extended{33, 34, 35, 36, 37, 38, 39, 40, 45, 46, 91};
    const std::vector<std::pair<int, int>> taps{{3, 20},  {6, 8},   {8, 18},  {9, 91},  {10, 37},
                                                {11, 39}, {12, 38}, {13, 40}, {14, 27}, {15, 33},
                                                {16, 34}, {17, 36}, {18, 35}, {19, 45}, {20, 46}};
    Lines expected;
    for (const auto& [code, vk] : taps) {
        sender.SendControlKey(code);
        expected = expected + Tap(vk, extended.count(vk) != 0 ? " ext" : "");
    }
    EXPECT_EQ(out.m_events, expected);
    EXPECT_TRUE(out.m_down.empty());

    // Codes outside the table and text that is no token send nothing.
    out.m_events.clear();
    sender.SendControlKey(1);
    sender.SendControlKey(21);
    sender.SendToken(u"[tab]");
    sender.SendToken(u"[TAB");
    EXPECT_TRUE(out.m_events.empty());
    sender.SendToken(u"[CAPSLOCK]");
    EXPECT_EQ(out.m_events, Tap(20));
}

TEST(PasteText, HeldCtrlIsReleasedWhenThePasteEnds) {
    CRecordingKeyOutput out;
    // The run after [CTRL] still goes with Ctrl down; the key comes up when the paste ends.
    EXPECT_EQ(Paste(out, u"[CTRL]x"), PasteOf("") + Keys("down 17") + PasteOf("x") + Keys("up 17"));
    EXPECT_TRUE(out.m_down.empty());

    CRecordingKeyOutput last;
    EXPECT_EQ(Paste(last, u"a[CTRL]"), PasteOf("a") + Keys("down 17", "up 17"));
}

TEST(PasteText, HeldShiftStaysDownAcrossRunsAndComesUpAtTheEnd) {
    // While [SHIFT] holds Shift, a run's paste keystroke is Insert alone: its own Shift key-up
    // would let go of the held key.
    const Lines insertOf{"clip 'x'", "down 45 ext | up 45 ext"};
    CRecordingKeyOutput out;
    EXPECT_EQ(Paste(out, u"[SHIFT]x[SHIFT]"),
              PasteOf("") + Keys("down 16", "pause 20") + insertOf + Keys("up 16"));
    CRecordingKeyOutput tokensOnly;
    EXPECT_EQ(Paste(tokensOnly, u"a[SHIFT][LEFT]"),
              PasteOf("a") + Keys("down 16", "pause 20", "clip ''", "down 45 ext | up 45 ext") +
                  Tap(37, " ext") + Keys("up 16"));
}

TEST(PasteText, HoldTokensPressOnlyWhatIsUpAndReleaseOnlyWhatTheyPressed) {
    // A key state that does not follow our own events (the case on Windows, where it belongs to
    // the thread, not the target): a second [CTRL] still sends no second key-down.
    CRecordingKeyOutput stale;
    stale.m_bStateFollowsEvents = false;
    EXPECT_EQ(Paste(stale, u"a[CTRL][SHIFT][CTRL]"),
              PasteOf("a") + Keys("down 17") + PasteOf("") +
                  Keys("down 16", "pause 20", "clip ''", "down 45 ext | up 45 ext", "up 16 | up 17"));
    CRecordingKeyOutput direct;
    direct.m_bStateFollowsEvents = false;
    {
        CKeySender sender(direct);
        sender.SendToken(u"[SHIFT]");
        sender.SendToken(u"[SHIFT]");
    }
    EXPECT_EQ(direct.m_events, Keys("down 16", "up 16"));
    EXPECT_TRUE(stale.m_down.empty());
}

TEST(PasteText, BusyClipboardStopsBeforeThatRunsKeystroke) {
    CRecordingKeyOutput first;
    first.m_nClipboardFailsFrom = 0;
    first.m_strClipboard = u"old";
    EXPECT_EQ(Paste(first, u"abc[TAB]d", PasteResult::ClipboardBusy), (Keys("pause 20", "clip busy 'abc'")));
    EXPECT_EQ(first.m_strClipboard, u"old");

    CRecordingKeyOutput second;
    second.m_nClipboardFailsFrom = 1;
    EXPECT_EQ(Paste(second, u"a[TAB]b[ENTER]c", PasteResult::ClipboardBusy),
              PasteOf("a") + Tap(9) + Keys("pause 20", "clip busy 'b'"));

    // Stopping early still lets go of the modifiers the paste pressed.
    CRecordingKeyOutput held;
    held.m_nClipboardFailsFrom = 2;
    EXPECT_EQ(Paste(held, u"[CTRL]x[SHIFT]y", PasteResult::ClipboardBusy),
              PasteOf("") + Keys("down 17") + PasteOf("x") +
                  Keys("down 16", "pause 20", "clip busy 'y'", "up 16 | up 17"));
    EXPECT_TRUE(held.m_down.empty());
}

TEST(PasteText, SenderLetsGoOfHeldKeysWhenItGoesOutOfScope) {
    CRecordingKeyOutput out;
    {
        CKeySender sender(out);
        sender.SendToken(u"[CTRL]");
        sender.SendToken(u"[SHIFT]");
    }
    EXPECT_EQ(out.m_events, (Keys("down 17", "down 16", "up 16 | up 17")));
    // Released once, not again by a later release.
    CRecordingKeyOutput once;
    {
        CKeySender sender(once);
        sender.SendToken(u"[CTRL]");
        sender.ReleaseHeldModifiers();
        sender.ReleaseHeldModifiers();
    }
    EXPECT_EQ(once.m_events, (Keys("down 17", "up 17")));
}

namespace {

// What a paste of `runs` runs waits in all for a target that never takes one: each run waits for
// the one before it, the last one before the paste renders it for good.
unsigned WaitedForATargetThatNeverReads(CClipboardReadWait& wait, int runs) {
    unsigned total = 0;
    for (int run = 1; run < runs; ++run, wait.OnRunUnread()) {
        total += wait.RunWaitMs();
    }
    return total + wait.LastRunWaitMs();
}

} // namespace

TEST(PasteText, ATargetThatNeverReadsIsWaitedForOnceAndOneThatReadsAsLongAsItNeeds) {
    // k runs may take k x 20 ms and 300 ms more, the paste's own work included.
    for (int runs : {1, 4, 13, 200}) {
        CClipboardReadWait wait;
        EXPECT_LE(WaitedForATargetThatNeverReads(wait, runs), 250u) << runs << " runs";
    }
    CClipboardReadWait own; // our own window reads nothing before the paste is over
    own.SetTargetCannotRead();
    own.OnRunTaken();
    EXPECT_EQ(WaitedForATargetThatNeverReads(own, 13), 0u);

    CClipboardReadWait reader;
    EXPECT_GE(reader.RunWaitMs(), 150u) << "a busy target takes its first run late";
    reader.OnRunTaken();
    EXPECT_GE(reader.RunWaitMs(), 1000u);
    reader.OnRunUnread();
    EXPECT_EQ(reader.RunWaitMs(), 0u);
    reader.OnRunTaken(); // it reads after all
    EXPECT_GE(reader.RunWaitMs(), 1000u);
}

TEST(PasteText, NoPasteGoesIntoAProgramOfHigherIntegrity) {
    const unsigned medium = kIntegrityMedium, high = kIntegrityHigh;
    EXPECT_TRUE(CanTypeInto(medium, medium) && CanTypeInto(high, medium));
    EXPECT_FALSE(CanTypeInto(medium, high)); // an elevated program
    // An unreadable target keeps us out: higher, unless we run elevated ourselves. Without our
    // own level there is nothing to compare, and the paste goes ahead.
    EXPECT_FALSE(CanTypeInto(medium, std::nullopt));
    EXPECT_TRUE(CanTypeInto(high, std::nullopt) && CanTypeInto(std::nullopt, high));
}

TEST(PasteText, CommandsThatComeDuringAPasteAreHeldOnceInOrderUpTo64AndASecondPasteDropped) {
    using K = CommandKind;
    const std::vector<AppCommand> held{
        K::ShowMainWindow, // a click on the tray icon
        K::Exit,           // Exit from the tray menu, or another program asks us to exit
        K::SettingsClosed,
        K::ChooseTarget, // another target chosen
        K::ToggleMainWindow,
        AppCommand::System(0xF060, 0),
        AppCommand::Edit(nullptr), // Add item
        K::RestoreTrayIcon,
        K::ShowFind,
        {K::ChooseFound, 2, 7}, // Enter in Find
    };
    // The quick-paste popup's answers run at once.
    const std::vector<AppCommand> runNow{
        {K::PasteQuickItem, 0, 1}, K::QuickPasteClosed, K::QuickPasteDeactivated};
    const AppCommand secondPaste = K::Paste;
    const AppCommand findPaste{K::PasteFound, 2, 7}; // Ctrl+Enter in Find

    CHeldCommands commands;
    EXPECT_FALSE(commands.Offer(held[0]) || commands.Offer(secondPaste)) << "no paste runs";
    commands.BeginPaste(1000);
    for (std::size_t i = 0; i < held.size(); ++i) {
        EXPECT_TRUE(commands.Offer(held[i])) << i;
        EXPECT_FALSE(commands.Offer(runNow[i % runNow.size()])) << i;
        EXPECT_TRUE(commands.Offer(held[i / 2])) << "a repeat of " << i / 2;
        EXPECT_TRUE(commands.Offer(secondPaste));
        EXPECT_TRUE(commands.Offer(findPaste));
    }
    EXPECT_EQ(commands.EndPaste(1400), held) << "in the order they came, once each, without the Paste";
    EXPECT_FALSE(commands.Offer(held[0]));

    // A queued click made while that paste ran comes too late; the tick count wraps around.
    EXPECT_FALSE(commands.CameDuringLastPaste(999));
    EXPECT_TRUE(commands.CameDuringLastPaste(1000) && commands.CameDuringLastPaste(1399));
    EXPECT_FALSE(commands.CameDuringLastPaste(1400));
    commands.BeginPaste(0xFFFFFF00u);
    EXPECT_TRUE(commands.EndPaste(0x100u).empty()) << "each paste holds only its own";
    EXPECT_TRUE(commands.CameDuringLastPaste(0xFFFFFFF0u) && commands.CameDuringLastPaste(0x50u));
    EXPECT_FALSE(commands.CameDuringLastPaste(0x200u) || commands.CameDuringLastPaste(0xFFFFFE00u));

    // Another program that floods the window during a paste: the first 64 distinct commands.
    commands.BeginPaste(1200);
    std::vector<AppCommand> flood;
    for (int i = 0; i < 100; ++i) {
        flood.push_back({K::ChooseFound, i, 0});
        EXPECT_TRUE(commands.Offer(flood.back()));
        EXPECT_TRUE(commands.Offer(held[0])) << "a repeat is not held again";
    }
    flood.insert(flood.begin() + 1, held[0]);
    flood.erase(flood.begin() + CHeldCommands::kMaxHeld, flood.end());
    EXPECT_EQ(commands.EndPaste(1300), flood);
    EXPECT_FALSE(commands.Offer(held[0]));
}

TEST(PasteText, TheFirstKeyWaitsUntilTheUserHasLetGoOfEveryModifier) {
    // Ctrl of Ctrl+Enter let go after 300 ms: nothing before, then the whole item.
    CRecordingKeyOutput late;
    late.m_physical = {17};
    late.m_letGoAfterMs = {{17, 300}};
    const Lines waited = Paste(late, u"a[ENTER]");
    const Lines polls(300 / kModifierPollMs, "pause " + std::to_string(kModifierPollMs));
    EXPECT_EQ(waited, polls + PasteOf("a") + Tap(13));

    // Each of Shift, Ctrl, Alt and both Windows keys still held at 2 s: nothing at all is sent.
    for (std::uint8_t vk : {16, 17, 18, 91, 92}) {
        CRecordingKeyOutput held;
        held.m_physical = {vk};
        const PasteOutcome outcome = PasteText(held, u"x[TAB]y");
        EXPECT_EQ(outcome, (PasteOutcome{PasteResult::ModifiersHeld, 0, 3})) << int{vk};
        EXPECT_EQ(held.m_nPausedMs, kModifierReleaseWaitMs) << int{vk};
        EXPECT_EQ(held.m_events.size(), kModifierReleaseWaitMs / kModifierPollMs) << "only pauses";
    }
    // Other keys held do not hold the paste up, and an empty item does not wait at all.
    CRecordingKeyOutput letter;
    letter.m_physical = {'A', 20};
    EXPECT_EQ(Paste(letter, u"x"), PasteOf("x"));
    CRecordingKeyOutput empty;
    empty.m_physical = {17};
    EXPECT_TRUE(Paste(empty, u"").empty());
}

TEST(PasteText, AnotherWindowInFrontStopsThePasteAndSaysHowFarItGot) {
    // "a[TAB]b[TAB]c": five pieces, one check before each; the target leaves before the fourth.
    CRecordingKeyOutput out;
    out.m_nTargetLeavesAtCheck = 3;
    const PasteOutcome outcome = PasteText(out, u"a[TAB]b[TAB]c");
    EXPECT_EQ(outcome, (PasteOutcome{PasteResult::TargetLeft, 3, 5}));
    EXPECT_EQ(out.m_events, PasteOf("a") + Tap(9) + PasteOf("b") + Keys()) << "no Tab, no 'c'";

    // A run found the window gone after its text went on the clipboard: no Shift+Insert for it,
    // and the modifiers the paste holds come up at once.
    CRecordingKeyOutput held;
    held.m_nTargetLeavesAtCheck = 2;
    EXPECT_EQ(PasteText(held, u"[CTRL]x[TAB]"), (PasteOutcome{PasteResult::TargetLeft, 1, 3}));
    EXPECT_EQ(held.m_events, PasteOf("") + Keys("down 17", "pause 20", "clip 'x'", "up 17"));

    // Gone before the first piece: nothing typed anywhere. Empty runs are not counted as pieces.
    CRecordingKeyOutput first;
    first.m_nTargetLeavesAtCheck = 0;
    EXPECT_EQ(PasteText(first, u"[TAB][TAB]z"), (PasteOutcome{PasteResult::TargetLeft, 0, 3}));
    EXPECT_EQ(first.m_events, Keys("pause 20", "clip ''"));
    CRecordingKeyOutput whole;
    EXPECT_EQ(PasteText(whole, u"[TAB][TAB]z"), (PasteOutcome{PasteResult::Done, 3, 3}));
    EXPECT_EQ(CountPieces(u"a[TAB]b[TAB]c[TAB]d[TAB]e[TAB]f[TAB]g[TAB]h[TAB]i[TAB]j[TAB]k[TAB]l[TAB]m"), 25u);
}

TEST(PasteText, TheClipboardIsGivenBackOnlyIfItStillHoldsThePastesOwnLastChange) {
    CClipboardRestoreRule rule;
    EXPECT_FALSE(rule.ShouldRestore(7)) << "the paste never touched the clipboard";
    rule.OnOwnChange(8);
    rule.OnOwnChange(10);
    EXPECT_TRUE(rule.ShouldRestore(10));
    EXPECT_FALSE(rule.ShouldRestore(11)) << "another program copied something meanwhile";
    EXPECT_FALSE(rule.ShouldRestore(8));
    EXPECT_TRUE(rule.ShouldRestore(11, true)) << "moved on by a reader closing it, still ours";

    // Up to 64 MiB is copied; one byte more, and nothing is, whatever comes after.
    CClipboardRestoreRule big;
    EXPECT_TRUE(big.AdmitFormat(CClipboardRestoreRule::kMaxSnapshotBytes - 10));
    EXPECT_TRUE(big.AdmitFormat(10));
    EXPECT_FALSE(big.AdmitFormat(1));
    EXPECT_FALSE(big.AdmitFormat(0));
    big.OnOwnChange(3);
    EXPECT_TRUE(big.GaveUp());
    EXPECT_FALSE(big.ShouldRestore(3)) << "the clipboard keeps the last run";
    CClipboardRestoreRule huge;
    EXPECT_FALSE(huge.AdmitFormat(~std::size_t{0})) << "no wrap-around in the sum";

    // A window of our own thread reads only after the paste: it must find the last run there.
    CClipboardRestoreRule own;
    own.SetTargetCannotRead();
    own.OnOwnChange(5);
    EXPECT_FALSE(own.ShouldRestore(5));
}

TEST(PasteText, ClipboardFormatsAreCopiedByWhatTheirDataIs) {
    for (unsigned format : {1u, 4u, 7u, 8u, 13u, 15u, 16u, 17u, 0xC000u, 0xC123u, 0xFFFFu}) {
        EXPECT_EQ(CopyOfClipboardFormat(format, false), ClipboardCopy::GlobalMemory) << format;
    }
    EXPECT_EQ(CopyOfClipboardFormat(2, false), ClipboardCopy::Bitmap);
    EXPECT_EQ(CopyOfClipboardFormat(2, true), ClipboardCopy::Skip) << "made again from the DIB";
    EXPECT_EQ(CopyOfClipboardFormat(14, false), ClipboardCopy::EnhancedMetafile);
    // Metafile picture and palette (handles), owner-display, private and GDI-object formats.
    for (unsigned format :
         {0u, 3u, 9u, 18u, 0x80u, 0x81u, 0x82u, 0x8Eu, 0x200u, 0x2FFu, 0x300u, 0x3FFu, 0xBFFFu}) {
        EXPECT_EQ(CopyOfClipboardFormat(format, false), ClipboardCopy::Skip) << format;
    }
}
