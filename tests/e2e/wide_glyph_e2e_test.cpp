// Glyphs the terminal draws two columns wide, end to end: what is clicked is what is shown,
// deleted text leaves nothing behind, and the status line keeps its right edge.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace {

// Two columns for the scalars these tests use (CJK, kana, emoji), one for the rest.
int columns(char32_t scalar) {
    const bool wide = (scalar >= 0x3040 && scalar <= 0x30FF) || (scalar >= 0x4E00 && scalar <= 0x9FFF) ||
                      (scalar >= 0x1F300 && scalar <= 0x1F64F);
    return wide ? 2 : 1;
}

// The screen column at which byte `offset` of a captured line is drawn.
int columnAt(const std::string& line, std::size_t offset) {
    int col = 0;
    for (std::size_t i = 0; i < offset && i < line.size();) {
        const auto byte = static_cast<unsigned char>(line[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t scalar = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length && i + k < line.size(); ++k)
            scalar = (scalar << 6) | (static_cast<unsigned char>(line[i + k]) & 0x3F);
        col += columns(scalar);
        i += static_cast<std::size_t>(length);
    }
    return col;
}

class WideGlyphs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed (./dev test installs it)";
        tmux = std::make_unique<TmuxSession>(80, 24);
        ASSERT_TRUE(tmux->startEditor("--size 80x25")) << tmux->capture();
    }
    void TearDown() override {
        if (!tmux) return;
        tmux->sendBytes("\x1b\x03\x03");
        tmux->waitForExit();
    }
    // Clicks the first `text` at or below `fromRow`, at its true screen column.
    bool clickShown(const std::string& text, int fromRow = 0) {
        const auto lines = tmux->captureLines();
        for (int y = fromRow; y < static_cast<int>(lines.size()); ++y) {
            const std::size_t at = lines[static_cast<std::size_t>(y)].find(text);
            if (at == std::string::npos) continue;
            tmux->click(columnAt(lines[static_cast<std::size_t>(y)], at), y);
            return true;
        }
        return false;
    }
    std::unique_ptr<TmuxSession> tmux;
};

TEST_F(WideGlyphs, PickerClickPicksTheGlyphUnderThePointer) {
    // The current tool's panel holds the pen character button, which opens the picker.
    ASSERT_TRUE(tmux->clickText("Paint")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Char ")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Char ")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Characters")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("▾ ")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Hiragana")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Hiragana")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("▾ Hiragana")) << tmux->capture();
    const auto title = tmux->find("Characters");
    ASSERT_TRUE(clickShown("か", title->second + 2)) << tmux->capture();
    EXPECT_TRUE(tmux->waitForText("char か")) << tmux->capture();
    // Every glyph row of the picker ends at the frame's edge: nothing spills past it.
    const auto lines = tmux->captureLines();
    int edge = -1;
    for (int y = title->second + 1; y < static_cast<int>(lines.size()); ++y) {
        const std::string& line = lines[static_cast<std::size_t>(y)];
        if (line.find("ぁ") == std::string::npos && line.find("ゐ") == std::string::npos) continue;
        const int col = columnAt(line, line.rfind("│"));
        if (edge < 0) edge = col;
        EXPECT_EQ(col, edge) << tmux->capture();
    }
    EXPECT_GE(edge, 0) << tmux->capture();
}

TEST_F(WideGlyphs, BackspaceOverWideTextLeavesNoResidue) {
    ASSERT_TRUE(tmux->clickText("Untitled")) << tmux->capture();
    // The bar takes one or two rows, depending on what fits.
    auto bar = [&] {
        const auto lines = tmux->captureLines();
        return lines.size() < 2 ? std::string() : lines[0] + "\n" + lines[1];
    };
    tmux->sendBytes("漢字漢字");
    ASSERT_TRUE(tmux->waitUntil([&] { return bar().find("漢字漢字") != std::string::npos; })) << tmux->capture();
    tmux->sendBytes("\x7f\x7f\x7f\x7f");
    EXPECT_TRUE(tmux->waitUntil([&] {
        const std::string text = bar();
        return text.find("漢") == std::string::npos && text.find("字") == std::string::npos;
    })) << tmux->capture();
}

TEST_F(WideGlyphs, StatusLineKeepsItsRightEdgeWithAnEmojiPen) {
    const auto before = tmux->captureLines();
    int statusRow = -1;
    for (int y = 0; y < static_cast<int>(before.size()); ++y)
        if (before[static_cast<std::size_t>(y)].find("Ctrl-C quits") != std::string::npos) statusRow = y;
    ASSERT_GE(statusRow, 0) << tmux->capture();
    // Put the pointer on the canvas so the position shows at the right edge.
    tmux->sendMouse(35, 12, 10, true);  // a plain move (button 35) reports the pointer
    ASSERT_TRUE(tmux->waitUntil([&] { return tmux->captureLines()[statusRow].find(',') != std::string::npos; }))
        << tmux->capture();
    auto rightEdge = [&] {
        const std::string line = tmux->captureLines()[static_cast<std::size_t>(statusRow)];
        return columnAt(line, line.size());
    };
    const int edge = rightEdge();
    // The pen character from the picker's code-point field.
    ASSERT_TRUE(tmux->clickText("Paint")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Char ")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Char ")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("U+____")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("U+____")) << tmux->capture();
    tmux->sendBytes("1F600\r");
    tmux->sendBytes("\x1b");
    ASSERT_TRUE(tmux->waitUntil([&] {
        return tmux->captureLines()[static_cast<std::size_t>(statusRow)].find("\U0001F600") != std::string::npos;
    })) << tmux->capture();
    tmux->sendMouse(35, 12, 10, true);
    tmux->sendBytes("\x0c");  // Ctrl-L repaints everything
    EXPECT_TRUE(tmux->waitUntil([&] { return rightEdge() == edge; })) << edge << "\n" << tmux->capture();
}

}  // namespace
}  // namespace glyphloom::e2e
