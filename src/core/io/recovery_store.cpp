#include "core/io/recovery_store.hpp"

#include <signal.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <sys/sysctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/io/file_io.hpp"

namespace glyphloom {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view copyPrefix = "recovery-";
constexpr std::string_view copySuffix = ".glyphloom";
// The atomic writer's temporary files are named after the target: "<copy>.tmp-<pid>-…".
constexpr std::string_view tempMarker = ".tmp-";

std::optional<int> parsePid(std::string_view digits) {
    int pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0 || digits.front() == '+')
        return std::nullopt;
    return pid;
}

std::chrono::system_clock::time_point systemTime(fs::file_time_type time) {
    // file_clock and system_clock share an epoch offset the library knows; clock_cast is not
    // in every standard library yet.
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        time - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
}

}  // namespace

std::string recoveryFolder(const char* xdgStateHome, const char* home) {
    return glyphloomStateFolder(xdgStateHome, home) + "/recovery";
}

std::string recoveryFolder() { return glyphloomStateFolder() + "/recovery"; }

std::string recoveryFileName(int pid, std::uint64_t session) {
    return std::string(copyPrefix) + std::to_string(pid) + "-" + std::to_string(session) + std::string(copySuffix);
}

namespace {

struct CopyName {
    int pid;
    std::uint64_t session;
};

std::optional<CopyName> parseCopyName(std::string_view name) {
    if (name.size() <= copyPrefix.size() + copySuffix.size() || !name.starts_with(copyPrefix) ||
        !name.ends_with(copySuffix))
        return std::nullopt;
    const std::string_view middle = name.substr(copyPrefix.size(), name.size() - copyPrefix.size() - copySuffix.size());
    const auto dash = middle.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const std::string_view session = middle.substr(dash + 1);
    if (session.empty() || session.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    const auto pid = parsePid(middle.substr(0, dash));
    if (!pid) return std::nullopt;
    std::uint64_t stamp = 0;
    const auto [end, error] = std::from_chars(session.data(), session.data() + session.size(), stamp);
    // A stamp too long to be one still names a copy; it just tells nothing about the time.
    if (error != std::errc() || end != session.data() + session.size()) stamp = 0;
    return CopyName{*pid, stamp};
}

}  // namespace

std::optional<int> recoveryFilePid(std::string_view name) {
    const auto parsed = parseCopyName(name);
    return parsed ? std::optional(parsed->pid) : std::nullopt;
}

std::optional<std::uint64_t> recoveryFileSession(std::string_view name) {
    const auto parsed = parseCopyName(name);
    return parsed ? std::optional(parsed->session) : std::nullopt;
}

std::uint64_t recoverySessionStamp() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
}

std::vector<RecoveryCopy> listRecoveryCopies(const std::string& folder) {
    std::vector<RecoveryCopy> copies;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const auto parsed = parseCopyName(it->path().filename().string());
        std::error_code statError;
        if (!parsed || !it->is_regular_file(statError)) continue;
        const auto modified = it->last_write_time(statError);
        if (statError) continue;  // removed while we looked
        const auto bytes = it->file_size(statError);
        if (statError) continue;
        copies.push_back({it->path().string(), parsed->pid, parsed->session, systemTime(modified), bytes});
    }
    // Newest first; equal times in a fixed order so every editor picks the same copy.
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.path < b.path;
    });
    return copies;
}

bool processAlive(int pid) {
    if (pid <= 0) return false;
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

std::optional<std::chrono::system_clock::time_point> processStartTime(int pid) {
    if (pid <= 0) return std::nullopt;
#if defined(__linux__)
    // Field 22 of /proc/PID/stat: clock ticks after boot. The command name (field 2) may hold
    // blanks and parentheses, so fields are counted from its closing parenthesis.
    const FileReadResult stat = readWholeFile("/proc/" + std::to_string(pid) + "/stat", 4096);
    if (!stat.data) return std::nullopt;
    const std::string text(stat.data->begin(), stat.data->end());
    const auto close = text.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    for (int n = 3; n < 22 && fields >> field; ++n) {
    }
    unsigned long long ticks = 0;
    if (!(fields >> ticks)) return std::nullopt;
    // The boot time, by the wall clock, from /proc/stat's "btime" line.
    const FileReadResult system = readWholeFile("/proc/stat", 1 << 20);
    if (!system.data) return std::nullopt;
    std::istringstream lines(std::string(system.data->begin(), system.data->end()));
    long long bootSeconds = -1;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("btime ", 0) == 0) bootSeconds = std::atoll(line.c_str() + 6);
    }
    const long tickRate = ::sysconf(_SC_CLK_TCK);
    if (bootSeconds < 0 || tickRate <= 0) return std::nullopt;
    return std::chrono::system_clock::time_point(std::chrono::seconds(bootSeconds)) +
           std::chrono::milliseconds(ticks * 1000 / static_cast<unsigned long long>(tickRate));
#elif defined(__APPLE__)
    struct kinfo_proc info {};
    std::size_t size = sizeof info;
    int query[] = {CTL_KERN, KERN_PROC, KERN_PROC_PID, pid};
    if (::sysctl(query, 4, &info, &size, nullptr, 0) != 0 || size == 0) return std::nullopt;
    const timeval started = info.kp_proc.p_starttime;
    return std::chrono::system_clock::time_point(std::chrono::seconds(started.tv_sec) +
                                                 std::chrono::microseconds(started.tv_usec));
#else
    return std::nullopt;
#endif
}

bool copyOwnerRunning(int pid, std::uint64_t session) {
    if (!processAlive(pid)) return false;
    if (session == 0) return true;
    const auto started = processStartTime(pid);
    if (!started) return true;
    // The owner took its stamp after it started. The boot time is known to the second only,
    // so a process counts as later only when it started clearly after the stamp.
    constexpr auto slack = std::chrono::seconds(2);
    const auto stamp = std::chrono::system_clock::time_point(std::chrono::milliseconds(session));
    return *started <= stamp + slack;
}

bool recoveryCopyInUse(const RecoveryCopy& copy, const std::string& ownPath, const ProcessAliveCheck& alive) {
    if (copy.path == ownPath) return true;
    const auto ownPid = recoveryFilePid(fs::path(ownPath).filename().string());
    if (ownPid && copy.pid == *ownPid) return false;  // we are that process id now, so its owner is gone
    return alive(copy.pid, copy.session);
}

std::optional<RecoveryCopy> chooseRecoveryCopy(const std::vector<RecoveryCopy>& newestFirst,
                                               const std::string& ownPath, const ProcessAliveCheck& alive) {
    for (const RecoveryCopy& copy : newestFirst) {
        if (!recoveryCopyInUse(copy, ownPath, alive)) return copy;
    }
    return std::nullopt;
}

int pruneRecoveryCopies(const std::string& folder, const std::string& ownPath, const ProcessAliveCheck& alive,
                        std::size_t keep) {
    int removed = 0;
    const std::vector<RecoveryCopy> copies = listRecoveryCopies(folder);
    for (std::size_t i = keep; i < copies.size(); ++i) {
        if (recoveryCopyInUse(copies[i], ownPath, alive)) continue;
        std::error_code error;
        if (fs::remove(copies[i].path, error)) ++removed;
    }
    // A write cut short (the process was killed mid-way) leaves its temporary file behind.
    std::error_code error;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const auto marker = name.find(tempMarker);
        if (marker == std::string::npos) continue;
        const std::string target = name.substr(0, marker);
        const auto parsed = parseCopyName(target);
        if (parsed && !recoveryCopyInUse({folder + "/" + target, parsed->pid, parsed->session, {}, 0}, ownPath, alive))
            leftovers.push_back(it->path());
    }
    for (const fs::path& path : leftovers) {
        std::error_code ignored;
        if (fs::remove(path, ignored)) ++removed;
    }
    return removed;
}

RecoverySchedule::Clock::time_point RecoverySchedule::dueAt() const {
    const Clock::time_point afterPause = lastInput_ ? *lastInput_ + idle_ : Clock::time_point::min();
    const Clock::time_point afterAge = lastCopy_ ? *lastCopy_ + minAge_ : Clock::time_point::min();
    return std::max(afterPause, afterAge);
}

bool RecoverySchedule::due(Clock::time_point now, bool changesSinceCopy) const {
    return changesSinceCopy && now >= dueAt();
}

std::optional<RecoverySchedule::Clock::duration> RecoverySchedule::waitBefore(Clock::time_point now,
                                                                            bool changesSinceCopy) const {
    if (!changesSinceCopy) return std::nullopt;
    const Clock::time_point at = dueAt();
    return at <= now ? Clock::duration::zero() : at - now;
}

}  // namespace glyphloom
