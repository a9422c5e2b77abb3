// The quick-paste popup's rows before and after a word is typed.
#include "core/find/CQuickPasteList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brindlex;

namespace {

class QuickPasteListTest : public ::testing::Test {
protected:
    QuickPasteListTest() {
        CPasteGroup& letters = lib.AddGroup(u"Letters");
        lib.AddItem(letters, u"Memo", 0, u"The greenhouse");
        lib.AddItem(letters, u"Greeting", 0, u"Hello");
        CPasteGroup& forms = lib.AddGroup(u"Forms");
        lib.AddItem(forms, u"Agreement", 0, u"terms");
        lib.AddItem(forms, u"Invoice", 0, u"green total");
        lib.SelectGroup(0);
    }

    const CPasteItem& ItemAt(int g, int i) { return lib.Group(g).Item(static_cast<std::size_t>(i)); }

    // The names in row order; each row's indices are checked against the library.
    std::vector<std::u16string> Names() {
        std::vector<std::u16string> names;
        for (int i = 0; i < list.Count(); ++i) {
            const FindRow row = list.Row(i);
            EXPECT_EQ(&ItemAt(row.nGroup, row.nItem), row.pItem);
            names.push_back(row.pItem->m_strName);
        }
        return names;
    }

    CLibrary lib;
    CRecentItems recent{lib};
    CQuickPasteList list{lib, FoldLatinCase, recent};
};

TEST_F(QuickPasteListTest, RecentItemsFirstThenTheLibraryInOrderEachOnce) {
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Memo", u"Greeting", u"Agreement", u"Invoice"}));
    recent.Add(ItemAt(1, 1));
    recent.Add(ItemAt(0, 1));
    recent.Add(ItemAt(1, 1)); // pasted again: first, and once
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Invoice", u"Greeting", u"Memo", u"Agreement"}));
    EXPECT_FALSE(list.IsSearchPrepared()); // nothing typed: nothing folded yet

    // A freed recent item leaves both lists; a moved one keeps its place among the recent ones.
    lib.DeleteItem(1); // Greeting, of the current group
    lib.MoveGroup(1, 0);
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Invoice", u"Agreement", u"Memo"}));
    EXPECT_EQ(list.Row(3).pItem, nullptr);
    EXPECT_EQ(list.Row(-1).pItem, nullptr);
}

TEST_F(QuickPasteListTest, AWordSearchesWithFindsRankingAndSpacesAloneBrowse) {
    recent.Add(ItemAt(0, 0));
    list.SetQuery(u"gree");
    // Names holding the word first, then texts, each in library order; recency plays no part.
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Greeting", u"Agreement", u"Memo", u"Invoice"}));
    list.SetQuery(u"GREEN tot");
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Invoice"}));
    lib.AddItem(lib.Group(0), u"Green card", 0, u"total");
    EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Green card", u"Invoice"}));
    list.SetQuery(u" \t ");
    EXPECT_EQ(Names().front(), u"Memo");
    EXPECT_EQ(Names().size(), 5u);
}

} // namespace
