// The data file and the export on a real file system under Wine: wide paths, "Wrong data file!"
// through the message seam, and saves that fail at each of their steps leaving the old file.
#include "SettingsTestSupport.h"
#include "core/library/CData.h"
#include "core/library/DataArchive.h"
#include "core/library/ExportFormat.h"
#include "win/library/CDataFile.h"
#include "win/library/ExportText.h"
#include "win/library/FileIo.h"

#include <gtest/gtest.h>

#include <thread>

using namespace brindlex;

using namespace store_test;

namespace {

void FillLibrary(CLibrary& library, const std::u16string& suffix) {
    CPasteGroup& g = library.AddGroup(u"Gr\u00FC\u00DFe " + suffix);
    library.AddItem(g, u"\u65E5\u672C", 7, u"line one\r\nline [TAB] two");
    library.AddItem(library.AddGroup(u"Second"), u"x", 0, u"");
}

// A CData whose data file is `path`, with the store that loads and saves it.
struct CDataAt : CData {
    explicit CDataAt(const std::u16string& path) { m_strDataFile = path; }
    bool LoadDataFile() { return m_file.Load(*this); }
    bool SaveDataFile() { return m_file.Save(*this); }
    CDataFile m_file;
};

// Where the data file that could not be read is kept: the first name, or a numbered one.
std::u16string KeptName(const std::u16string& path, std::size_t number) {
    std::u16string name = path + u".unread";
    if (number > 0) {
        name += u'.';
        name += U16(std::to_wstring(number));
    }
    return name;
}

// A data file saved once in a folder of its own, and the library changed since: what a save
// that fails must leave as it was.
struct CChangedSinceSaved {
    // False when the first save already failed.
    bool SaveThenAdd(const std::u16string& group) {
        FillLibrary(data.m_library, u"old");
        if (!data.SaveDataFile()) {
            return false;
        }
        saved = ReadBytes(path);
        data.m_library.AddGroup(group);
        return true;
    }

    CTestFolder folder;
    const std::u16string path = folder.File(u"Brindlex.dat");
    CDataAt data{path};
    Bytes saved;
};

} // namespace

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
    for (FileStep failing :
         {FileStep::Create, FileStep::Write, FileStep::Flush, FileStep::Close, FileStep::Replace}) {
        SCOPED_TRACE(static_cast<int>(failing));
        CChangedSinceSaved file;
        ASSERT_TRUE(file.SaveThenAdd(u"new since the last save"));
        CDataAt& data = file.data;
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
        EXPECT_EQ(ReadBytes(file.path), file.saved);
        EXPECT_FALSE(Exists(file.path + u".tmp")) << "a temporary file was left behind";
        EXPECT_TRUE(messages.messages.empty()) << "whoever saves tells the user, in its own way";
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
    CChangedSinceSaved file;
    ASSERT_TRUE(file.SaveThenAdd(u"new"));
    HANDLE held = CreateFileW(W(file.path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CMessageRecorder messages;
    EXPECT_FALSE(file.data.SaveDataFile());
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(file.path), file.saved);
    EXPECT_TRUE(file.data.SaveDataFile()) << "once it is free again the save goes through";
}

// A data file that could not be read is kept beside itself before anything is saved over it.
TEST(DataFile, ALibraryThatCouldNotBeReadIsKeptByteForByteUnderANameNoSaveReplaces) {
    CTestFolder folder;
    const std::u16string path = folder.File(u"Brindlex.dat");
    Bytes cut = [] {
        CLibrary library;
        FillLibrary(library, u"cut");
        return brindlex::WriteDataArchive(library);
    }();
    cut.resize(cut.size() - 3);
    const std::vector<Bytes> damaged{Bytes{}, Bytes{'n', 'o', 't', 0xFF, 0x00}, cut};
    CMessageRecorder messages;
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        WriteBytes(path, damaged[i]);
        CDataAt first(path);
        EXPECT_FALSE(first.LoadDataFile());
        EXPECT_EQ(first.m_file.KeptUnreadPath(), KeptName(path, i)) << "kept before the program goes on";
        CDataAt data(path);
        EXPECT_FALSE(data.LoadDataFile());
        EXPECT_EQ(data.m_file.KeptUnreadPath(), KeptName(path, i)) << "a second start keeps no second copy";
        EXPECT_FALSE(Exists(KeptName(path, i + 1)));
        for (int exit = 0; exit < 2; ++exit) { // the second save's backup no longer holds it
            data.m_library.AddGroup(u"saved " + U16(std::to_wstring(exit)));
            ASSERT_TRUE(data.SaveDataFile());
        }
        EXPECT_EQ(ReadBytes(path), brindlex::WriteDataArchive(data.m_library));
        for (std::size_t j = 0; j <= i; ++j) {
            EXPECT_EQ(ReadBytes(KeptName(path, j)), damaged[j]) << j;
        }
    }
    EXPECT_EQ(messages.messages.size(), 2 * damaged.size());
    for (const ShownMessage& message : messages.messages) {
        EXPECT_EQ(message.text, u"Wrong data file!");
    }
}

TEST(DataFile, AnUnreadFileThatCannotBeKeptYetIsNotSavedOver) {
    CTestFolder folder;
    const std::u16string path = folder.File(u"Brindlex.dat");
    const Bytes damaged{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'C', 'D', 'a', 't', 'x'};
    WriteBytes(path, damaged);
    CMessageRecorder messages;
    CDataAt data(path);
    {
        // A folder that takes no new file: no copy can be made, and a save would write in place.
        CFileFaultScope noNewFiles([](brindlex::FileStep step) -> DWORD {
            return step == brindlex::FileStep::Create ? ERROR_ACCESS_DENIED : 0;
        });
        EXPECT_FALSE(data.LoadDataFile());
        EXPECT_TRUE(data.m_file.KeptUnreadPath().empty());
        data.m_library.AddGroup(u"new");
        EXPECT_FALSE(data.SaveDataFile());
        EXPECT_EQ(ReadBytes(path), damaged);
        EXPECT_EQ(List(folder.Path()), std::vector<std::u16string>{u"Brindlex.dat"});
    }
    EXPECT_EQ(messages.messages.size(), 1u) << "the load's";
    ASSERT_TRUE(data.SaveDataFile()) << "once the copy can be made the save goes through";
    EXPECT_EQ(ReadBytes(path + u".unread"), damaged);
    EXPECT_EQ(ReadBytes(path), brindlex::WriteDataArchive(data.m_library));
}

// Where no file can be made beside the data file, the data file itself is written.
TEST(DataFile, WhereNoTemporaryFileCanBeMadeTheFileIsWrittenInPlace) {
    CTestFolder folder;
    CMessageRecorder messages;
    // A folder that takes no new file, and a name that leaves no room for ".tmp" within the 255
    // units one name may have.
    for (const std::u16string& name :
         {std::u16string(u"Brindlex.dat"), std::u16string(248, u'n') + u".dat"}) {
        SCOPED_TRACE(name.size());
        const std::u16string path = folder.File(name);
        const DWORD refused = name.size() < 100 ? ERROR_ACCESS_DENIED : 0;
        const auto noNewFiles = [refused](brindlex::FileStep step) -> DWORD {
            return step == brindlex::FileStep::Create ? refused : 0;
        };
        CDataAt data(path);
        FillLibrary(data.m_library, u"in place");
        {
            CFileFaultScope fault(noNewFiles);
            EXPECT_TRUE(data.SaveDataFile()) << "a first save makes the file itself";
            data.m_library.AddGroup(u"second");
            EXPECT_TRUE(data.SaveDataFile());
        }
        EXPECT_EQ(ReadBytes(path), brindlex::WriteDataArchive(data.m_library));
        EXPECT_EQ(List(folder.Path()), std::vector<std::u16string>{name}) << "no temporary file, no backup";

        // The disk fills up as the file grows: the old contents are put back.
        const Bytes old = ReadBytes(path);
        data.m_library.AddItem(data.m_library.AddGroup(u"large"), u"x", 0, std::u16string(600000, u'x'));
        int writes = 0;
        CFileFaultScope full([&](brindlex::FileStep step) -> DWORD {
            return step == brindlex::FileStep::Write && ++writes > 1 ? ERROR_DISK_FULL : noNewFiles(step);
        });
        EXPECT_FALSE(data.SaveDataFile());
        EXPECT_EQ(writes, 2) << "the first piece went over the old contents";
        EXPECT_EQ(ReadBytes(path), old);
        DeleteFileW(W(path));
    }
}

// The first save of a session keeps the file it found as the backup; later ones replace only the
// data file, so the backup stays the library as the session found it.
TEST(DataFile, OnlyASaveThatAsksForItKeepsTheOldFileAsTheBackup) {
    CChangedSinceSaved file;
    ASSERT_TRUE(file.SaveThenAdd(u"first change"));
    ASSERT_TRUE(file.data.m_file.Save(file.data, true));
    EXPECT_EQ(ReadBytes(file.path + u".bak"), file.saved);
    file.data.m_library.AddGroup(u"second change");
    ASSERT_TRUE(file.data.m_file.Save(file.data, false));
    EXPECT_EQ(ReadBytes(file.path + u".bak"), file.saved);
    EXPECT_EQ(ReadBytes(file.path), brindlex::WriteDataArchive(file.data.m_library));
    EXPECT_EQ(List(file.folder.Path()), (std::vector<std::u16string>{u"Brindlex.dat", u"Brindlex.dat.bak"}));
}

// A read-only leftover or a folder of the temporary file's name: the save takes a temporary name
// of its own beside it, and still keeps the backup (which writing in place could not).
TEST(DataFile, SomethingInTheWayOfTheTemporaryFileIsWalkedAround) {
    for (const bool folderInTheWay : {false, true}) {
        SCOPED_TRACE(folderInTheWay ? "a folder" : "a read-only file");
        CChangedSinceSaved file;
        ASSERT_TRUE(file.SaveThenAdd(u"new"));
        const std::u16string temp = file.path + u".tmp";
        if (folderInTheWay) {
            ASSERT_TRUE(CreateDirectoryW(W(temp), nullptr));
        } else {
            WriteBytes(temp, Bytes{'o', 'l', 'd'});
            ASSERT_TRUE(SetFileAttributesW(W(temp), FILE_ATTRIBUTE_READONLY));
        }
        // Windows refuses to open a read-only file for writing; Wine run by root does not, so
        // the refusal Windows gives is given here.
        int creates = 0;
        CFileFaultScope readOnly([&](FileStep step) -> DWORD {
            return step == FileStep::Create && ++creates == 1 && !folderInTheWay ? ERROR_ACCESS_DENIED : 0;
        });
        ASSERT_TRUE(file.data.SaveDataFile());
        EXPECT_EQ(ReadBytes(file.path), brindlex::WriteDataArchive(file.data.m_library));
        EXPECT_EQ(ReadBytes(file.path + u".bak"), file.saved);
        EXPECT_EQ(List(file.folder.Path()),
                  (std::vector<std::u16string>{u"Brindlex.dat", u"Brindlex.dat.bak", u"Brindlex.dat.tmp"}))
            << "nothing else left behind, and what was in the way is left alone";
        if (!folderInTheWay) {
            EXPECT_EQ(ReadBytes(temp), (Bytes{'o', 'l', 'd'}));
        }
        SetFileAttributesW(W(temp), FILE_ATTRIBUTE_NORMAL);
    }
}

// Another program holds the data file at start-up: a hold of a moment is waited for; one that
// lasts past the wait leaves the file unread, and nothing is saved over it unasked.
TEST(DataFile, AFileHeldAtTheStartIsWaitedForAWhile) {
    CChangedSinceSaved file;
    ASSERT_TRUE(file.SaveThenAdd(u"unsaved"));
    CMessageRecorder messages;
    for (const DWORD holdMs : {DWORD{300}, DWORD{CDataFile::kHeldFileWaitMs + 1500}}) {
        SCOPED_TRACE(holdMs);
        HANDLE held = CreateFileW(W(file.path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread release([held, holdMs] {
            Sleep(holdMs);
            CloseHandle(held);
        });
        CDataAt next(file.path);
        const bool loaded = next.LoadDataFile();
        release.join();
        if (holdMs < CDataFile::kHeldFileWaitMs) {
            EXPECT_TRUE(loaded);
            EXPECT_EQ(next.m_library.GroupCount(), 2);
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_FALSE(next.m_file.CouldNotBeRead(next));
        } else {
            EXPECT_FALSE(loaded);
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, u"Wrong data file!");
            EXPECT_TRUE(next.m_file.CouldNotBeRead(next));
            CDataAt elsewhere(file.folder.File(u"other.dat"));
            EXPECT_FALSE(next.m_file.CouldNotBeRead(elsewhere)) << "only that file";
        }
    }
    EXPECT_EQ(ReadBytes(file.path), file.saved);
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
