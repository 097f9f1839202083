// Unsaved work end to end: a stroke survives a hang-up, a termination or a crash and comes
// back on the next start; a save and a confirmed quit leave no copy behind; two editors keep
// apart.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace recovery_e2e_test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The middle of a 120×34 terminal is canvas whatever the chrome around it.
constexpr int x0 = 60, y0 = 12;
const std::string stroke = "█████";

std::set<std::string> copiesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with("recovery-") && name.ends_with(".glyphloom")) names.insert(name);
    }
    return names;
}

class Recovery : public EditorFixture {
protected:
    fs::path folder() const { return tmux->home() / ".local" / "state" / "glyphloom" / "recovery"; }

    void paintStroke(TmuxSession& session) {
        session.sendMouse(0, x0, y0, true);
        for (int x = x0; x <= x0 + 4; x += 2) session.sendMouse(32, x, y0, true);
        session.sendMouse(0, x0 + 4, y0, false);
    }
    // A copy on disk holds the whole stroke: one cell text per painted cell. (Copies are
    // renamed into place whole, so a copy seen is a copy finished.)
    bool copyHoldsStroke() const {
        for (const std::string& name : copiesIn(folder())) {
            std::ifstream in(folder() / name, std::ios::binary);
            const std::string text(std::istreambuf_iterator<char>(in), {});
            std::size_t cells = 0;
            for (auto at = text.find("█"); at != std::string::npos; at = text.find("█", at + 1)) ++cells;
            if (cells >= 5) return true;
        }
        return false;
    }
    bool showsStroke(TmuxSession& session) {
        return session.waitUntil([&] {
            const auto lines = session.captureLines();
            return lines.size() > y0 && lines[y0].find(stroke) != std::string::npos;
        });
    }
};

TEST_F(Recovery, AStrokeSurvivesHangUpAndTermination) {
    // Every signal that would end the editor, from the terminal, the system or another program.
    for (int signal : {SIGHUP, SIGTERM, SIGQUIT, SIGUSR1, SIGALRM}) {
        paintStroke(*tmux);
        ASSERT_TRUE(showsStroke(*tmux)) << tmux->capture();
        tmux->signalEditor(signal);
        EXPECT_EQ(tmux->waitForExit(), 0) << "signal " << signal;
        EXPECT_EQ(tmux->paneFormat("#{alternate_on}"), "0") << "signal " << signal;
        EXPECT_EQ(tmux->paneFormat("#{mouse_any_flag}#{mouse_button_flag}#{mouse_sgr_flag}"), "000") << signal;
        EXPECT_EQ(copiesIn(folder()).size(), 1u) << "signal " << signal;

        ASSERT_TRUE(tmux->startEditor()) << tmux->capture();
        EXPECT_TRUE(showsStroke(*tmux)) << tmux->capture();
        // Taken over by the new editor, not duplicated.
        EXPECT_EQ(copiesIn(folder()).size(), 1u);
        tmux->sendBytes("\x1a");  // undo is empty: the recovered work is where history starts
        EXPECT_TRUE(showsStroke(*tmux)) << tmux->capture();
    }
    tmux->sendBytes("\x03\x03");  // the user chooses to drop it
    EXPECT_EQ(tmux->waitForExit(), 0);
    EXPECT_TRUE(copiesIn(folder()).empty());
}

TEST_F(Recovery, APauseKeepsACopyAndASaveRemovesIt) {
    // Again, working in the home folder, where a new document saves.
    tmux->sendBytes("\x03");
    ASSERT_EQ(tmux->waitForExit(), 0);
    ASSERT_TRUE(tmux->startEditor("--size 80x25", "env -C " + shellQuote(tmux->home().string()))) << tmux->capture();
    paintStroke(*tmux);
    ASSERT_TRUE(showsStroke(*tmux)) << tmux->capture();
    // About two seconds after the last input; the write runs in the background.
    ASSERT_TRUE(tmux->waitUntil([&] { return copiesIn(folder()).size() == 1; }, 20s)) << tmux->capture();
    // Save under a typed name into the home folder.
    ASSERT_TRUE(tmux->clickText("Untitled")) << tmux->capture();
    tmux->sendBytes("kept\r");
    ASSERT_TRUE(tmux->waitUntil([&] { return fs::exists(tmux->home() / "kept.ans"); })) << tmux->capture();
    EXPECT_TRUE(tmux->waitUntil([&] { return copiesIn(folder()).empty(); }, 10s)) << tmux->capture();
    tmux->sendBytes("\x03");  // nothing unsaved: one Ctrl-C quits
    EXPECT_EQ(tmux->waitForExit(), 0) << tmux->capture();
    EXPECT_TRUE(copiesIn(folder()).empty());
}

TEST_F(Recovery, ACrashLeavesTheLastPeriodicCopy) {
    paintStroke(*tmux);
    ASSERT_TRUE(showsStroke(*tmux)) << tmux->capture();
    // The periodic copy taken after the stroke, not one that may have caught it half drawn.
    ASSERT_TRUE(tmux->waitUntil([&] { return copyHoldsStroke(); }, 20s)) << tmux->capture();
    ASSERT_EQ(copiesIn(folder()).size(), 1u);
    tmux->signalEditor(SIGSEGV);
    EXPECT_EQ(tmux->waitForExit(), 128 + SIGSEGV);
    ASSERT_TRUE(tmux->startEditor()) << tmux->capture();
    EXPECT_TRUE(showsStroke(*tmux)) << tmux->capture();
}

TEST_F(Recovery, AnExplicitSizeStartsANewCanvasAndKeepsTheCopy) {
    paintStroke(*tmux);
    ASSERT_TRUE(showsStroke(*tmux)) << tmux->capture();
    tmux->signalEditor(SIGHUP);
    ASSERT_EQ(tmux->waitForExit(), 0);
    const auto kept = copiesIn(folder());
    ASSERT_EQ(kept.size(), 1u);

    ASSERT_TRUE(tmux->startEditor("--size 40x10")) << tmux->capture();
    EXPECT_TRUE(tmux->find("40×10")) << tmux->capture();  // the bar's canvas size
    EXPECT_FALSE(showsStroke(*tmux));
    ASSERT_TRUE(tmux->clickText("● ")) << tmux->capture();  // the status history
    EXPECT_TRUE(tmux->waitForText("start without --size to reopen it")) << tmux->capture();
    tmux->sendBytes("\x1b");
    tmux->sendBytes("\x03");  // nothing of its own to lose: one Ctrl-C quits
    ASSERT_EQ(tmux->waitForExit(), 0) << tmux->capture();
    EXPECT_EQ(copiesIn(folder()), kept);

    ASSERT_TRUE(tmux->startEditor()) << tmux->capture();
    EXPECT_TRUE(showsStroke(*tmux)) << tmux->capture();
}

TEST_F(Recovery, TwoEditorsKeepSeparateCopies) {
    // A second editor at the same time, sharing the first one's recovery folder.
    TmuxSession second(120, 34);
    const std::string shared = "env XDG_STATE_HOME=" + shellQuote((tmux->home() / ".local" / "state").string());
    ASSERT_TRUE(second.startEditor("--size 80x25", shared)) << second.capture();
    paintStroke(*tmux);
    paintStroke(second);
    ASSERT_TRUE(showsStroke(*tmux) && showsStroke(second));
    ASSERT_TRUE(tmux->waitUntil([&] { return copiesIn(folder()).size() == 2; }, 20s)) << tmux->capture();
    const std::set<std::string> both = copiesIn(folder());
    for (TmuxSession* session : {tmux.get(), &second}) {
        const std::string prefix = "recovery-" + std::to_string(session->editorPid()) + "-";
        EXPECT_EQ(std::count_if(both.begin(), both.end(), [&](const std::string& n) { return n.starts_with(prefix); }), 1)
            << prefix;
    }
    // One hangs up: its copy stays; the other's confirmed quit removes only its own.
    tmux->signalEditor(SIGHUP);
    EXPECT_EQ(tmux->waitForExit(), 0);
    second.sendBytes("\x03\x03");
    EXPECT_EQ(second.waitForExit(), 0);
    const auto left = copiesIn(folder());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left.begin()->starts_with("recovery-" + std::to_string(tmux->editorPid()) + "-"));
}

}  // namespace recovery_e2e_test
}  // namespace glyphloom::e2e
