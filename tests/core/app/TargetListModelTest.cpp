#include "core/app/CTargetListModel.h"

#include <gtest/gtest.h>

#include <string>

using namespace brindlex;

TEST(TargetListModel, SortsWithoutCaseAndTheSelectionFollowsItsEntry) {
    CTargetListModel model;
    model.Add(u"notepad", 1); // first window in Z order: selected
    EXPECT_EQ(model.Selected(), 0);
    model.Add(u"Calc", 2);
    model.Add(u"alpha", 3);
    model.Add(u"Zeta", 4);
    ASSERT_EQ(model.Count(), 4);
    EXPECT_EQ(model.Entry(0).title, u"alpha");
    EXPECT_EQ(model.Entry(1).title, u"Calc");
    EXPECT_EQ(model.Entry(3).title, u"Zeta");
    ASSERT_NE(model.SelectedEntry(), nullptr);
    EXPECT_EQ(model.SelectedEntry()->window, 1u);

    model.Add(u"NOTEPAD", 5); // same title: both listed, each with its own window
    EXPECT_EQ(model.Count(), 5);
    EXPECT_EQ(model.SelectedEntry()->window, 1u);
}
TEST(TargetListModel, PreviousAndNextWrapAround) {
    CTargetListModel model;
    EXPECT_EQ(model.PreviousIndex(), -1);
    EXPECT_EQ(model.NextIndex(), -1);
    model.Add(u"a", 1);
    model.Add(u"b", 2);
    model.Add(u"c", 3);
    model.Select(-1);
    EXPECT_EQ(model.NextIndex(), 0);     // nothing selected: the first
    EXPECT_EQ(model.PreviousIndex(), 2); // nothing selected: the last
    model.Select(0);
    EXPECT_EQ(model.PreviousIndex(), 2);
    model.Select(2);
    EXPECT_EQ(model.NextIndex(), 0);
}
TEST(HotkeyModifiers, TranslatesControlFlagsToRegisterHotKeyFlags) {
    EXPECT_EQ(HotkeyModifiers(6), 3u);  // Alt + Control
    EXPECT_EQ(HotkeyModifiers(3), 6u);  // Shift + Control
    EXPECT_EQ(HotkeyModifiers(1), 4u);  // Shift
    EXPECT_EQ(HotkeyModifiers(8), 0u);  // the extended-key flag is dropped
    EXPECT_EQ(HotkeyModifiers(15), 7u); // never a Windows-key modifier
}
