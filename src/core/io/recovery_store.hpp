// The folder of recovery copies: one file per editor process, named by its process id and
// start time, so editors running side by side never write the same file and a later process
// that happens to get the same id never overwrites an earlier one's copy. Listing the copies, choosing the
// one to reopen, pruning old ones, and the rule for when a running editor writes its copy.
// What a copy holds is core/format/recovery_document's business; the editor side (snapshot,
// background write, reopening) lives in tui/actions/recovery.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphloom {

// How many copies stay in the folder; older ones of ended processes are removed.
inline constexpr std::size_t recoveryCopiesKept = 10;

// <state folder>/recovery.
std::string recoveryFolder(const char* xdgStateHome, const char* home);
std::string recoveryFolder();

// "recovery-<pid>-<session>.glyphloom"; the pid and session back from such a name (nothing
// for any other).
std::string recoveryFileName(int pid, std::uint64_t session);
std::optional<int> recoveryFilePid(std::string_view name);
std::optional<std::uint64_t> recoveryFileSession(std::string_view name);
// A number that tells this process apart from earlier ones with the same id: the wall-clock
// time in milliseconds, taken after the process started.
std::uint64_t recoverySessionStamp();

struct RecoveryCopy {
    std::string path;
    int pid = 0;
    std::uint64_t session = 0;  // the writer's session stamp
    std::chrono::system_clock::time_point modified;
    std::uintmax_t bytes = 0;

    friend bool operator==(const RecoveryCopy&, const RecoveryCopy&) = default;
};

// Every copy in `folder`, newest first; empty when the folder is missing or unreadable.
std::vector<RecoveryCopy> listRecoveryCopies(const std::string& folder);

// Whether the editor that wrote a copy (process `pid`, session stamp `session`) still runs;
// injectable so tests decide who is alive.
using ProcessAliveCheck = std::function<bool(int pid, std::uint64_t session)>;
// True unless the system says there is no such process (a process of another user counts as
// alive: its copy is not ours to touch).
bool processAlive(int pid);
// When process `pid` started, by the wall clock; nothing when the system does not say.
std::optional<std::chrono::system_clock::time_point> processStartTime(int pid);
// The process is alive and is the one that took `session`: a process with the same id that
// started after the stamp is another program that got a reused id, and the copy's editor is
// gone. Where the start time is unknown, any live process counts.
bool copyOwnerRunning(int pid, std::uint64_t session);

// Whether a copy belongs to an editor still at work: ours (`ownPath`) or one whose process
// runs. A copy under our process id but another name is an earlier process's.
bool recoveryCopyInUse(const RecoveryCopy& copy, const std::string& ownPath, const ProcessAliveCheck& alive);

// The newest copy that is not in use.
std::optional<RecoveryCopy> chooseRecoveryCopy(const std::vector<RecoveryCopy>& newestFirst,
                                               const std::string& ownPath, const ProcessAliveCheck& alive);

// Keeps the newest `keep` copies; older ones are removed unless in use. Also removes the
// temporary files that an ended process left behind in the middle of a write. Returns how
// many files went.
int pruneRecoveryCopies(const std::string& folder, const std::string& ownPath, const ProcessAliveCheck& alive,
                        std::size_t keep = recoveryCopiesKept);

// When the editor writes its copy: there are changes the last copy lacks, the user has left
// the editor alone for `idle`, and the last copy is at least `minAge` old (the first copy
// needs only the pause). The caller supplies the times, so tests run on a made-up clock.
class RecoverySchedule {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto defaultIdle = std::chrono::milliseconds(2000);
    static constexpr auto defaultMinAge = std::chrono::milliseconds(30000);

    explicit RecoverySchedule(Clock::duration idle = defaultIdle, Clock::duration minAge = defaultMinAge)
        : idle_(idle), minAge_(minAge) {}

    void noteInput(Clock::time_point at) { lastInput_ = at; }
    void noteCopyWritten(Clock::time_point at) { lastCopy_ = at; }

    bool due(Clock::time_point now, bool changesSinceCopy) const;
    // How long the loop may sleep before a copy falls due; nothing means no copy is waiting
    // and the loop may sleep until input arrives.
    std::optional<Clock::duration> waitBefore(Clock::time_point now, bool changesSinceCopy) const;

private:
    Clock::time_point dueAt() const;

    Clock::duration idle_;
    Clock::duration minAge_;
    std::optional<Clock::time_point> lastInput_;
    std::optional<Clock::time_point> lastCopy_;
};

}  // namespace glyphloom
