#include "core/app/HelpPath.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(HelpPath, FolderOfTheExecutable) {
    EXPECT_EQ(HelpFilePath(u"C:\\Program Files\\Brindlex\\Brindlex.exe"),
              u"C:\\Program Files\\Brindlex\\Brindlex.chm");
    EXPECT_EQ(HelpFilePath(u"C:\\Brindlex.exe"), u"C:\\Brindlex.chm");
    EXPECT_EQ(ModuleFolder(u"C:\\Brindlex.exe"), u"C:\\");
    EXPECT_EQ(HelpFilePath(u"\\\\server\\share/Brindlex.exe"), u"\\\\server\\share\\Brindlex.chm");
}
