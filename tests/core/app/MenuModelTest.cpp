#include "core/app/MenuModel.h"

#include <gtest/gtest.h>

#include <string>

using namespace brindlex;

TEST(MenuModel, TrayAndMainMenusAsTabled) {
    const auto shown = TrayMenuEntries(true);
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(std::u16string(shown[0].text), u"&Hide");
    EXPECT_EQ(shown[0].id, 1025);
    EXPECT_EQ(shown[1].id, 1031);
    EXPECT_EQ(std::u16string(shown[1].text), u"&Find...");
    EXPECT_TRUE(shown[2].IsSeparator());
    EXPECT_EQ(shown[3].id, 1028);
    EXPECT_EQ(shown[5].id, 1030);
    EXPECT_EQ(shown[6].id, 1027);
    EXPECT_EQ(shown[8].id, 1026);
    EXPECT_EQ(std::u16string(shown[8].text), u"E&xit");
    EXPECT_EQ(std::u16string(TrayMenuEntries(false)[0].text), u"&Show");

    const auto main = MainMenuEntries(true);
    ASSERT_EQ(main.size(), 9u);
    EXPECT_EQ(main[1].id, 1033);
    EXPECT_TRUE(main[1].checked);
    EXPECT_FALSE(MainMenuEntries(false)[1].checked);
    EXPECT_TRUE(main[2].IsSeparator());
    EXPECT_EQ(main[3].id, 1039);
    EXPECT_EQ(std::u16string(main[3].text), u"&Find...\tCtrl+F");
    EXPECT_EQ(main[4].id, 1034);
    EXPECT_EQ(std::u16string(main[5].text), u"&Export to text file...");
    EXPECT_EQ(main[8].id, 1038);
}
