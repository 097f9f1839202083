#include "core/io/recovery_store.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace glyphloom {
namespace recovery_store_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class RecoveryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("glyphloom-recovery-store-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A file `name` whose modification time lies `ageSeconds` in the past.
    std::string put(const std::string& name, int ageSeconds) const {
        const fs::path path = folder_ / name;
        std::ofstream(path) << name;
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(ageSeconds));
        return path.string();
    }
    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder_)) out.insert(entry.path().filename().string());
        return out;
    }

    fs::path folder_;
};

TEST(RecoveryFileName, CarriesTheProcessIdAndNothingElseParses) {
    EXPECT_EQ(recoveryFileName(4242, 17), "recovery-4242-17.glyphloom");
    EXPECT_EQ(recoveryFilePid(recoveryFileName(4242, 17)), 4242);
    for (const char* name : {"recovery-4242.glyphloom", "recovery--1-5.glyphloom", "recovery-0-5.glyphloom",
                             "recovery-+5-1.glyphloom", "recovery-abc-5.glyphloom", "recovery-12-x.glyphloom",
                             "recovery-12-.glyphloom", "recovery-99999999999-1.glyphloom",
                             "recovery-12-5.glyphloom.tmp-12-0-1", "art.glyphloom", "recovery-12-5.ans"}) {
        EXPECT_EQ(recoveryFilePid(name), std::nullopt) << name;
    }
}

TEST_F(RecoveryStoreTest, ListsCopiesNewestFirstAndIgnoresEverythingElse) {
    put("recovery-10-1.glyphloom", 300);
    put("recovery-11-1.glyphloom", 5);
    put("recovery-12-1.glyphloom", 60);
    put("notes.txt", 0);
    put("recovery-13-1.glyphloom.tmp-13-0-1", 0);
    fs::create_directories(folder_ / "recovery-14-1.glyphloom");
    std::vector<int> pids;
    for (const RecoveryCopy& copy : listRecoveryCopies(folder_.string())) {
        pids.push_back(copy.pid);
        EXPECT_EQ(copy.bytes, fs::path(copy.path).filename().string().size());
    }
    EXPECT_EQ(pids, (std::vector{11, 12, 10}));
    EXPECT_TRUE(listRecoveryCopies((folder_ / "missing").string()).empty());
}

TEST_F(RecoveryStoreTest, ChoosesTheNewestCopyOfAnEndedEditor) {
    const std::string own = (folder_ / recoveryFileName(20, 99)).string();
    put("recovery-21-1.glyphloom", 1);   // alive
    put(recoveryFileName(20, 99), 2);    // ours
    put("recovery-20-50.glyphloom", 3);  // an earlier process that had our id
    put("recovery-22-1.glyphloom", 4);   // ended
    const auto alive = [](int pid, std::uint64_t) { return pid == 21 || pid == 20; };
    const auto copies = listRecoveryCopies(folder_.string());
    const auto chosen = chooseRecoveryCopy(copies, own, alive);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fs::path(chosen->path).filename(), "recovery-20-50.glyphloom");
    const auto everyoneAlive = [](int, std::uint64_t) { return true; };
    EXPECT_EQ(chooseRecoveryCopy(copies, own, everyoneAlive), chosen);
    EXPECT_EQ(chooseRecoveryCopy(copies, (folder_ / recoveryFileName(30, 1)).string(), everyoneAlive), std::nullopt);
}

TEST_F(RecoveryStoreTest, PruningKeepsTheNewestTenAndNeverTouchesACopyInUse) {
    for (int i = 0; i < 14; ++i) put("recovery-" + std::to_string(100 + i) + "-1.glyphloom", 10 * i);
    const std::string own = (folder_ / "recovery-113-1.glyphloom").string();  // the oldest
    put("recovery-112-1.glyphloom.tmp-112-0-7", 0);  // alive writer's temporary
    put("recovery-300-1.glyphloom.tmp-300-0-7", 0);  // left by an ended one
    const auto alive = [](int pid, std::uint64_t) { return pid == 111 || pid == 112; };
    EXPECT_EQ(pruneRecoveryCopies(folder_.string(), own, alive), 2);  // 110 and the stale temporary
    std::set<std::string> expected;
    for (int i = 0; i < 14; ++i)
        if (i != 10) expected.insert("recovery-" + std::to_string(100 + i) + "-1.glyphloom");
    expected.insert("recovery-112-1.glyphloom.tmp-112-0-7");
    EXPECT_EQ(names(), expected);
}

TEST(ProcessAlive, KnowsThisProcessAndRejectsImpossibleIds) {
    EXPECT_TRUE(processAlive(::getpid()));
    EXPECT_FALSE(processAlive(0));
    EXPECT_FALSE(processAlive(-1));
}

TEST(ProcessAlive, AnIdReusedByALaterProcessDoesNotKeepACopyInUse) {
    const auto started = processStartTime(::getpid());
    if (!started) GTEST_SKIP() << "this system does not tell when a process started";
    const auto now = std::chrono::system_clock::now();
    EXPECT_LE(*started, now);
    EXPECT_GT(*started, now - std::chrono::hours(24));  // a test run is not that old
    const auto stampAt = [](std::chrono::system_clock::time_point at) {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count());
    };
    const struct {
        const char* what;
        std::uint64_t session;
        bool running;
    } cases[] = {
        {"stamped after this process started: its own copy", stampAt(now), true},
        {"stamped an hour before it started: an ended editor's id, reused", stampAt(*started - 1h), false},
        {"no usable stamp: any live process counts", 0, true},
    };
    for (const auto& c : cases) EXPECT_EQ(copyOwnerRunning(::getpid(), c.session), c.running) << c.what;
    EXPECT_FALSE(copyOwnerRunning(0, stampAt(now)));
}

TEST_F(RecoveryStoreTest, ACopyWhoseIdWasReusedIsReopenedAndPruned) {
    const auto started = processStartTime(::getpid());
    if (!started) GTEST_SKIP() << "this system does not tell when a process started";
    const auto before = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>((*started - 1h).time_since_epoch()).count());
    const std::string reused = recoveryFileName(::getpid(), before);
    put(reused, 100);
    const std::string own = (folder_ / recoveryFileName(1, 1)).string();
    const auto chosen = chooseRecoveryCopy(listRecoveryCopies(folder_.string()), own, copyOwnerRunning);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fs::path(chosen->path).filename(), reused);
    EXPECT_EQ(chosen->session, before);
    EXPECT_EQ(pruneRecoveryCopies(folder_.string(), own, copyOwnerRunning, 0), 1);
}

TEST(RecoverySchedule, WaitsForAPauseAndForTheLastCopyToAge) {
    using Clock = RecoverySchedule::Clock;
    const Clock::time_point t0{std::chrono::hours(1)};
    struct Case {
        const char* what;
        std::optional<Clock::duration> inputAgo, copyAgo;
        bool changes;
        bool due;
        std::optional<Clock::duration> wait;
    };
    const Case cases[] = {
        {"no changes: nothing to do", 10s, std::nullopt, false, false, std::nullopt},
        {"first copy once the user pauses", 2s, std::nullopt, true, true, 0s},
        {"still busy", 500ms, std::nullopt, true, false, 1500ms},
        {"paused, but the last copy is fresh", 5s, 10s, true, false, 20s},
        {"paused and the copy is old", 5s, 31s, true, true, 0s},
        {"old copy, but input just now", 100ms, 60s, true, false, 1900ms},
    };
    for (const Case& c : cases) {
        RecoverySchedule schedule;
        if (c.inputAgo) schedule.noteInput(t0 - *c.inputAgo);
        if (c.copyAgo) schedule.noteCopyWritten(t0 - *c.copyAgo);
        EXPECT_EQ(schedule.due(t0, c.changes), c.due) << c.what;
        EXPECT_EQ(schedule.waitBefore(t0, c.changes), c.wait) << c.what;
    }
}

}  // namespace recovery_store_test
}  // namespace glyphloom
