#include "core/paste/Segmentation.h"

#include "PrintableText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace brindlex;

namespace {

// "run 'text'" and "token [X]" lines, in the order the segmentation handed them on.
std::vector<std::string> Pieces(std::u16string_view text) {
    std::vector<std::string> out;
    const bool complete = SegmentText(
        text,
        [&out](std::u16string_view run) {
            out.push_back("run '" + PrintableText(run) + "'");
            return true;
        },
        [&out](const ControlKey& key) {
            out.push_back("token " + PrintableText(key.text));
            return true;
        });
    EXPECT_TRUE(complete);
    return out;
}

using Lines = std::vector<std::string>;

// The rules written out the slow, obvious way: replace on copies (CR LF pairs first, then the
// CRs left, then tabs), then try every token text in table order at every '['.
std::u16string ReferenceNormalise(std::u16string text) {
    for (const auto& [from, to] : {std::pair<std::u16string_view, std::u16string_view>{u"\r\n", u"[ENTER]"},
                                   {u"\r", u"[ENTER]"},
                                   {u"\t", u"[TAB]"}}) {
        std::u16string out;
        for (std::size_t i = 0; i < text.size();) {
            if (text.compare(i, from.size(), from) == 0) {
                out += to;
                i += from.size();
            } else {
                out += text[i++];
            }
        }
        text = out;
    }
    return text;
}

Lines ReferencePieces(const std::u16string& t) {
    Lines out;
    std::size_t s = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != u'[') {
            continue;
        }
        for (const ControlKey& key : kControlKeys) {
            if (t.substr(i, key.text.size()) == key.text) {
                out.push_back("run '" + PrintableText(t.substr(s, i - s)) + "'");
                out.push_back("token " + PrintableText(key.text));
                i += key.text.size() - 1;
                s = i + 1;
                break;
            }
        }
    }
    if (s < t.size()) {
        out.push_back("run '" + PrintableText(t.substr(s)) + "'");
    }
    return out;
}

} // namespace

TEST(Segmentation, PlainTextTokensAndEmptyRunsInTextOrder) {
    EXPECT_EQ(Pieces(u"abc"), (Lines{"run 'abc'"}));
    EXPECT_EQ(Pieces(u"[TAB]"), (Lines{"run ''", "token [TAB]"}));
    EXPECT_EQ(Pieces(u"a[TAB][TAB]b"), (Lines{"run 'a'", "token [TAB]", "run ''", "token [TAB]", "run 'b'"}));
    EXPECT_EQ(Pieces(u"[ESC][UP][DOWN]"),
              (Lines{"run ''", "token [ESC]", "run ''", "token [UP]", "run ''", "token [DOWN]"}));
    EXPECT_EQ(Pieces(u"Name[TAB]x"), (Lines{"run 'Name'", "token [TAB]", "run 'x'"}));
    EXPECT_TRUE(Pieces(u"").empty());
}

TEST(Segmentation, OnlyExactUpperCaseTokensMatchEverythingElseStaysLiteral) {
    EXPECT_EQ(Pieces(u"x[tab]y"), (Lines{"run 'x[tab]y'"}));
    EXPECT_EQ(Pieces(u"[Enter][ENTER ][ ENTER]"), (Lines{"run '[Enter][ENTER ][ ENTER]'"}));
    EXPECT_EQ(Pieces(u"[PAGEUP"), (Lines{"run '[PAGEUP'"}));
    EXPECT_EQ(Pieces(u"[INSERT][DELETE][PAGE][]["), (Lines{"run '[INSERT][DELETE][PAGE][]['"}));
    EXPECT_EQ(Pieces(u"[[ENTER]"), (Lines{"run '['", "token [ENTER]"}));
    EXPECT_EQ(Pieces(u"[[TAB]]"), (Lines{"run '['", "token [TAB]", "run ']'"}));
    EXPECT_EQ(Pieces(u"[INS][INS]S]"), (Lines{"run ''", "token [INS]", "run ''", "token [INS]", "run 'S]'"}));
    // A token's text is not scanned again, and tokens do not nest.
    EXPECT_EQ(Pieces(u"[EN[TAB]TER]"), (Lines{"run '[EN'", "token [TAB]", "run 'TER]'"}));
}

TEST(Segmentation, EveryTokenOfTheTableIsFoundWithItsCode) {
    ASSERT_EQ(kControlKeys.size(), 19u);
    for (std::size_t i = 0; i < kControlKeys.size(); ++i) {
        const ControlKey& key = kControlKeys[i];
        EXPECT_EQ(key.code, static_cast<int>(i) + 2);
        const std::u16string text = u"<" + std::u16string(key.text) + u">";
        const ControlKey* found = nullptr;
        EXPECT_EQ(FindNextControlKey(text, 0, found), 1u);
        EXPECT_EQ(found, &key);
        EXPECT_EQ(ControlKeyByText(key.text), &key);
        EXPECT_EQ(ControlKeyByCode(key.code), &key);
        // Cut one unit short it is plain text.
        EXPECT_EQ(MatchControlKey(key.text.substr(0, key.text.size() - 1), 0), nullptr);
    }
    EXPECT_EQ(ControlKeyByCode(1), nullptr);
    EXPECT_EQ(ControlKeyByCode(21), nullptr);
    EXPECT_EQ(ControlKeyByText(u"[tab]"), nullptr);
    EXPECT_EQ(ControlKeyByCode(20)->vk, 46); // [DEL]
    EXPECT_EQ(ControlKeyByText(u"[WINDOW]")->vk, 91);
}

TEST(Segmentation, CallbackReturningFalseStopsAtOnce) {
    int runs = 0, tokens = 0;
    EXPECT_FALSE(SegmentText(
        u"a[TAB]b[TAB]c", [&](std::u16string_view) { return ++runs < 2; },
        [&](const ControlKey&) {
            ++tokens;
            return true;
        }));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(tokens, 1);
    tokens = 0;
    EXPECT_FALSE(SegmentText(
        u"a[UP]b", [](std::u16string_view) { return true; },
        [&](const ControlKey&) { return ++tokens > 5; }));
    EXPECT_EQ(tokens, 1);
}

TEST(Normalisation, LineBreaksAndTabsBecomeTokensLoneLineFeedsStay) {
    EXPECT_EQ(NormaliseText(u"a\tb\t"), u"a[TAB]b[TAB]");
    EXPECT_EQ(NormaliseText(u"no change\n[TAB]"), u"no change\n[TAB]");
    EXPECT_EQ(NormaliseText(u""), u"");
    const std::u16string wide = u"\u65E5\u672C\r\U0001F600\t\u00FC";
    EXPECT_EQ(NormaliseText(wide), u"\u65E5\u672C[ENTER]\U0001F600[TAB]\u00FC");

    // A CR LF pair is one Enter and its LF is not pasted; a lone CR is an Enter, a lone LF stays.
    EXPECT_EQ(NormaliseText(u"one\r\ntwo"), u"one[ENTER]two");
    EXPECT_EQ(NormaliseText(u"\r\r\t\n"), u"[ENTER][ENTER][TAB]\n");
    EXPECT_EQ(NormaliseText(u"\r\r\n\n\r"), u"[ENTER][ENTER]\n[ENTER]");
    EXPECT_EQ(NormaliseText(u"\n\r\n\r\n\t\r"), u"\n[ENTER][ENTER][TAB][ENTER]");
    EXPECT_EQ(NormaliseText(u"a\r\n"), u"a[ENTER]");
    EXPECT_EQ(NormaliseText(u"\r\tx\n"), u"[ENTER][TAB]x\n") << "only an LF right after the CR is dropped";

    EXPECT_EQ(Pieces(NormaliseText(u"Hello\tWorld\r\nLine2")),
              (Lines{"run 'Hello'", "token [TAB]", "run 'World'", "token [ENTER]", "run 'Line2'"}));
    EXPECT_EQ(Pieces(NormaliseText(u"one\ntwo\rthree")),
              (Lines{"run 'one\\u000Atwo'", "token [ENTER]", "run 'three'"}));
    // A tab character behaves exactly like the token written out.
    EXPECT_EQ(Pieces(NormaliseText(u"a\tb")), Pieces(u"a[TAB]b"));
    EXPECT_EQ(Pieces(NormaliseText(u"[\r")), (Lines{"run '['", "token [ENTER]"}));
}

TEST(Segmentation, AgreesWithTheRulesOnRandomTexts) {
    // Pieces that make near misses likely: token fragments, brackets, line breaks, tabs.
    const std::vector<std::u16string> parts{u"[",      u"]",      u"[TAB]", u"[ENTER]", u"[EN", u"TER]",
                                            u"[PAGE",  u"UP]",    u"DOWN]", u"\r",      u"\n",  u"\t",
                                            u"x",      u"[ins]",  u"[INS]", u"[DEL",    u"E]",  u"[CTRL]",
                                            u"[SHIFT", u"\u00E9", u"[ESC]", u"\r\n"};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 2400; ++round) {
        // Short texts and texts of several hundred units, which take the long-text scanning.
        const unsigned longest = round % 3 == 0 ? 120 : 12;
        std::u16string text;
        const int count = static_cast<int>(rng() % longest);
        for (int i = 0; i < count; ++i) {
            text += parts[rng() % parts.size()];
        }
        const std::u16string normalised = NormaliseText(text);
        ASSERT_EQ(normalised, ReferenceNormalise(text)) << PrintableText(text);
        ASSERT_EQ(Pieces(normalised), ReferencePieces(normalised)) << PrintableText(text);
    }
}

TEST(Segmentation, LongStretchesOfBracketsEndInOneRun) {
    const std::u16string text = std::u16string(200000, u'[') + u"[TAB]" + std::u16string(100000, u'\n');
    std::size_t runTotal = 0;
    int tokens = 0;
    SegmentText(
        text,
        [&](std::u16string_view run) {
            runTotal += run.size();
            return true;
        },
        [&](const ControlKey& key) {
            EXPECT_EQ(key.code, 2);
            ++tokens;
            return true;
        });
    EXPECT_EQ(tokens, 1);
    EXPECT_EQ(runTotal, 300000u);
}

TEST(Segmentation, TokensAndBreaksAtEveryOffsetOfALongText) {
    // Long texts are scanned many units at a time; a token or a CR may fall on any boundary.
    for (std::size_t offset = 0; offset < 200; ++offset) {
        for (const std::u16string& piece :
             {std::u16string(u"[PAGEDOWN]"), std::u16string(u"\r\n"), std::u16string(u"[PAGEDOW"),
              std::u16string(u"\t[\t"), std::u16string(u"\r\r\n\t\r\n\n")}) {
            const std::u16string text =
                std::u16string(offset, u'x') + piece + std::u16string(150, u'y') + piece;
            const std::u16string normalised = NormaliseText(text);
            ASSERT_EQ(normalised, ReferenceNormalise(text)) << offset;
            ASSERT_EQ(Pieces(normalised), ReferencePieces(normalised)) << offset;
        }
    }
}
