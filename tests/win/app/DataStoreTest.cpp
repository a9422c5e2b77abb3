// The main window's data store under Wine, with a window of the test's own that hands it its
// messages: change-triggered saves written on a thread of their own, the exit save that waits for
// a write in flight, failures told once, Retry and Cancel at exit, and a data file left unread at
// the start that is not written over while the library stays unchanged.
#include "DialogTestSupport.h"
#include "SettingsTestSupport.h"
#include "core/library/DataArchive.h"
#include "win/app/CDataStore.h"
#include "win/library/FileIo.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace brindlex;

using namespace store_test;
using namespace dialog_test;

namespace {

// A hidden window that gives the store the messages the main window gives it.
class CStoreWindow : public CWnd {
public:
    explicit CStoreWindow(CDataStore& store) : m_store(store) {
        EXPECT_TRUE(
            CreateEx(0, nullptr, L"Brindlex store test", WS_OVERLAPPED, RECT{0, 0, 100, 100}, nullptr, 0));
    }
    ~CStoreWindow() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (m_store.OnMessage(message, wParam)) {
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CDataStore& m_store;
};

// A library saved in a folder of its own, loaded by a store that saves its changes from then on.
class DataStore : public ::testing::Test {
protected:
    void SetUp() override {
        CLibrary saved;
        saved.AddItem(saved.AddGroup(u"found"), u"item", 0, u"text");
        found = brindlex::WriteDataArchive(saved);
        WriteBytes(path, found);
        data.m_strDataFile = path;
    }
    // As the main window starts: the library read, the sample folder when it is empty, and the
    // changes saved from then on.
    void Start() {
        store.LoadDataFile();
        store.AddSampleGroupIfEmpty();
        store.SaveChangesFrom(window.GetSafeHwnd());
    }
    Bytes Library() const { return brindlex::WriteDataArchive(data.m_library); }
    bool SavedAsItIs(DWORD ms = 5000) const {
        // Under Wine the file is briefly not there while a save puts the new one in its place.
        return PumpUntil([&] { return TryReadBytes(path) == Library(); }, ms);
    }

    CTestFolder folder;
    const std::u16string path = folder.File(u"Brindlex.dat");
    Bytes found;
    CData data;
    CDataStore store{data};
    CStoreWindow window{store};
    CMessageRecorder messages;
};

} // namespace

TEST_F(DataStore, ChangesInARowAreWrittenOnceSoonAndOnlyTheFirstSaveKeepsTheBackup) {
    std::atomic<int> writes{0};
    std::atomic<DWORD> writer{0};
    CFileFaultScope count([&](FileStep step) -> DWORD {
        if (step == FileStep::Create) {
            ++writes;
            writer = GetCurrentThreadId();
        }
        return 0;
    });
    Start();
    for (const char16_t* name : {u"one", u"two", u"three"}) {
        data.m_library.AddGroup(name);
    }
    ASSERT_TRUE(SavedAsItIs());
    EXPECT_EQ(writes, 1);
    EXPECT_NE(writer, GetCurrentThreadId()) << "the window's thread does not wait for the disk";
    EXPECT_EQ(ReadBytes(path + u".bak"), found);

    data.m_library.RenameGroup(0, u"renamed");
    ASSERT_TRUE(SavedAsItIs());
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(ReadBytes(path + u".bak"), found) << "the backup is the library as the session found it";
    EXPECT_FALSE(PumpUntil([&] { return writes != 2; }, CSaveSchedule::kDelayMs + 300))
        << "no change, no save";
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DataStore, TheExitSaveWaitsForAWriteInFlight) {
    std::atomic<bool> inFlight{false}, flushed{false};
    std::atomic<bool> overlapped{false};
    const DWORD windowThread = GetCurrentThreadId();
    CFileFaultScope slow([&](FileStep step) -> DWORD {
        if (GetCurrentThreadId() != windowThread) {
            if (step == FileStep::Flush) {
                inFlight = true;
                Sleep(400);
                flushed = true;
            }
        } else if (step == FileStep::Create && inFlight && !flushed) {
            overlapped = true;
        }
        return 0;
    });
    Start();
    data.m_library.AddGroup(u"saved in the background");
    ASSERT_TRUE(PumpUntil([&] { return inFlight.load(); }));
    data.m_library.AddGroup(u"saved at exit");
    ASSERT_TRUE(store.SaveAllForExit(window.GetSafeHwnd()));
    EXPECT_FALSE(overlapped) << "two writes of one file at once";
    EXPECT_EQ(ReadBytes(path), Library());
    EXPECT_EQ(ReadBytes(path + u".bak"), found);
    EXPECT_EQ(List(folder.Path()), (std::vector<std::u16string>{u"Brindlex.dat", u"Brindlex.dat.bak"}));
    // The write's own message, which comes late now, changes nothing.
    EXPECT_FALSE(PumpUntil([&] { return !messages.messages.empty(); }, 100));
}

TEST_F(DataStore, AFailingSaveIsToldOnceAndTheExitAsksRetryOrCancel) {
    std::atomic<bool> full{true};
    CFileFaultScope disk(
        [&](FileStep step) -> DWORD { return full && step == FileStep::Write ? ERROR_DISK_FULL : 0; });
    Start();
    data.m_library.AddGroup(u"first");
    ASSERT_TRUE(PumpUntil([&] { return messages.messages.size() == 1; }));
    data.m_library.AddGroup(u"second");
    EXPECT_FALSE(PumpUntil([&] { return messages.messages.size() > 1; }, CSaveSchedule::kDelayMs + 500));
    ASSERT_EQ(messages.messages.size(), 1u) << "told once, not at every change";
    EXPECT_EQ(messages.messages[0].text, u"Wrong data file!");
    EXPECT_EQ(messages.messages[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));

    // At exit: Retry while the disk is still full asks again; Cancel goes on with the library.
    int asked = 0;
    messages.answer = [&](const ShownMessage& m) {
        EXPECT_EQ(m.text, u"Wrong data file!");
        EXPECT_EQ(m.type & MB_TYPEMASK, static_cast<UINT>(MB_RETRYCANCEL));
        return ++asked == 1 ? IDRETRY : IDCANCEL;
    };
    EXPECT_FALSE(store.SaveAllForExit(window.GetSafeHwnd()));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(data.m_library.GroupCount(), 3) << "the library stays in memory";
    EXPECT_EQ(ReadBytes(path), found);

    // Room again: Retry saves.
    messages.answer = [&](const ShownMessage&) {
        full = false;
        return IDRETRY;
    };
    EXPECT_TRUE(store.SaveAllForExit(window.GetSafeHwnd()));
    EXPECT_EQ(ReadBytes(path), Library());
}

TEST_F(DataStore, AFileUnreadAtTheStartIsOnlyWrittenOverAfterAChange) {
    HANDLE held = CreateFileW(W(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start(); // waits for the file as long as it may, then gives up on it
    ASSERT_EQ(messages.messages.size(), 1u);
    CloseHandle(held);

    ASSERT_TRUE(store.SaveAllForExit(window.GetSafeHwnd()));
    store.OnEndSession(window.GetSafeHwnd(), true);
    EXPECT_EQ(ReadBytes(path), found) << "the sample library was written over a library";
    EXPECT_EQ(List(folder.Path()), std::vector<std::u16string>{u"Brindlex.dat"});

    data.m_library.AddGroup(u"the user's change");
    ASSERT_TRUE(SavedAsItIs());
    EXPECT_EQ(ReadBytes(path + u".unread"), found) << "kept before it was written over";
    EXPECT_EQ(messages.messages.size(), 1u);
}
