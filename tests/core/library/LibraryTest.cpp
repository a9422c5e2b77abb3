#include "core/library/CData.h"
#include "core/library/CLibrary.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace brindlex;

namespace {

std::u16string Names(const CLibrary& lib) {
    std::u16string out;
    for (int i = 0; i < lib.GroupCount(); ++i) {
        out += lib.Group(i).m_strName;
    }
    return out;
}

std::u16string ItemNames(const CPasteGroup& g) {
    std::u16string out;
    for (const auto& item : g.m_arrItems) {
        out += item->m_strName;
    }
    return out;
}

struct Recorder : ILibraryObserver {
    int groupsChanged = 0, itemsChanged = 0, released = 0, changed = 0;
    int lastGroup = -2, lastItem = -2;
    void OnGroupsChanged() override { ++groupsChanged; }
    void OnItemsChanged() override { ++itemsChanged; }
    void OnCurrentGroupChanged(int i) override { lastGroup = i; }
    void OnCurrentItemChanged(int i) override { lastItem = i; }
    void OnItemReleasing(const CPasteItem&) override { ++released; }
    void OnLibraryChanged() override { ++changed; }
};

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        lib.AddObserver(&rec);
        for (const char16_t* n : {u"A", u"B", u"C"}) {
            lib.AddGroup(n);
        }
    }
    CLibrary lib;
    Recorder rec;
};

TEST_F(LibraryTest, MoveGroupFollowsTheInsertBeforeRule) {
    lib.MoveGroup(0, 2);
    EXPECT_EQ(Names(lib), u"BAC");
    EXPECT_EQ(lib.CurrentGroupIndex(), 1);

    lib.MoveGroup(2, 0); // B A C -> C B A
    EXPECT_EQ(Names(lib), u"CBA");
    EXPECT_EQ(lib.CurrentGroupIndex(), 0);

    lib.MoveGroup(0, -1);
    EXPECT_EQ(Names(lib), u"BAC");
    EXPECT_EQ(lib.CurrentGroupIndex(), 2);

    const int before = rec.groupsChanged;
    lib.MoveGroup(1, 1);
    EXPECT_EQ(Names(lib), u"BAC");
    EXPECT_EQ(rec.groupsChanged, before);
}

TEST_F(LibraryTest, DeleteGroupMakesTheNeighbourCurrentAndFreesItsItems) {
    for (const char16_t* n : {u"1", u"2", u"3"}) {
        lib.AddItem(lib.Group(2), n, 0, u"");
    }
    lib.SelectGroup(2);
    lib.DeleteGroup(2);
    EXPECT_EQ(rec.released, 3);
    EXPECT_EQ(lib.CurrentGroupIndex(), 1); // the last one went: the one before it

    lib.DeleteGroup(0);
    EXPECT_EQ(Names(lib), u"B");
    EXPECT_EQ(lib.CurrentGroupIndex(), 0); // the former second

    lib.DeleteGroup(0);
    EXPECT_EQ(lib.GroupCount(), 0);
    EXPECT_EQ(lib.CurrentGroup(), nullptr);
    EXPECT_EQ(lib.CurrentItem(), nullptr);
    lib.DeleteItem(0); // no current group: nothing
    lib.SelectGroup(0);
    EXPECT_EQ(lib.CurrentGroupIndex(), -1);
}

TEST_F(LibraryTest, SelectGroupRefillsAndMakesTheFirstItemCurrent) {
    lib.AddItem(lib.Group(1), u"x", 0, u"");
    lib.SelectGroup(1);
    EXPECT_EQ(lib.CurrentItemIndex(), 0);
    EXPECT_EQ(rec.lastItem, 0);
    lib.SelectGroup(0); // no items
    EXPECT_EQ(lib.CurrentItemIndex(), -1);
    EXPECT_EQ(lib.CurrentItem(), nullptr);
}

TEST_F(LibraryTest, RenameGroupOnlyRefillsWhenTheNameChanges) {
    lib.SelectGroup(1);
    const int refills = rec.itemsChanged;
    EXPECT_FALSE(lib.RenameGroup(1, u"B"));
    EXPECT_EQ(rec.itemsChanged, refills);
    EXPECT_FALSE(lib.RenameGroup(1, u"B"));
    EXPECT_TRUE(lib.RenameGroup(1, u"b")); // case-sensitive
    EXPECT_EQ(lib.Group(1).m_strName, u"b");
    EXPECT_EQ(rec.itemsChanged, refills + 1);
    EXPECT_TRUE(lib.RenameGroup(1, u"")); // empty names are fine
}

TEST_F(LibraryTest, DeleteItemSelectsTheGroupAgain) {
    CPasteGroup& g = lib.Group(0);
    for (const char16_t* n : {u"1", u"2", u"3"}) {
        lib.AddItem(g, n, 0, u"");
    }
    lib.SelectGroup(0);
    lib.SetCurrentItem(2);
    lib.DeleteItem(2);
    EXPECT_EQ(ItemNames(g), u"12");
    EXPECT_EQ(lib.CurrentItemIndex(), 0); // first item current again
    lib.DeleteItem(7);                    // out of range: nothing deleted, still reselected
    EXPECT_EQ(ItemNames(g), u"12");
    lib.DeleteItem(0);
    lib.DeleteItem(0);
    EXPECT_EQ(lib.CurrentItemIndex(), -1);
}

TEST_F(LibraryTest, MoveItemMovesInTheGroupAndKeepsTheMovedItemCurrent) {
    CPasteGroup& g = lib.Group(1);
    for (const char16_t* n : {u"0", u"1", u"2", u"3", u"4", u"5"}) {
        lib.AddItem(g, n, 0, u"");
    }
    lib.SelectGroup(1);
    lib.MoveItem(1, 4);
    EXPECT_EQ(ItemNames(g), u"023145");
    EXPECT_EQ(lib.CurrentItemIndex(), 3);
    lib.MoveItem(4, 1);
    EXPECT_EQ(ItemNames(g), u"042315");
    EXPECT_EQ(lib.CurrentItemIndex(), 1);
    lib.MoveItem(0, 99); // outside the rows counts as after the last one
    EXPECT_EQ(ItemNames(g), u"423150");
    lib.SelectGroup(0);
    lib.SelectGroup(1);
    EXPECT_EQ(ItemNames(g), u"423150");
}

TEST_F(LibraryTest, RenameItemMakesItCurrent) {
    CPasteGroup& g = lib.Group(0);
    lib.AddItem(g, u"a", 0, u"");
    lib.AddItem(g, u"b", 0, u"");
    lib.SelectGroup(0);
    EXPECT_FALSE(lib.RenameItem(1, u"b"));
    EXPECT_EQ(lib.CurrentItemIndex(), 0);
    EXPECT_TRUE(lib.RenameItem(1, u"B"));
    EXPECT_EQ(lib.CurrentItemIndex(), 1);
    EXPECT_EQ(g.Item(1).m_strName, u"B");
}

TEST_F(LibraryTest, ItemsAddedToTheCurrentGroupShowAtOnceAndContainsTracksOwnership) {
    lib.SelectGroup(0);
    const int refills = rec.itemsChanged;
    CPasteItem& item = lib.AddItem(lib.Group(0), u"n", 7, u"t");
    EXPECT_EQ(rec.itemsChanged, refills + 1);
    EXPECT_EQ(item.m_dwReserved, 7u);
    EXPECT_TRUE(lib.Contains(&item));
    lib.UpdateItem(item, u"n2", u"t2");
    EXPECT_EQ(item.m_strText, u"t2");
    lib.DeleteItem(0);
    EXPECT_FALSE(lib.Contains(&item));
}

// What the data file holds changes with these operations, and only with them: choosing a group or
// an item, and an operation that ends where it started, is no change to save.
TEST_F(LibraryTest, EveryChangeToWhatIsSavedIsAnnouncedOnceAndNothingElseIs) {
    CPasteGroup& g = lib.Group(0);
    lib.AddItem(g, u"a", 0, u"");
    CPasteItem& b = lib.AddItem(g, u"b", 0, u"");
    lib.SelectGroup(0);
    struct Step {
        const char* what;
        std::function<void()> run;
        int changes;
    };
    const std::vector<Step> steps{
        {"AddGroup", [&] { lib.AddGroup(u"D"); }, 1},
        {"AddItem", [&] { lib.AddItem(lib.Group(3), u"x", 0, u""); }, 1},
        {"RenameGroup", [&] { lib.RenameGroup(1, u"b2"); }, 1},
        {"RenameGroup to its own name", [&] { lib.RenameGroup(1, u"b2"); }, 0},
        {"RenameItem",
         [&] {
             lib.SelectGroup(0);
             lib.RenameItem(0, u"a2");
         },
         1},
        {"RenameItem to its own name", [&] { lib.RenameItem(0, u"a2"); }, 0},
        {"UpdateItem", [&] { lib.UpdateItem(b, u"b", u"new text"); }, 1},
        {"MoveItem", [&] { lib.MoveItem(0, -1); }, 1},
        {"MoveItem onto itself", [&] { lib.MoveItem(1, 1); }, 0},
        {"MoveGroup", [&] { lib.MoveGroup(0, 2); }, 1},
        {"SelectGroup, SetCurrentItem",
         [&] {
             lib.SelectGroup(1);
             lib.SetCurrentItem(1);
         },
         0},
        {"DeleteItem", [&] { lib.DeleteItem(0); }, 1},
        {"DeleteItem out of range", [&] { lib.DeleteItem(9); }, 0},
        {"DeleteGroup", [&] { lib.DeleteGroup(2); }, 1},
        {"Clear", [&] { lib.Clear(); }, 0},
    };
    for (const Step& step : steps) {
        const int before = rec.changed;
        step.run();
        EXPECT_EQ(rec.changed - before, step.changes) << step.what;
    }
}

TEST(DataTest, ConstructorFillsTheNineteenTokensInOrder) {
    CData data;
    EXPECT_EQ(data.m_arrTokens.size(), 19u);
    EXPECT_EQ(data.m_arrTokens[0], u"[TAB]");
    EXPECT_EQ(data.m_arrTokens[5], u"[ENTER]");
    EXPECT_EQ(data.m_arrTokens[18], u"[DEL]");
    EXPECT_TRUE(data.m_strDataFile.empty());
    EXPECT_EQ(data.m_library.GroupCount(), 0);
}

} // namespace
