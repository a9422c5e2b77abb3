// The rules of the saves while the program runs: when a change is written, which save keeps the
// backup, which failure is told.
#include "core/library/CSaveSchedule.h"

#include <gtest/gtest.h>

#include <vector>

using namespace brindlex;

namespace {

// The schedule driven as the main window drives it: a timer that is started and comes, saves
// that start and end.
struct ScheduleRun {
    void Change() { timerRunning |= schedule.OnChange(); }
    // The timer comes; true when a save started (it is then in flight).
    bool Timer() {
        EXPECT_TRUE(timerRunning) << "a timer came that was never started";
        timerRunning = false;
        if (!schedule.OnTimer()) {
            return false;
        }
        Start();
        return true;
    }
    void Start() { backups.push_back(schedule.OnSaveStarted()); }
    CSaveSchedule::Finished Finish(bool saved) {
        const CSaveSchedule::Finished f = schedule.OnSaveFinished(saved);
        if (f.saveNow) {
            Start();
        }
        return f;
    }

    CSaveSchedule schedule;
    bool timerRunning = false;
    std::vector<bool> backups; // per save started: whether it keeps the backup
};

} // namespace

TEST(SaveSchedule, ChangesInARowShareOneSaveAndOnlyTheFirstSaveKeepsTheBackup) {
    ScheduleRun run;
    EXPECT_FALSE(run.schedule.ChangedSinceOpened());
    run.Change();
    EXPECT_TRUE(run.timerRunning);
    run.timerRunning = false;
    run.Change(); // the wait already runs: not started again, so the first change is not delayed
    run.Change();
    EXPECT_FALSE(run.timerRunning);
    run.timerRunning = true;
    EXPECT_TRUE(run.Timer());
    EXPECT_FALSE(run.schedule.HasUnsavedChanges()) << "the save took every change so far";
    EXPECT_FALSE(run.Finish(true).tellUser);

    run.Change();
    EXPECT_TRUE(run.Timer());
    run.Finish(true);
    EXPECT_EQ(run.backups, (std::vector<bool>{true, false}));
    EXPECT_TRUE(run.schedule.ChangedSinceOpened());
}
TEST(SaveSchedule, ATimerWithNothingToSaveSavesNothing) {
    ScheduleRun run;
    run.Change();
    EXPECT_TRUE(run.Timer());
    run.Finish(true);
    run.timerRunning = true; // a stale timer, or one sent by another program
    EXPECT_FALSE(run.Timer());
    EXPECT_TRUE(run.backups.size() == 1);
}
TEST(SaveSchedule, OneWriteAtATimeAndChangesMadeDuringItFollowAsItEnds) {
    ScheduleRun run;
    run.Change();
    ASSERT_TRUE(run.Timer());
    EXPECT_TRUE(run.schedule.WriteInFlight());
    run.Change(); // during the write
    EXPECT_TRUE(run.timerRunning);
    EXPECT_FALSE(run.Timer()) << "a second write while one is in flight";
    const CSaveSchedule::Finished f = run.Finish(true);
    EXPECT_TRUE(f.saveNow) << "the change waited its time already";
    EXPECT_EQ(run.backups.size(), 2u);
    run.Finish(true);

    // A change during a write whose wait has not ended yet waits for its timer.
    run.Change();
    ASSERT_TRUE(run.Timer());
    run.Change();
    EXPECT_FALSE(run.Finish(true).saveNow);
    EXPECT_TRUE(run.Timer());
    run.Finish(true);
    EXPECT_EQ(run.backups, (std::vector<bool>{true, false, false, false}));
}
TEST(SaveSchedule, AFailureIsToldOnceAndTriedAgainAtTheNextChange) {
    ScheduleRun run;
    run.Change();
    ASSERT_TRUE(run.Timer());
    EXPECT_TRUE(run.Finish(false).tellUser);
    EXPECT_TRUE(run.schedule.HasUnsavedChanges()) << "what failed is still to be saved (at exit too)";
    EXPECT_FALSE(run.timerRunning) << "not tried again by itself";

    run.Change();
    ASSERT_TRUE(run.Timer());
    EXPECT_FALSE(run.Finish(false).tellUser) << "told once, not at every change";
    run.Change();
    ASSERT_TRUE(run.Timer());
    EXPECT_FALSE(run.Finish(true).tellUser);
    // A failed first save kept no backup: the first one that goes through does.
    EXPECT_EQ(run.backups, (std::vector<bool>{true, true, true}));

    run.Change();
    ASSERT_TRUE(run.Timer());
    EXPECT_TRUE(run.Finish(false).tellUser) << "a new failure after a save that went through";
}
TEST(SaveSchedule, AnotherFileGetsItsOwnBackupAndAnOpenedLibraryStartsUnchanged) {
    ScheduleRun run;
    run.Change();
    ASSERT_TRUE(run.Timer());
    run.Finish(true);

    // The library moves to another file: it is saved there soon, keeping what was there.
    run.timerRunning |= run.schedule.OnMovedToAnotherFile();
    EXPECT_TRUE(run.timerRunning);
    ASSERT_TRUE(run.Timer());
    run.Finish(true);

    // Another library read in: nothing to save, not changed by the user, its own backup.
    run.Change();
    run.schedule.OnLibraryOpened();
    EXPECT_FALSE(run.schedule.HasUnsavedChanges());
    EXPECT_FALSE(run.schedule.ChangedSinceOpened());
    EXPECT_FALSE(run.Timer()) << "the wait that ran for the old library saves nothing";
    run.Change();
    ASSERT_TRUE(run.Timer());
    run.Finish(true);
    EXPECT_EQ(run.backups, (std::vector<bool>{true, true, true}));
}
