// The session's recent items, which the quick-paste popup lists first.
#include "core/find/CRecentItems.h"
#include "core/library/CLibrary.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(RecentItems, KeepsTheTenLatest) {
    CLibrary lib;
    CRecentItems recent(lib);
    CPasteGroup& group = lib.AddGroup(u"G");
    for (int i = 0; i < 12; ++i) {
        recent.Add(lib.AddItem(group, std::u16string(1, static_cast<char16_t>(u'a' + i)), 0, u""));
    }
    ASSERT_EQ(recent.Items().size(), CRecentItems::kMaxItems);
    EXPECT_EQ(recent.Items().front()->m_strName, u"l");
    EXPECT_EQ(recent.Items().back()->m_strName, u"c");
    lib.Clear();
    EXPECT_TRUE(recent.Items().empty());
}
