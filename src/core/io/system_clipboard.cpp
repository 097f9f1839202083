#include "core/io/system_clipboard.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "core/io/pipe.hpp"
#include "core/text/utf8.hpp"

extern char** environ;

namespace glyphloom {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

void killAndReap(pid_t pid) {
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Waits for the child until the deadline; its exit status, or nothing when it overstays.
std::optional<int> waitUntil(pid_t pid, Clock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return status;
        if (done < 0 && errno != EINTR) return std::nullopt;  // not our child any more
        if (millisecondsLeft(deadline) == 0) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace

std::optional<std::string> captureProgramOutput(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
                                                std::size_t maxBytes) {
    if (argv.empty()) return std::nullopt;
    int fds[2];
    if (!openPipe(fds, false)) return std::nullopt;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return std::nullopt;
    }

    const Clock::time_point deadline = Clock::now() + limit;
    std::string out;
    bool complete = false;  // end of output reached within the limits
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        const int ready = poll(&p, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;  // time is up (or poll failed)
        char buffer[4096];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            complete = n == 0;
            break;
        }
        if (out.size() + static_cast<std::size_t>(n) > maxBytes) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);

    if (!complete) {
        killAndReap(pid);
        return std::nullopt;
    }
    const std::optional<int> status = waitUntil(pid, deadline);
    if (!status) {
        killAndReap(pid);
        return std::nullopt;
    }
    if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) return std::nullopt;
    return out;
}

const std::vector<std::vector<std::string>>& clipboardCommands() {
    static const std::vector<std::vector<std::string>> commands{
        {"pbpaste"},
        {"wl-paste", "--no-newline"},
        {"xclip", "-selection", "clipboard", "-o"},
        {"xsel", "--clipboard", "--output"},
    };
    return commands;
}

std::optional<std::string> readSystemClipboard(std::chrono::milliseconds perAttempt) {
    for (const auto& command : clipboardCommands()) {
        std::vector<std::string> argv{"/usr/bin/env"};
        argv.insert(argv.end(), command.begin(), command.end());
        std::optional<std::string> text = captureProgramOutput(argv, perAttempt, clipboardMaxBytes);
        if (text && utf8::isValid(*text)) return text;
    }
    return std::nullopt;
}

}  // namespace glyphloom
