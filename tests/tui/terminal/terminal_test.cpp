#include "tui/terminal/terminal.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>

#include "app/main_loop.hpp"
#include "stdin_pipe.hpp"

namespace glyphloom {
namespace terminal_test {

namespace fs = std::filesystem;
using testing_support::StdinPipe;

TEST(TerminalRead, DecodesWhatArrivesAndReportsEndOfInput) {
    StdinPipe input;
    Terminal terminal;
    input.write("a\x1b[B");
    EXPECT_EQ(terminal.readEvents(), (std::vector{InputEvent::key('a'), InputEvent::arrowKey(Arrow::down)}));
    input.closeWriter();
    EXPECT_EQ(terminal.readEvents(), std::vector{InputEvent::eof()});
}

TEST(TerminalRead, PendingWindowChangeComesFirst) {
    StdinPipe input;
    Terminal terminal;
    input.write("z");
    TerminalGlobals::winch = 1;
    EXPECT_EQ(terminal.readEvents(), (std::vector{InputEvent::resize(), InputEvent::key('z')}));
    EXPECT_EQ(TerminalGlobals::winch, 0);
}

TEST(TerminalRead, WaitsNoLongerThanAskedAndNotAtAllAfterATerminationSignal) {
    StdinPipe input;
    Terminal terminal;
    EXPECT_TRUE(terminal.readEvents(std::chrono::milliseconds(10)).empty());
    input.write("q");
    TerminalGlobals::endSignal = SIGHUP;
    EXPECT_TRUE(terminal.readEvents().empty());  // the input is left for nobody: the editor is leaving
    TerminalGlobals::endSignal = 0;
    EXPECT_EQ(terminal.readEvents(std::chrono::milliseconds(10)), std::vector{InputEvent::key('q')});
}

TEST(TerminalRead, ReadErrorsBecomeEndOfInputOnlyAfterEightInARow) {
    const int saved = ::dup(STDIN_FILENO);
    ::close(STDIN_FILENO);  // reads now fail with EBADF
    Terminal terminal;
    for (int i = 1; i < Terminal::maxHardReadErrors; ++i) EXPECT_TRUE(terminal.readEvents().empty()) << i;
    EXPECT_EQ(terminal.readEvents(), std::vector{InputEvent::eof()});
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
}

// What a call writes to standard output, caught in a pipe.
template <typename Call>
std::string stdoutOf(Call call) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[1]);
    call();
    ::dup2(saved, STDOUT_FILENO);  // closes the pipe's last writer
    ::close(saved);
    std::string out;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    return out;
}

TEST(TerminalRestore, WritesTheExitSequenceOnlyWhileASessionIsActive) {
    ASSERT_EQ(TerminalGlobals::rawActive, 0);
    EXPECT_EQ(stdoutOf(restoreTerminal), "");  // nothing in a test's output, no modes touched
    EXPECT_EQ(TerminalGlobals::rawActive, 0);

    // Restoring puts back the saved modes: save the real ones first, in case the tests run
    // in a terminal.
    if (::isatty(STDIN_FILENO)) {
        ASSERT_EQ(tcgetattr(STDIN_FILENO, &TerminalGlobals::origTermios), 0);
    }
    TerminalGlobals::rawActive = 1;
    EXPECT_EQ(stdoutOf(restoreTerminal), terminalExitSequence);
    EXPECT_EQ(TerminalGlobals::rawActive, 0);
    EXPECT_EQ(stdoutOf(restoreTerminal), "");  // a second restore (signal, then exit) is silent
}

TEST(TerminalRestore, DiscardsWhatWasTypedForTheEditor) {
    // A pseudo-terminal stands in for the user's: what its keyboard side sends waits on
    // standard input until read, as keys typed during a long download would.
    const int keyboard = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(keyboard, 0);
    ASSERT_EQ(::grantpt(keyboard), 0);
    ASSERT_EQ(::unlockpt(keyboard), 0);
    const int line = ::open(::ptsname(keyboard), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0);
    const int savedStdin = ::dup(STDIN_FILENO);
    ::dup2(line, STDIN_FILENO);
    ASSERT_EQ(tcgetattr(STDIN_FILENO, &TerminalGlobals::origTermios), 0);
    const auto waiting = [] {
        struct pollfd wait = {STDIN_FILENO, POLLIN, 0};
        return ::poll(&wait, 1, 0) == 1;
    };
    const std::string typed = "echo LEAKED\n";
    ASSERT_EQ(::write(keyboard, typed.data(), typed.size()), ssize_t(typed.size()));
    for (int i = 0; i < 100 && !waiting(); ++i) ::usleep(10'000);
    ASSERT_TRUE(waiting()) << "the typed line never arrived";

    TerminalGlobals::rawActive = 1;
    stdoutOf(restoreTerminal);
    EXPECT_FALSE(waiting()) << "typed keys would reach the shell";

    ::dup2(savedStdin, STDIN_FILENO);
    ::close(savedStdin);
    ::close(line);
    ::close(keyboard);
}

// Endless recursion the compiler cannot fold into a loop: the stack runs out.
[[gnu::noinline]] int exhaustStack(int depth) {
    volatile char frame[4096];
    frame[static_cast<std::size_t>(depth) % sizeof frame] = 1;
    return depth > 0 ? exhaustStack(depth + 1) + frame[0] : 0;
}

// The crash handler gives the terminal back even when the fault is the stack running out, in
// the main thread and in a thread that set up its own alternate stack. Run in a child, whose
// standard output is a pipe and whose session counts as active.
TEST(TerminalRestore, AStackOverflowStillRestoresTheTerminal) {
    for (const bool ownThread : {false, true}) {
        SCOPED_TRACE(ownThread ? "thread" : "main");
        const fs::path home = fs::temp_directory_path() / ("glyphloom-overflow-" + std::to_string(::getpid()));
        fs::create_directories(home);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::setenv("HOME", home.c_str(), 1);
            ::dup2(fds[1], STDOUT_FILENO);
            installCrashHandler();
            TerminalGlobals::rawActive = 1;
            if (ownThread) {
                std::thread([] {
                    useAlternateSignalStack();
                    exhaustStack(1);
                }).join();
            } else {
                exhaustStack(1);
            }
            ::_exit(0);
        }
        ::close(fds[1]);
        std::string out;
        char buffer[256];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
        ::close(fds[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV) << status;
        EXPECT_EQ(out, terminalExitSequence);
        fs::remove_all(home);
    }
}

TEST(TerminalSize, FallsBackTo24By80WithoutATerminal) {
    // The test runner's standard output is a file or pipe under CTest.
    if (::isatty(STDOUT_FILENO)) GTEST_SKIP() << "standard output is a terminal";
    const TerminalSize size = Terminal::size();
    EXPECT_EQ(size.rows, 24);
    EXPECT_EQ(size.cols, 80);
}

struct LoopFixture {
    std::string output;
    Screen screen{[this](std::string_view bytes) { output += bytes; }, false};
    AppState state;
    Terminal terminal;
    Layout layout;
};

TEST(MainLoop, UnchangedFramesWriteNothingAndEndOfInputStops) {
    StdinPipe input;
    LoopFixture f;
    f.screen.resize(10, 40);
    f.layout = drawFrame(f.state, f.screen);
    f.output.clear();
    input.write("\x07\x07");  // keys bound to nothing: typed characters would draw
    input.closeWriter();
    runMainLoop(f.state, f.terminal, f.screen, f.layout);
    EXPECT_TRUE(f.state.shouldQuit);
    EXPECT_EQ(f.output, "");  // nothing changed on screen, so nothing was written
}

TEST(MainLoop, RedrawsOncePerBatch) {
    // A terminal that refuses every write makes each frame a full repaint, so every redraw
    // shows up as exactly one write attempt.
    int attempts = 0;
    Screen screen{Screen::Writer{[&attempts](std::string_view) -> std::ptrdiff_t {
                      ++attempts;
                      errno = EIO;
                      return -1;
                  }},
                  false};
    StdinPipe input;
    AppState state;
    Terminal terminal;
    screen.resize(10, 40);
    Layout layout = drawFrame(state, screen);
    attempts = 0;
    input.write("xyz\x1b[A\x1b[<35;3;3M");  // five events that arrive in one read
    input.closeWriter();
    runMainLoop(state, terminal, screen, layout);  // that batch, then end of input
    EXPECT_TRUE(state.shouldQuit);
    EXPECT_EQ(attempts, 2);
}

// A loop with a recovery keeper writing into a folder of the test's own.
struct RecoveringLoop : LoopFixture {
    RecoveringLoop() {
        std::filesystem::remove_all(folder);
        screen.resize(10, 40);
        layout = drawFrame(state, screen);
    }
    ~RecoveringLoop() { std::filesystem::remove_all(folder); }
    std::string folder = (std::filesystem::temp_directory_path() /
                          ("glyphloom-loop-recovery-" + std::to_string(::getpid()))).string();
    RecoveryKeeper keeper{folder, 77, 1};
};

TEST(MainLoop, WorkIsKeptWhenTheTerminalGoesAndDroppedWhenTheUserQuits) {
    {
        StdinPipe input;
        RecoveringLoop f;
        input.write("x");    // typing draws
        input.closeWriter();  // then the terminal vanishes
        runMainLoop(f.state, f.terminal, f.screen, f.layout, &f.keeper);
        EXPECT_TRUE(f.state.dirty);
        EXPECT_TRUE(std::filesystem::exists(f.keeper.copyPath()));
    }
    {
        StdinPipe input;
        RecoveringLoop f;
        f.state.dirty = true;
        ASSERT_TRUE(f.keeper.writeNow(f.state));
        input.write("\x03\x03");  // asked, then confirmed
        runMainLoop(f.state, f.terminal, f.screen, f.layout, &f.keeper);
        EXPECT_TRUE(f.state.shouldQuit);
        EXPECT_FALSE(std::filesystem::exists(f.keeper.copyPath()));
    }
}

TEST(MainLoop, ATerminationSignalKeepsTheWorkWithoutDrawingAgain) {
    StdinPipe input;  // left open: without the signal the loop would wait here for ever
    RecoveringLoop f;
    f.state.dirty = true;
    f.output.clear();
    TerminalGlobals::endSignal = SIGTERM;
    runMainLoop(f.state, f.terminal, f.screen, f.layout, &f.keeper);
    TerminalGlobals::endSignal = 0;
    EXPECT_TRUE(std::filesystem::exists(f.keeper.copyPath()));
    EXPECT_EQ(f.output, "");
}

}  // namespace terminal_test
}  // namespace glyphloom
