#include "tui/terminal/terminal.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/main_loop.hpp"

namespace glyphloom {
namespace {

// Puts the read end of a pipe on standard input for the duration of a test.
class StdinPipe {
public:
    StdinPipe() {
        EXPECT_EQ(::pipe(fds_), 0);
        saved_ = ::dup(STDIN_FILENO);
        ::dup2(fds_[0], STDIN_FILENO);
        ::close(fds_[0]);
    }
    ~StdinPipe() {
        closeWriter();
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }
    void write(const std::string& bytes) { EXPECT_EQ(::write(fds_[1], bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    void closeWriter() {
        if (fds_[1] >= 0) ::close(fds_[1]);
        fds_[1] = -1;
    }

private:
    int fds_[2] = {-1, -1};
    int saved_ = -1;
};

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

TEST(TerminalRead, ReadErrorsBecomeEndOfInputOnlyAfterEightInARow) {
    const int saved = ::dup(STDIN_FILENO);
    ::close(STDIN_FILENO);  // reads now fail with EBADF
    Terminal terminal;
    for (int i = 1; i < Terminal::maxHardReadErrors; ++i) EXPECT_TRUE(terminal.readEvents().empty()) << i;
    EXPECT_EQ(terminal.readEvents(), std::vector{InputEvent::eof()});
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
}

TEST(TerminalRestore, DoesNothingWhenNoSessionIsActive) {
    ASSERT_EQ(TerminalGlobals::rawActive, 0);
    restoreTerminal();  // must not write the exit sequence into a test's output or touch modes
    EXPECT_EQ(TerminalGlobals::rawActive, 0);
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

TEST(MainLoop, RedrawsOncePerBatchAndStopsAtEndOfInput) {
    StdinPipe input;
    LoopFixture f;
    f.screen.resize(10, 40);
    f.layout = drawFrame(f.state, f.screen);
    f.output.clear();
    input.write("xyz");
    input.closeWriter();
    runMainLoop(f.state, f.terminal, f.screen, f.layout);
    EXPECT_TRUE(f.state.shouldQuit);
    EXPECT_EQ(f.output, "");  // nothing changed on screen, so nothing was written
}

}  // namespace
}  // namespace glyphloom
