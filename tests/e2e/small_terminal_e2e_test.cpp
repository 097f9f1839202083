// The editor at 80 × 24, the size most terminals open at: block letters from the sidebar's
// face list, copy and paste through the Select tool's actions, the quit warning and a failed
// save on the status line, and the wheel over a document far taller than the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/text/utf8.hpp"
#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace small_terminal_e2e_test {

class SmallTerminal : public EditorFixture {
protected:
    std::pair<int, int> terminalSize() const override { return {80, 24}; }

    // The status line: the row above the preset row, the third from the bottom.
    std::string statusLine() {
        const auto lines = tmux->captureLines();
        return lines.size() >= 4 ? lines[lines.size() - 4] : std::string();
    }
    bool statusShows(const std::string& text) {
        return tmux->waitUntil([&] { return statusLine().find(text) != std::string::npos; });
    }
    // Pages the sidebar to the current tool's options.
    bool pageSidebarDown() {
        const auto down = tmux->find("▼");
        if (!down || down->first >= 9) return false;
        tmux->click(down->first, down->second);
        return true;
    }
    int countOnScreen(const std::string& text) {
        int n = 0;
        for (const std::string& line : tmux->captureLines())
            for (std::size_t at = line.find(text); at != std::string::npos; at = line.find(text, at + 1)) ++n;
        return n;
    }
    void drag(int x0, int y0, int x1, int y1) {
        tmux->sendMouse(0, x0, y0, true);
        tmux->sendMouse(32, x1, y1, true);
        tmux->sendMouse(0, x1, y1, false);
    }
};

TEST_F(SmallTerminal, BlockLettersFromTheSidebarFaceList) {
    ASSERT_TRUE(tmux->clickText(" Text")) << tmux->capture();
    ASSERT_TRUE(pageSidebarDown()) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText(" Block")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText(" Block", 0, 1)) << tmux->capture();
    tmux->click(20, 12);
    tmux->sendBytes("HI");
    // Block letters are several rows of solid cells; plain typing would be a single "HI".
    EXPECT_TRUE(tmux->waitUntil([&] { return countOnScreen("██") >= 6; })) << tmux->capture();
    EXPECT_FALSE(tmux->find("HI", 1)) << tmux->capture();
}

TEST_F(SmallTerminal, SelectCopyAndPasteWithCtrlV) {
    drag(20, 5, 24, 5);  // Paint, the starting tool: five cells
    ASSERT_TRUE(tmux->waitUntil([&] { return countOnScreen("█████") == 1; })) << tmux->capture();
    ASSERT_TRUE(tmux->clickText(" Select")) << tmux->capture();
    drag(19, 4, 25, 6);
    ASSERT_TRUE(pageSidebarDown()) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Copy")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Copy")) << tmux->capture();
    tmux->sendBytes("\x16");
    ASSERT_TRUE(statusShows("Space or click to place")) << tmux->capture();
    tmux->click(40, 12);
    EXPECT_TRUE(tmux->waitUntil([&] { return countOnScreen("█████") == 2; })) << tmux->capture();
    const auto pasted = tmux->find("█████", 8);
    ASSERT_TRUE(pasted) << tmux->capture();
    EXPECT_EQ(pasted->second, 13);  // the copy's top-left corner sits on the clicked cell
}

TEST_F(SmallTerminal, QuitWarningAndAFailedSaveShowOnTheStatusLine) {
    tmux->click(30, 8);
    tmux->sendBytes("\x03");
    EXPECT_TRUE(statusShows("unsaved changes — Ctrl-C again to quit")) << tmux->capture();
    tmux->sendBytes("\x1b");  // disarms
    EXPECT_TRUE(tmux->waitUntil([&] { return statusLine().find("Ctrl-C again") == std::string::npos; }));

    // A folder that takes no new files refuses every user, root included.
    ASSERT_TRUE(tmux->clickText("Untitled")) << tmux->capture();
    tmux->sendBytes("/proc/art\r");
    EXPECT_TRUE(statusShows("save failed")) << tmux->capture();
}

TEST(SmallTerminalDocument, WheelScrollsALongDocumentAndTheStatusLineSaysWhere) {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    const std::filesystem::path farm = std::filesystem::path(GLYPHLOOM_CORPUS_DIR) / "ans" / "fil-farm.ans";
    if (!std::filesystem::exists(farm)) GTEST_SKIP() << "no " << farm;
    TmuxSession tmux(80, 24);
    ASSERT_TRUE(tmux.startEditor(shellQuote(farm.string()))) << tmux.capture();
    ASSERT_TRUE(tmux.waitForText("↕1–19/3062")) << tmux.capture();
    const std::string before = tmux.capture();
    for (int i = 0; i < 4; ++i) tmux.sendMouse(65, 40, 10, true);
    EXPECT_TRUE(tmux.waitForText("↕13–31/3062")) << tmux.capture();
    EXPECT_NE(tmux.capture(), before);
    tmux.sendBytes("\x1b[4~");  // End
    EXPECT_TRUE(tmux.waitForText("↕3044–3062/3062")) << tmux.capture();
    tmux.sendBytes("\x1b[1~");  // Home
    EXPECT_TRUE(tmux.waitForText("↕1–19/3062")) << tmux.capture();
    tmux.sendBytes("\x03");
    EXPECT_TRUE(tmux.waitForExit());
}

}  // namespace small_terminal_e2e_test
}  // namespace glyphloom::e2e
