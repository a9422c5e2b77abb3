#include "core/find/CaseFold.h"
#include "core/find/FindCountLine.h"
#include "core/find/FindExcerpt.h"
#include "core/find/CFindQuery.h"
#include "core/find/CFindResults.h"
#include "core/find/WordSearch.h"
#include "core/library/CLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brindlex;

namespace {

std::vector<std::u16string> FoldedWords(std::u16string_view text) {
    std::vector<std::u16string> words;
    const CFindQuery query(text, FoldLatinCase);
    for (const FoldedWord& w : query.Words()) {
        words.push_back(w.wide);
    }
    return words;
}

TEST(FindQueryTest, SplitsAtWhiteSpaceFoldsAndDropsRepeats) {
    EXPECT_TRUE(CFindQuery(u" \t\u3000 ", FoldLatinCase).IsEmpty());
    EXPECT_EQ(FoldedWords(u"  Gree\tWOR\u00A0x\u2003y\r\nz "),
              (std::vector<std::u16string>{u"gree", u"wor", u"x", u"y", u"z"}));
    EXPECT_EQ(FoldedWords(u"\u00C9T\u00C9 \u00E9t\u00E9 \u00D7"),
              (std::vector<std::u16string>{u"\u00E9t\u00E9", u"\u00D7"}));
    EXPECT_EQ(FoldLatinCase(u"AZ[TAB]\u00DE\u00DF\u0141"), u"az[tab]\u00FE\u00DF\u0141");

    const CFindQuery mixed(u"\u00E9t\u00E9 \u0142\u00F3d\u017A", FoldLatinCase);
    EXPECT_EQ(mixed.Words()[0].narrow, std::string("\xE9t\xE9"));
    EXPECT_FALSE(mixed.Words()[1].narrow.has_value());
}

TEST(FindQueryTest, FindWordAtEveryPositionInBothWidths) {
    // The word at each place of a 64-unit text, across the 16-byte blocks and in the tail, with
    // a near miss (first and last unit right, middle wrong) before it.
    for (std::size_t at = 0; at + 3 <= 64; ++at) {
        std::u16string wide(64, u'.');
        wide.replace(at, 3, u"w\u0151r");
        if (at >= 4) {
            wide.replace(at - 4, 3, u"wxr");
        }
        std::string narrow(wide.size(), '.');
        for (std::size_t i = 0; i < wide.size(); ++i) {
            narrow[i] = static_cast<char>(wide[i] == u'\u0151' ? u'o' : wide[i]);
        }
        EXPECT_EQ(FindWord(wide, u"w\u0151r"), at);
        EXPECT_EQ(FindWord(narrow, "wor"), at);
        EXPECT_EQ(FindWord(std::u16string_view(wide).substr(0, at + 2), u"w\u0151r"),
                  std::u16string_view::npos);
    }
    EXPECT_EQ(FindWord("aaaaaaaaaaaaaaaaaaab", "aab"), 17u);
    EXPECT_EQ(FindWord("ab", "abc"), std::string_view::npos);
    EXPECT_EQ(FindWord(u"x", u"x"), 0u);
    const std::u16string emoji = std::u16string(30, char16_t{0xD83D}) + u"\U0001F600";
    EXPECT_EQ(FindWord(emoji, u"\U0001F600"), 30u);
}

TEST(FindCountLineTest, CountsWithThousandsSeparators) {
    EXPECT_EQ(GroupedNumber(0), u"0");
    EXPECT_EQ(GroupedNumber(999), u"999");
    EXPECT_EQ(GroupedNumber(1000), u"1,000");
    EXPECT_EQ(GroupedNumber(1234567), u"1,234,567");
    EXPECT_EQ(FindCountLine(false, 3, 12345), u"3 of 12,345 items");
    EXPECT_EQ(FindCountLine(false, 1, 1), u"1 of 1 item");
    EXPECT_EQ(FindCountLine(false, 0, 12345), u"No item matches");
    EXPECT_EQ(FindCountLine(true, 0, 12345), u"");
}

// 300 units of numbered words: "w000 w001 ... w059" (five units each, the last without its space).
std::u16string LongText() {
    std::u16string text;
    for (int i = 0; i < 60; ++i) {
        text += u'w';
        text += static_cast<char16_t>(u'0' + i / 100);
        text += static_cast<char16_t>(u'0' + i / 10 % 10);
        text += static_cast<char16_t>(u'0' + i % 10);
        text += u' ';
    }
    text.pop_back();
    return text;
}

TEST(FindExcerptTest, CutsAroundTheMatchAtStartMiddleAndEnd) {
    const std::u16string text = LongText();
    const std::u16string start = FindExcerpt(text, 0);
    EXPECT_EQ(start, text.substr(0, kExcerptLength - 1) + kEllipsis); // the trailing space dropped

    const std::u16string middle = FindExcerpt(text, text.find(u"w030"));
    EXPECT_EQ(middle.front(), kEllipsis);
    EXPECT_EQ(middle.back(), kEllipsis);
    EXPECT_EQ(middle.find(u"w030"), 1 + kExcerptLead);
    EXPECT_LE(middle.size(), kExcerptLength + 2);

    const std::u16string end = FindExcerpt(text, text.find(u"w059"));
    EXPECT_EQ(end, kEllipsis + text.substr(text.size() - kExcerptLength + 1));
    EXPECT_EQ(FindExcerpt(text, std::u16string::npos), end);

    EXPECT_EQ(FindExcerpt(u"short", 3), u"short");
    EXPECT_EQ(FindExcerpt(u"", 0), u"");
}

TEST(FindExcerptTest, ShowsOneLineWithTokensAsTyped) {
    EXPECT_EQ(FindExcerpt(u"\r\n  Dear\tSir,\r\n\r\n\t[TAB]thanks[ENTER]\r\n", 5),
              u"Dear Sir, [TAB]thanks[ENTER]");
    // A long run of blanks counts as one shown character, whichever way it is walked.
    const std::u16string text =
        u"head" + std::u16string(5000, u'\n') + u"match" + std::u16string(5000, u'\t');
    EXPECT_EQ(FindExcerpt(text, 5004), u"head match");
    // A surrogate pair is one shown character and is never cut, even where the match is said to
    // start inside one: 200 of them, the match at the 101st.
    std::u16string pairs;
    for (int i = 0; i < 200; ++i) {
        pairs += u"\U0001F600";
    }
    for (const std::size_t match : {std::size_t{200}, std::size_t{201}}) {
        const std::u16string cut = FindExcerpt(pairs, match);
        EXPECT_EQ(cut, kEllipsis + pairs.substr(2 * (100 - kExcerptLead), 2 * kExcerptLength) + kEllipsis);
    }
}

TEST(FindExcerptTest, PositionsFromAFoldOfAnotherLengthStayInside) {
    EXPECT_EQ(OriginalPosition(7, 10, 10), 7u);
    EXPECT_EQ(OriginalPosition(10, 20, 10), 5u);
    EXPECT_EQ(OriginalPosition(25, 20, 10), 10u);
    EXPECT_EQ(OriginalPosition(3, 0, 10), 3u);
}

// A library of three folders, kept in step with the results under test.
class FindResultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CPasteGroup& letters = lib.AddGroup(u"Letters");
        lib.AddItem(letters, u"Memo", 0, u"The greenhouse\r\nneeds work");
        lib.AddItem(letters, u"Greeting", 0, u"Hello\tworld[ENTER]");
        lib.AddItem(letters, u"Other", 0, u"nothing here");
        CPasteGroup& forms = lib.AddGroup(u"Forms");
        lib.AddItem(forms, u"Work agreement", 0, u"terms");
        lib.AddGroup(u"Empty");
        lib.SelectGroup(0);
    }

    // "name@group:item" for each row, in order; the indices are checked against the library.
    std::vector<std::u16string> Rows() {
        std::vector<std::u16string> rows;
        for (int i = 0; i < results.Count(); ++i) {
            const FindRow row = results.Row(i);
            EXPECT_EQ(&lib.Group(row.nGroup).Item(static_cast<std::size_t>(row.nItem)), row.pItem);
            rows.push_back(row.pItem->m_strName + u"@" + static_cast<char16_t>(u'0' + row.nGroup) + u":" +
                           static_cast<char16_t>(u'0' + row.nItem));
        }
        return rows;
    }

    CLibrary lib;
    CFindResults results{lib, FoldLatinCase};
};

TEST_F(FindResultsTest, EveryWordInNameOrTextNameMatchesFirst) {
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(results.CountLine(), u"");

    results.SetQuery(u"gree wor");
    // Every word in the name ranks first; then library order.
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"Work agreement@1:0", u"Memo@0:0", u"Greeting@0:1"}));
    EXPECT_TRUE(results.Row(0).bNameMatch);
    EXPECT_FALSE(results.Row(1).bNameMatch);
    EXPECT_EQ(results.CountLine(), u"3 of 4 items");
    EXPECT_EQ(results.Excerpt(2), u"Hello world[ENTER]");
    EXPECT_EQ(results.Excerpt(1), u"The greenhouse needs work");
    EXPECT_EQ(results.Excerpt(0), u"terms"); // only in the name: from the start
    EXPECT_EQ(results.Row(3).pItem, nullptr);
    EXPECT_EQ(results.Excerpt(-1), u"");

    results.SetQuery(u"GREETING WORLD[enter]");
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"Greeting@0:1"}));
    results.SetQuery(u"gree zzz");
    EXPECT_EQ(results.CountLine(), u"No item matches");
    EXPECT_EQ(lib.CurrentGroupIndex(), 0); // Find only reads
    EXPECT_EQ(lib.CurrentItemIndex(), 0);
}

TEST_F(FindResultsTest, WideAndNarrowItemsMatchTheSameWords) {
    lib.AddItem(lib.Group(2), u"\u0141\u00F3d\u017A", 0, u"\u00C9t\u00E9 w\u0105s warm");
    results.SetQuery(u"\u00E9T\u00E9");
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"\u0141\u00F3d\u017A@2:0"}));
    results.SetQuery(u"w\u0105s");
    EXPECT_EQ(Rows().size(), 1u);
    results.SetQuery(u"w\u0105s work");
    EXPECT_TRUE(Rows().empty());
}

TEST_F(FindResultsTest, FollowsEveryChangeOfTheLibrary) {
    int heard = 0;
    results.SetChangeHandler([&heard] { ++heard; });
    results.SetQuery(u"wor");
    ASSERT_EQ(Rows(), (std::vector<std::u16string>{u"Work agreement@1:0", u"Memo@0:0", u"Greeting@0:1"}));

    lib.AddItem(lib.Group(2), u"World map", 0, u""); // not the current folder
    lib.UpdateItem(lib.Group(1).Item(0), u"Contract", u"terms");
    EXPECT_EQ(heard, 1); // once until the results are read again
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"World map@2:0", u"Memo@0:0", u"Greeting@0:1"}));

    lib.RenameItem(2, u"Network notes");
    lib.MoveItem(2, 0);
    lib.MoveGroup(2, 0);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"World map@0:0", u"Network notes@1:0", u"Memo@1:1",
                                                   u"Greeting@1:2"}));

    lib.SelectGroup(1);
    lib.DeleteItem(2);
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"World map@0:0", u"Network notes@1:0", u"Memo@1:1"}));
    lib.DeleteGroup(1);
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"World map@0:0"}));
    EXPECT_EQ(results.CountLine(), u"1 of 2 items");
    lib.Clear();
    EXPECT_EQ(results.Count(), 0);
    EXPECT_EQ(results.CountLine(), u"No item matches");
}

TEST_F(FindResultsTest, AViewThatReadsDuringADeletionNeverSeesTheItemsGoing) {
    // The handler reads at once, while the library is between telling that items go and freeing
    // them: it reads each row's name (ASan would see a freed one) and must not meet those items.
    std::vector<std::u16string> seen;
    results.SetChangeHandler([&] {
        seen.emplace_back();
        for (int i = 0; i < results.Count(); ++i) {
            seen.back() += results.Row(i).pItem->m_strName + u";" + results.Excerpt(i) + u";";
        }
    });
    results.SetQuery(u"e");
    lib.DeleteItem(1);
    lib.DeleteGroup(0);
    const std::u16string memo = u"Memo;The greenhouse needs work;";
    const std::u16string other = u"Other;nothing here;";
    const std::u16string work = u"Work agreement;terms;";
    // Deleting "Greeting": told it goes, then the folder refilled. Deleting the first folder: told
    // that "Memo" goes, then "Other", then the folders changed, then the new one refilled.
    EXPECT_EQ(seen, (std::vector<std::u16string>{memo + other + work, memo + other + work, other + work, work,
                                                 work, work}));
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"Work agreement@0:0"}));
}

TEST(FindResultsFoldTest, AFoldThatChangesLengthsKeepsExcerptsInside) {
    // "ß" folds to "ss": the folded text is longer than the one shown.
    const CaseFold expanding = [](std::u16string_view text) {
        std::u16string folded;
        for (const char16_t c : FoldLatinCase(text)) {
            folded += c == u'\u00DF' ? std::u16string(u"ss") : std::u16string(1, c);
        }
        return folded;
    };
    CLibrary lib;
    lib.AddItem(lib.AddGroup(u"G"), u"Stra\u00DFe", 0, std::u16string(200, u'\u00DF') + u" target");
    CFindResults results(lib, expanding);
    results.SetQuery(u"STRASSE");
    ASSERT_EQ(results.Count(), 1);
    EXPECT_TRUE(results.Row(0).bNameMatch);
    results.SetQuery(u"target");
    const std::u16string excerpt = results.Excerpt(0);
    EXPECT_LE(excerpt.size(), kExcerptLength + 2);
    EXPECT_EQ(excerpt.front(), kEllipsis);
}

} // namespace
