// The editor's controls end to end: clicks on the real interface in a real terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace editor_e2e_test {

class Editor : public EditorFixture {
protected:
    // Row 0 holds the bar.
    bool barShows(const std::string& text) {
        return tmux->waitUntil([&] {
            const auto lines = tmux->captureLines();
            return !lines.empty() && lines[0].find(text) != std::string::npos;
        });
    }
    // Screen rows holding `text` (a whole canvas row, for instance).
    int rowsShowing(const std::string& text) {
        const auto lines = tmux->captureLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const std::string& l) { return l.find(text) != std::string::npos; }));
    }
};

std::string repeated(const std::string& glyph, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += glyph;
    return out;
}

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
    EXPECT_TRUE(barShows("│ 16  │")) << tmux->capture();  // the depth keeps a three-column slot
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

TEST_F(Editor, FillFloodsTheBlankCanvasAndUndoClearsIt) {
    const std::string canvasRow = repeated("█", 80);
    ASSERT_EQ(rowsShowing(canvasRow), 0) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Fill")) << tmux->capture();
    // The canvas is centred right of the tool list; this lands well inside it.
    tmux->click(60, 12);
    ASSERT_TRUE(tmux->waitUntil([&] { return rowsShowing(canvasRow) == 25; })) << tmux->capture();
    tmux->sendBytes("\x1a");  // Ctrl-Z
    EXPECT_TRUE(tmux->waitUntil([&] { return rowsShowing(canvasRow) == 0; })) << tmux->capture();
}

TEST_F(Editor, FillWithAHorizontalGradientShadesAcrossTheCanvas) {
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

TEST_F(Editor, GradientFillShadesTheInsideOfABox) {
    ASSERT_TRUE(tmux->clickText("Box")) << tmux->capture();
    // Drag a box whose inside is 19 columns by 5 rows.
    tmux->sendMouse(0, 30, 8, true);
    tmux->sendMouse(32, 40, 11, true);
    tmux->sendMouse(32, 50, 14, true);
    tmux->sendMouse(0, 50, 14, false);
    ASSERT_TRUE(tmux->waitForText("┌───────────────────┐")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Fill")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("↔")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("↔")) << tmux->capture();
    tmux->click(40, 11);
    // Five steps over 19 columns, held in by the box's sides.
    EXPECT_TRUE(tmux->waitUntil([&] { return rowsShowing("│████▓▓▓▓▒▒▒░░░░████│") == 5; })) << tmux->capture();
}

TEST_F(Editor, SprayScattersDotsAroundThePointer) {
    ASSERT_TRUE(tmux->clickText("Spray")) << tmux->capture();
    // The sidebar's preview box shows a spray sample of its own: only the canvas counts.
    const auto canvasRowsWithDots = [&] {
        const auto lines = tmux->captureLines();
        std::vector<int> rows;
        for (int y = 2; y < 28 && y < static_cast<int>(lines.size()); ++y) {
            std::string line = lines[static_cast<std::size_t>(y)];
            if (line.rfind("│", 0) == 0) line = line.substr(line.find("│", 1) + std::string("│").size());
            if (line.find("█") != std::string::npos && line.find("Char") == std::string::npos) rows.push_back(y);
        }
        return rows;
    };
    ASSERT_TRUE(canvasRowsWithDots().empty()) << tmux->capture();
    for (int i = 0; i < 6; ++i) tmux->click(60, 14);
    // Default spray: radius 4 columns, so dots land within 2 rows and 4 columns of the pointer.
    ASSERT_TRUE(tmux->waitUntil([&] { return !canvasRowsWithDots().empty(); })) << tmux->capture();
    for (int y : canvasRowsWithDots()) {
        EXPECT_GE(y, 12) << tmux->capture();
        EXPECT_LE(y, 16) << tmux->capture();
    }
}

}  // namespace editor_e2e_test
}  // namespace glyphloom::e2e
