#include "core/io/system_clipboard.hpp"

#include <sys/wait.h>

#include <cerrno>

#include <gtest/gtest.h>

#include "fake_programs_path.hpp"

namespace glyphloom {
namespace system_clipboard_test {

using namespace std::chrono_literals;
using testing_support::FakeProgramsPath;

// True when every child this process started has been reaped.
bool noChildrenLeft() { return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

TEST(ReadSystemClipboard, TakesTheFirstProgramThatSucceeds) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> programs;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases{
        {"none installed", {}, std::nullopt},
        {"first wins", {{"pbpaste", "printf 'mac'"}, {"xsel", "printf 'x'"}}, "mac"},
        {"failure moves on", {{"pbpaste", "printf 'no'; exit 1"}, {"wl-paste", "printf '%s' \"$1\""}}, "--no-newline"},
        {"arguments as listed", {{"xclip", "printf '%s %s %s' \"$1\" \"$2\" \"$3\""}}, "-selection clipboard -o"},
        {"bad utf-8 moves on", {{"xclip", "printf '\\377'"}, {"xsel", "printf '%s' \"$1$2\""}}, "--clipboard--output"},
        {"all fail", {{"pbpaste", "exit 2"}, {"xsel", "exit 1"}}, std::nullopt},
        {"empty text is text", {{"pbpaste", "exit 0"}}, ""},
    };
    for (const Case& c : cases) {
        FakeProgramsPath path;
        for (const auto& [name, body] : c.programs) path.add(name, body);
        EXPECT_EQ(readSystemClipboard(1s), c.expected) << c.name;
    }
    EXPECT_TRUE(noChildrenLeft());
}

TEST(ReadSystemClipboard, KillsAProgramThatNeverExitsAndTriesTheNext) {
    FakeProgramsPath path;
    path.add("pbpaste", "exec /bin/sleep 30");
    path.add("wl-paste", "printf 'partial'; exec /bin/sleep 30");  // output, but no exit
    path.add("xclip", "printf 'from xclip'");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readSystemClipboard(200ms), "from xclip");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_TRUE(noChildrenLeft());
}

TEST(CaptureProgramOutput, RefusesOutputPastTheLimitAndLaunchFailures) {
    EXPECT_EQ(captureProgramOutput({"/bin/sh", "-c", "printf 'abcd'"}, 1s, 4), "abcd");
    EXPECT_EQ(captureProgramOutput({"/bin/sh", "-c", "printf 'abcde'"}, 1s, 4), std::nullopt);
    EXPECT_EQ(captureProgramOutput({"/nonexistent/program"}, 1s, 4), std::nullopt);
    EXPECT_EQ(captureProgramOutput({}, 1s, 4), std::nullopt);
    // Standard input is the null device: a program reading it sees the end at once.
    EXPECT_EQ(captureProgramOutput({"/bin/sh", "-c", "cat; printf done"}, 1s, 100), "done");
    EXPECT_TRUE(noChildrenLeft());
}

}  // namespace system_clipboard_test
}  // namespace glyphloom
