#include "core/io/recovery_store.hpp"

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>

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

std::optional<int> recoveryFilePid(std::string_view name) {
    if (name.size() <= copyPrefix.size() + copySuffix.size() || !name.starts_with(copyPrefix) ||
        !name.ends_with(copySuffix))
        return std::nullopt;
    const std::string_view middle = name.substr(copyPrefix.size(), name.size() - copyPrefix.size() - copySuffix.size());
    const auto dash = middle.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const std::string_view session = middle.substr(dash + 1);
    if (session.empty() || session.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return parsePid(middle.substr(0, dash));
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
        const auto pid = recoveryFilePid(it->path().filename().string());
        std::error_code statError;
        if (!pid || !it->is_regular_file(statError)) continue;
        const auto modified = it->last_write_time(statError);
        if (statError) continue;  // removed while we looked
        const auto bytes = it->file_size(statError);
        if (statError) continue;
        copies.push_back({it->path().string(), *pid, systemTime(modified), bytes});
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

bool recoveryCopyInUse(const RecoveryCopy& copy, const std::string& ownPath, const ProcessAliveCheck& alive) {
    if (copy.path == ownPath) return true;
    const auto ownPid = recoveryFilePid(fs::path(ownPath).filename().string());
    if (ownPid && copy.pid == *ownPid) return false;  // we are that process id now, so its owner is gone
    return alive(copy.pid);
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
        const auto pid = recoveryFilePid(target);
        if (pid && !recoveryCopyInUse({folder + "/" + target, *pid, {}, 0}, ownPath, alive))
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
