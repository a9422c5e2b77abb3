// The data file and the export on a real file system under Wine: wide paths, "Wrong data file!"
// through the message seam, and saves that fail at each of their steps leaving the old file.
#include "SettingsTestSupport.h"
#include "library/Data.h"
#include "library/DataArchive.h"
#include "library/ExportFormat.h"
#include "library/ExportText.h"
#include "library/FileIo.h"

#include <gtest/gtest.h>

using namespace store_test;

namespace {

void FillLibrary(CLibrary& library, const std::u16string& suffix) {
    CPasteGroup& g = library.AddGroup(u"Gr\u00FC\u00DFe " + suffix);
    library.AddItem(g, u"\u65E5\u672C", 7, u"line one\r\nline [TAB] two");
    library.AddItem(library.AddGroup(u"Second"), u"x", 0, u"");
}

// A CData whose data file is `path`.
struct CDataAt : CData {
    explicit CDataAt(const std::u16string& path) { m_strDataFile = path; }
};

}  // namespace

TEST(DataFile, SavedAndLoadedThroughAFolderWithNonAsciiLetters) {
    CTestFolder folder(u"\u0414\u0430\u043D\u0456 \u6570\u636E");
    const std::u16string path = folder.File(u"Brindlex.dat");
    CMessageRecorder messages;
    {
        CDataAt data(path);
        FillLibrary(data.m_library, u"1");
        ASSERT_TRUE(data.SaveDataFile());
        EXPECT_EQ(ReadBytes(path), brindlex::WriteDataArchive(data.m_library));
    }
    CDataAt next(path);
    ASSERT_TRUE(next.LoadDataFile());
    ASSERT_EQ(next.m_library.GroupCount(), 2);
    EXPECT_EQ(next.m_library.Group(0).m_strName, u"Gr\u00FC\u00DFe 1");
    EXPECT_EQ(next.m_library.Group(0).m_arrItems[0]->m_strText, u"line one\r\nline [TAB] two");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(Exists(path + u".tmp"));
}

TEST(DataFile, AMissingFileIsAFirstStartAndADamagedOneSaysSo) {
    CTestFolder folder;
    CMessageRecorder messages;
    CDataAt missing(folder.File(u"none.dat"));
    EXPECT_TRUE(missing.LoadDataFile());
    EXPECT_TRUE(messages.messages.empty());

    WriteBytes(folder.File(u"bad.dat"), Bytes{0xFF, 0xFF, 0x01, 0x00, 0x05});
    CDataAt bad(folder.File(u"bad.dat"));
    EXPECT_FALSE(bad.LoadDataFile());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, u"Wrong data file!");
    EXPECT_EQ(messages.messages[0].caption, u"Brindlex");
}

TEST(DataFile, ASaveThatFailsAtAnyStepLeavesTheOldFileByteForByte) {
    using brindlex::FileStep;
    for (FileStep failing : {FileStep::Create, FileStep::Write, FileStep::Flush, FileStep::Close, FileStep::Replace}) {
        SCOPED_TRACE(static_cast<int>(failing));
        CTestFolder folder;
        const std::u16string path = folder.File(u"Brindlex.dat");
        CDataAt data(path);
        FillLibrary(data.m_library, u"old");
        ASSERT_TRUE(data.SaveDataFile());
        const Bytes old = ReadBytes(path);

        data.m_library.AddGroup(u"new since the last save");
        CMessageRecorder messages;
        bool asked = false;
        CFileFaultScope fault([&](FileStep step) -> DWORD {
            if (step == failing) {
                asked = true;
                return ERROR_DISK_FULL;
            }
            return 0;
        });
        EXPECT_FALSE(data.SaveDataFile());
        EXPECT_TRUE(asked) << "the save never reached that step";
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_FALSE(Exists(path + u".tmp")) << "a temporary file was left behind";
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, u"Wrong data file!");
        EXPECT_EQ(data.m_library.GroupCount(), 3) << "the library stays in memory";
    }
}

TEST(DataFile, TheFirstSaveMovesIntoPlaceAndAFailedMoveLeavesNothing) {
    CTestFolder folder;
    const std::u16string path = folder.File(u"Brindlex.dat");
    CDataAt data(path);
    FillLibrary(data.m_library, u"first");
    CMessageRecorder messages;
    {
        CFileFaultScope fault([](brindlex::FileStep step) -> DWORD {
            return step == brindlex::FileStep::Move ? ERROR_ACCESS_DENIED : 0;
        });
        EXPECT_FALSE(data.SaveDataFile());
    }
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(path + u".tmp"));
    ASSERT_TRUE(data.SaveDataFile());
    EXPECT_EQ(ReadBytes(path), brindlex::WriteDataArchive(data.m_library));
    // The second save keeps the first file as the backup.
    const Bytes first = ReadBytes(path);
    data.m_library.AddGroup(u"more");
    ASSERT_TRUE(data.SaveDataFile());
    EXPECT_EQ(ReadBytes(path + u".bak"), first);
}

TEST(DataFile, AFileHeldOpenByAnotherProgramIsNotReplaced) {
    CTestFolder folder;
    const std::u16string path = folder.File(u"Brindlex.dat");
    CDataAt data(path);
    FillLibrary(data.m_library, u"old");
    ASSERT_TRUE(data.SaveDataFile());
    const Bytes old = ReadBytes(path);
    data.m_library.AddGroup(u"new");
    HANDLE held = CreateFileW(W(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CMessageRecorder messages;
    EXPECT_FALSE(data.SaveDataFile());
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(data.SaveDataFile()) << "once it is free again the save goes through";
}

TEST(ExportFile, WritesTheExportBytesAndReportsAFailureByName) {
    CTestFolder folder(u"\u00C9xport");
    CLibrary library;
    FillLibrary(library, u"e");
    CMessageRecorder messages;
    const std::u16string path = folder.File(u"Brindlex.txt");
    ASSERT_TRUE(ExportText(library, path));
    EXPECT_EQ(ReadBytes(path), brindlex::FormatExportText(library));
    EXPECT_TRUE(messages.messages.empty());

    const std::u16string nowhere = folder.File(u"no such folder\\Brindlex.txt");
    EXPECT_FALSE(ExportText(library, nowhere));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find(nowhere), std::u16string::npos) << "the message names the file";
    EXPECT_FALSE(Exists(nowhere));
}
