// The terminal session end to end: the real binary in a real (tmux) terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <set>
#include <sstream>

#include "core/model/version.hpp"
#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace session_e2e_test {

// Screen column of `text` in a captured line (every character there is one column wide).
int columnOf(const std::string& line, const std::string& text) {
    const std::size_t at = line.find(text);
    if (at == std::string::npos) return -1;
    int column = 0;
    for (std::size_t i = 0; i < at; ++i) column += (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    return column;
}

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed (./dev test installs it)";
        tmux = std::make_unique<TmuxSession>(100, 30);
        ASSERT_TRUE(tmux->startEditor()) << tmux->capture();
        ASSERT_TRUE(tmux->waitForText("Glyphloom")) << tmux->capture();
    }

    // After the editor has gone, the shell must have its ordinary terminal back.
    void expectTerminalRestored() {
        EXPECT_EQ(tmux->paneFormat("#{alternate_on}"), "0");
        EXPECT_EQ(tmux->paneFormat("#{cursor_flag}"), "1");
        EXPECT_EQ(tmux->paneFormat("#{mouse_any_flag}#{mouse_button_flag}#{mouse_sgr_flag}"), "000");
        std::istringstream stty(tmux->sttyInPane());
        std::set<std::string> modes;
        for (std::string word; stty >> word;) modes.insert(word);
        for (const char* mode : {"icanon", "echo", "isig", "opost", "icrnl"}) EXPECT_TRUE(modes.count(mode)) << mode;
    }

    std::string crashLog() {
        std::ifstream in(tmux->home() / ".glyphloom-crash.log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::unique_ptr<TmuxSession> tmux;
};

TEST_F(Session, EntersAlternateScreenWithMouseReportingAndHiddenCursor) {
    EXPECT_EQ(tmux->paneFormat("#{alternate_on}"), "1");
    EXPECT_EQ(tmux->paneFormat("#{cursor_flag}"), "0");
    EXPECT_EQ(tmux->paneFormat("#{mouse_any_flag}#{mouse_sgr_flag}"), "11");
    EXPECT_NE(crashLog().find("\n--- glyphloom session " + std::string(glyphloomVersion()) + " ---\n"), std::string::npos);
}

TEST_F(Session, CtrlCLeavesTheTerminalAsItWas) {
    tmux->sendBytes("\x03");
    EXPECT_EQ(tmux->waitForExit(), 0);
    expectTerminalRestored();
}

TEST_F(Session, CtrlQQuitsToo) {
    tmux->sendBytes("\x11");
    EXPECT_EQ(tmux->waitForExit(), 0);
    expectTerminalRestored();
}

TEST_F(Session, TerminationSignalsRestoreTheTerminalAndExitZero) {
    // One editor per signal would triple the run time; the first signal ends this one,
    // so the others are checked by restarting.
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        tmux->signalEditor(signal);
        EXPECT_EQ(tmux->waitForExit(), 0) << "signal " << signal;
        expectTerminalRestored();
        if (signal != SIGINT) {
            ASSERT_TRUE(tmux->startEditor()) << tmux->capture();
        }
    }
}

TEST_F(Session, BrokenPipeAndFileSizeSignalsAreIgnored) {
    // A failed write says so where it happens; the editor goes on.
    tmux->signalEditor(SIGPIPE);
    tmux->signalEditor(SIGXFSZ);
    tmux->sendBytes("\x03");
    EXPECT_EQ(tmux->waitForExit(), 0);
    expectTerminalRestored();
}

TEST_F(Session, AStopHandsTheTerminalBackAndTheEditorRepaintsWhenContinued) {
    tmux->signalEditor(SIGTSTP);
    ASSERT_TRUE(tmux->waitUntil([&] { return tmux->paneFormat("#{alternate_on}") == "0"; })) << tmux->capture();
    EXPECT_EQ(tmux->paneFormat("#{mouse_any_flag}#{mouse_sgr_flag}"), "00");
    EXPECT_EQ(tmux->paneFormat("#{cursor_flag}"), "1");
    tmux->sendBytes("fg\r");
    ASSERT_TRUE(tmux->waitUntil([&] { return tmux->paneFormat("#{alternate_on}") == "1"; })) << tmux->capture();
    EXPECT_EQ(tmux->paneFormat("#{mouse_any_flag}#{mouse_sgr_flag}"), "11");
    EXPECT_TRUE(tmux->waitForText("Glyphloom")) << "not repainted: " << tmux->capture();
    // The shell noted the stop as the job's status already; the editor's end is seen by the
    // terminal alone.
    tmux->sendBytes("\x03");
    EXPECT_TRUE(tmux->waitUntil([&] { return tmux->paneFormat("#{alternate_on}") == "0"; })) << tmux->capture();
    EXPECT_TRUE(tmux->waitUntil([&] { return ::kill(tmux->editorPid(), 0) != 0; }));
}

TEST_F(Session, EscapeCodesInADocumentNameAreShownNotObeyed) {
    tmux->sendBytes("\x03");
    ASSERT_EQ(tmux->waitForExit(), 0);
    const std::string name = "a\x1b]2;TAKEN\x07" "b\x1b[2J.ans";
    std::ofstream(tmux->home() / name) << "hello";
    ASSERT_TRUE(tmux->startEditor("\"$HOME/$(printf 'a\\033]2;TAKEN\\007b\\033[2J.ans')\"")) << tmux->capture();
    EXPECT_TRUE(tmux->waitForText("␛]2;TAKEN␇b␛[2J")) << tmux->capture();
    EXPECT_NE(tmux->paneFormat("#{pane_title}"), "TAKEN");
    EXPECT_TRUE(tmux->waitForText("hello")) << "the screen was cleared: " << tmux->capture();
    tmux->sendBytes("\x03");
    EXPECT_EQ(tmux->waitForExit(), 0);
}

TEST_F(Session, FatalSignalRestoresTheTerminalAndDiesOfTheSignal) {
    tmux->signalEditor(SIGSEGV);
    EXPECT_EQ(tmux->waitForExit(), 128 + SIGSEGV);
    expectTerminalRestored();
    EXPECT_NE(crashLog().find("--- glyphloom session " + std::string(glyphloomVersion()) + " ---"), std::string::npos);
}

TEST_F(Session, WindowResizeRedrawsAtTheNewSize) {
    // The bar's corner shows the terminal size the frame was composed for.
    tmux->resize(70, 20);
    ASSERT_TRUE(tmux->waitUntil([&] {
        const auto lines = tmux->captureLines();
        return lines.size() == 20 && columnOf(lines[0], "70×20") == 1;
    })) << tmux->capture();
    tmux->sendBytes("\x03");
    EXPECT_EQ(tmux->waitForExit(), 0);
}

TEST_F(Session, MouseAndKeysDoNotDisturbTheSession) {
    // A drag on the canvas (right of the tool list), then cursor and function keys.
    tmux->sendMouse(0, 60, 12, true);
    tmux->sendMouse(32, 61, 12, true);
    tmux->sendMouse(0, 61, 12, false);
    tmux->sendBytes("\x1b[A\x1bOP\x1b[15~x");
    // The drag painted, so the first Ctrl-C only arms the quit over unsaved work.
    tmux->sendBytes("\x03");
    ASSERT_TRUE(tmux->waitForText("unsaved changes — Ctrl-C again to quit")) << tmux->capture();
    tmux->sendBytes("\x03");
    EXPECT_EQ(tmux->waitForExit(), 0);
    expectTerminalRestored();
}

}  // namespace session_e2e_test
}  // namespace glyphloom::e2e
