#include "core/layout/MainLayout.h"
#include "core/app/MenuModel.h"
#include "core/app/CTargetListModel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

using namespace brindlex;

namespace {
std::map<int, Rect> LayoutById(int w, int h, int combo, int dpi = kBaseDpi) {
    std::map<int, Rect> out;
    for (const auto& p : MainWindowLayout(w, h, combo, dpi)) {
        out[p.id] = p.rect;
    }
    return out;
}
} // namespace

TEST(MainLayout, ThreeHundredBySixHundredWithATwentyOnePixelCombo) {
    auto r = LayoutById(300, 600, 21);
    EXPECT_EQ(r[1017], (Rect{2, 545, 298, 566}));
    EXPECT_EQ(r[1008], (Rect{2, 52, 149, 541})); // 147 wide, 489 high
    EXPECT_EQ(r[1009], (Rect{151, 52, 298, 541}));
    EXPECT_EQ(r[1002], (Rect{62, 568, 298, 598}));
    EXPECT_EQ(r[1056], (Rect{2, 568, 32, 598}));
    EXPECT_EQ(r[1057], (Rect{32, 568, 62, 598}));
    EXPECT_EQ(r[1015], (Rect{238, 0, 298, 28}));
    EXPECT_EQ(r[1016], (Rect{213, 0, 238, 28}));
    EXPECT_EQ(r[1019], (Rect{89, 30, 109, 50}));
    EXPECT_EQ(r[1024], (Rect{278, 30, 298, 50}));
}

TEST(MainLayout, OddWidthsAndTinyWindowsArePassedOnAsComputed) {
    auto r = LayoutById(301, 100, 21);
    EXPECT_EQ(r[1008].Width(), 147);
    EXPECT_EQ(r[1009].left, 151);
    EXPECT_EQ(r[1009].Width(), 148);
    auto tiny = LayoutById(10, 40, 21);
    EXPECT_LT(tiny[1008].Height(), 0);
    EXPECT_LT(tiny[1002].Width(), 0);
}

TEST(MainLayout, AtEachScaleTheRectanglesAreThoseAt96ScaledAndNeighboursStayFlush) {
    const auto at96 = LayoutById(300, 600, 22);
    for (const int dpi : {120, 144, 192}) {
        const auto S = [dpi](int v) { return ScaleForDpi(v, dpi); };
        const auto r = LayoutById(S(300), S(600), S(22), dpi);
        for (const auto& [id, rect] : at96) {
            const Rect& scaled = r.at(id);
            for (const auto& [got, want] : {std::pair{scaled.left, rect.left},
                                            {scaled.top, rect.top},
                                            {scaled.right, rect.right},
                                            {scaled.bottom, rect.bottom}}) {
                EXPECT_LE(std::abs(got - S(want)), dpi == 192 ? 0 : 1) << id << " at " << dpi;
            }
        }
        EXPECT_EQ(r.at(1016).right, r.at(1015).left) << dpi;
        EXPECT_EQ(r.at(1019).right, r.at(1020).left) << dpi;
        EXPECT_EQ(r.at(1020).right, r.at(1021).left) << dpi;
        EXPECT_EQ(r.at(1022).right, r.at(1023).left) << dpi;
        EXPECT_EQ(r.at(1056).right, r.at(1057).left) << dpi;
        EXPECT_EQ(r.at(1057).right, r.at(1002).left) << dpi;
        EXPECT_EQ(r.at(1008).bottom, r.at(1009).bottom) << dpi;
        const auto band = MainWindowBand(Rect{0, 0, S(300), S(600)}, 0x00FFFFFF, dpi);
        EXPECT_EQ(band[1].rect.Height(), 1) << "the band's lines stay one pixel at " << dpi;
        EXPECT_EQ(band[0].rect, (Rect{S(2), S(28), S(300) - S(2), S(52)})) << dpi;
    }
    EXPECT_EQ(UnscaleForDpi(ScaleForDpi(310, 120), 120), 310);
    EXPECT_EQ(ScaleForDpi(-61, 120), -76) << "halves round away from zero";
}

TEST(MainLayout, BandColoursWrapAroundEachByte) {
    const auto band = MainWindowBand(Rect{0, 0, 300, 600}, 0x00FFFFFF);
    EXPECT_EQ(band[0].colour, 0x00FAFAFAu);
    EXPECT_EQ(band[1].colour, 0x00F0F0F0u);
    EXPECT_EQ(band[3].colour, 0x000E0E0Eu); // 255 + 15 wraps to 14
    EXPECT_EQ(band[0].rect, (Rect{2, 28, 298, 52}));
    EXPECT_EQ(band[4].rect, (Rect{297, 29, 298, 52}));
    EXPECT_EQ(ShiftColour(0x00000A05, -10), 0x00F600FBu);
}

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

#include "core/app/HelpPath.h"

TEST(HelpPath, FolderOfTheExecutable) {
    EXPECT_EQ(HelpFilePath(u"C:\\Program Files\\Brindlex\\Brindlex.exe"),
              u"C:\\Program Files\\Brindlex\\Brindlex.chm");
    EXPECT_EQ(HelpFilePath(u"C:\\Brindlex.exe"), u"C:\\Brindlex.chm");
    EXPECT_EQ(ModuleFolder(u"C:\\Brindlex.exe"), u"C:\\");
    EXPECT_EQ(HelpFilePath(u"\\\\server\\share/Brindlex.exe"), u"\\\\server\\share\\Brindlex.chm");
}

#include "core/app/TempFolder.h"

// Start with Windows is not written for a copy under the temporary folder.
TEST(TempFolder, InsideOnlyUpToASeparatorWhateverTheCaseAndSlash) {
    const std::u16string_view temp = u"C:\\Users\\Ann\\AppData\\Local\\Temp\\";
    EXPECT_TRUE(
        IsInsideFolder(u"C:\\Users\\Ann\\AppData\\Local\\Temp\\Temp1_Brindlex.zip\\Brindlex.exe", temp));
    EXPECT_TRUE(IsInsideFolder(u"c:/users/ann/APPDATA/local/temp/Brindlex.exe", temp));
    EXPECT_TRUE(IsInsideFolder(u"C:\\TEMP\\Brindlex.exe", u"c:/temp"));
    EXPECT_TRUE(IsInsideFolder(u"D:\\\u00C4rger\\Brindlex.exe", u"d:\\\u00E4rger\\"));
    EXPECT_FALSE(IsInsideFolder(u"C:\\Users\\Ann\\AppData\\Local\\Temporary\\Brindlex.exe", temp));
    EXPECT_FALSE(IsInsideFolder(u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Brindlex\\Brindlex.exe", temp));
    EXPECT_FALSE(IsInsideFolder(u"C:\\Users\\Ann\\AppData\\Local\\Temp\\", temp)); // the folder itself
    EXPECT_FALSE(IsInsideFolder(u"C:\\Brindlex.exe", u""));
    EXPECT_FALSE(IsInsideFolder(u"C:\\Brindlex.exe", u"\\"));
}
