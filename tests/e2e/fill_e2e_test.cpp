// The fill tool in the running editor: a click floods the region on screen, undo takes it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace {

class FillTool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed (./dev test installs it)";
        tmux = std::make_unique<TmuxSession>(120, 34);
        ASSERT_TRUE(tmux->startEditor("--size 80x25")) << tmux->capture();
    }
    void TearDown() override {
        if (!tmux) return;
        tmux->sendBytes("\x03\x03");  // a dirty document asks twice
        tmux->waitForExit();
    }
    // Screen rows holding `text` (a whole canvas row, for instance).
    int rowsShowing(const std::string& text) {
        const auto lines = tmux->captureLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const std::string& l) { return l.find(text) != std::string::npos; }));
    }
    std::unique_ptr<TmuxSession> tmux;
};

std::string repeated(const std::string& glyph, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += glyph;
    return out;
}

TEST_F(FillTool, ClickFloodsTheBlankCanvasAndUndoClearsIt) {
    const std::string canvasRow = repeated("█", 80);
    ASSERT_EQ(rowsShowing(canvasRow), 0) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Fill")) << tmux->capture();
    // The canvas is centred right of the tool list; this lands well inside it.
    tmux->click(60, 12);
    ASSERT_TRUE(tmux->waitUntil([&] { return rowsShowing(canvasRow) == 25; })) << tmux->capture();
    tmux->sendBytes("\x1a");  // Ctrl-Z
    EXPECT_TRUE(tmux->waitUntil([&] { return rowsShowing(canvasRow) == 0; })) << tmux->capture();
}

TEST_F(FillTool, HorizontalGradientShadesAcrossTheCanvas) {
    ASSERT_TRUE(tmux->clickText("Fill")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("↔")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("↔")) << tmux->capture();
    tmux->click(60, 12);
    // 80 columns in five steps of about 16: full, three shades, full.
    const std::string ramp = repeated("█", 15) + "█" + repeated("▓", 15);
    ASSERT_TRUE(tmux->waitUntil([&] { return rowsShowing(ramp) == 25; })) << tmux->capture();
    EXPECT_EQ(rowsShowing(repeated("▒", 15)), 25);
    EXPECT_EQ(rowsShowing(repeated("░", 15) + repeated("█", 16)), 25);
}

}  // namespace
}  // namespace glyphloom::e2e
