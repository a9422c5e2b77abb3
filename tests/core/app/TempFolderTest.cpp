#include "core/app/TempFolder.h"

#include <gtest/gtest.h>

using namespace brindlex;

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
