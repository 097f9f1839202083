// The editor's controls end to end: clicks on the real interface in a real terminal.
#include <gtest/gtest.h>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace {

class Editor : public ::testing::Test {
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
    // Row 0 holds the bar.
    bool barShows(const std::string& text) {
        return tmux->waitUntil([&] {
            const auto lines = tmux->captureLines();
            return !lines.empty() && lines[0].find(text) != std::string::npos;
        });
    }
    std::unique_ptr<TmuxSession> tmux;
};

TEST_F(Editor, LayersPanelAddsLayersAndTheBarCountsThem) {
    ASSERT_TRUE(tmux->clickText("1/1"));
    ASSERT_TRUE(tmux->waitForText("Layers")) << tmux->capture();
    const auto title = tmux->find("Layers");
    ASSERT_TRUE(title);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(tmux->clickText(" +", title->second + 1, 1)) << tmux->capture();
        ASSERT_TRUE(barShows(std::to_string(i + 2) + "/" + std::to_string(i + 2))) << tmux->capture();
    }
    EXPECT_TRUE(barShows("3/3"));
    tmux->sendBytes("\x1b");
    EXPECT_TRUE(tmux->waitUntil([&] { return !tmux->find("Layers"); })) << tmux->capture();
}

TEST_F(Editor, ColourDepthFromThePicker) {
    ASSERT_TRUE(tmux->clickText(" 256 ", 0, 1));
    ASSERT_TRUE(tmux->waitUntil([&] { return tmux->find("16M", 1).has_value(); })) << tmux->capture();
    // The picker lists the depths under the button; "16" alone on its row is the 16-colour one.
    const auto sixteenM = tmux->find("16M", 1);
    bool clicked = false;
    for (int y = 1; y < sixteenM->second && !clicked; ++y) {
        const auto lines = tmux->captureLines();
        const std::string& line = lines[static_cast<std::size_t>(y)];
        const std::size_t at = line.find(" 16 ");
        if (at != std::string::npos && line.find("256") == std::string::npos) clicked = tmux->clickText(" 16 ", y, 1);
    }
    ASSERT_TRUE(clicked) << tmux->capture();
    EXPECT_TRUE(barShows("│ 16 │")) << tmux->capture();
}

TEST_F(Editor, PalettePickerSetsAColour) {
    // The white swatch, the last before the separator, carries "FG" while the foreground is white.
    const auto fgRow = tmux->find("FG ║");
    ASSERT_TRUE(fgRow) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("▦", fgRow->second));
    ASSERT_TRUE(tmux->waitForText("FG palette")) << tmux->capture();
    const auto title = tmux->find("FG palette");
    // The 256 grid starts a couple of rows under the title: click well inside it.
    tmux->click(title->first + 4, title->second + 3);
    tmux->sendBytes("\x1b");
    ASSERT_TRUE(tmux->waitUntil([&] { return !tmux->find("FG palette"); })) << tmux->capture();
    // A colour from the 256 grid is none of the classic swatches: none carries the mark now.
    EXPECT_TRUE(tmux->waitUntil([&] {
        const auto lines = tmux->captureLines();
        return lines.size() > static_cast<std::size_t>(fgRow->second) &&
               lines[static_cast<std::size_t>(fgRow->second)].find("FG") == std::string::npos;
    })) << "the foreground is still a classic colour\n"
        << tmux->capture();
}

TEST_F(Editor, CustomCanvasSizeIsTypedAndShownOnTheBar) {
    ASSERT_TRUE(tmux->clickText(" 80×25 ", 0, 1));
    ASSERT_TRUE(tmux->waitForText("Custom")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Custom"));
    ASSERT_TRUE(tmux->waitForText("Size: ")) << tmux->capture();
    tmux->sendBytes("120x40\r");
    EXPECT_TRUE(barShows("120×40")) << tmux->capture();
}

}  // namespace
}  // namespace glyphloom::e2e
