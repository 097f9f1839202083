// Glyphs the terminal draws two columns wide, end to end: what is clicked is what is shown,
// deleted text leaves nothing behind, and the status line keeps its right edge.
#include <gtest/gtest.h>

#include <string>

#include "core/text/utf8.hpp"
#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace wide_glyph_e2e_test {

// The screen column at which byte `offset` of a captured line is drawn: tmux captures a wide
// glyph once, and it takes two columns.
int columnAt(const std::string& line, std::size_t offset) {
    return utf8::textDisplayWidth(std::string_view(line).substr(0, offset));
}

class WideGlyphs : public EditorFixture {
protected:
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
    // Opens the character picker from the tool options' "Char" button. The fill tool's options
    // are short enough for the button to fit above the preview box at this terminal height.
    void openPicker() {
        ASSERT_TRUE(tmux->clickText("Fill")) << tmux->capture();
        ASSERT_TRUE(tmux->waitForText("Char ")) << tmux->capture();
        ASSERT_TRUE(tmux->clickText("Char ")) << tmux->capture();
        ASSERT_TRUE(tmux->waitForText("Characters")) << tmux->capture();
    }
};

TEST_F(WideGlyphs, PickerClickPicksTheGlyphUnderThePointer) {
    ASSERT_NO_FATAL_FAILURE(openPicker());
    ASSERT_TRUE(tmux->clickText("▾ ")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Hiragana")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Hiragana")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("▾ Hiragana")) << tmux->capture();
    const auto title = tmux->find("Characters");
    ASSERT_TRUE(title);
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
    // "か" sits after ten other wide glyphs in its row: counted one column each, the click
    // would land on a glyph further right. Picking one glyph closes the picker, and the
    // options' button shows it.
    ASSERT_TRUE(clickShown("か", title->second + 2)) << tmux->capture();
    EXPECT_TRUE(tmux->waitForText("Char か")) << tmux->capture();
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
    int statusRow = -1;
    {
        const auto lines = tmux->captureLines();
        for (int y = 0; y < static_cast<int>(lines.size()); ++y)
            if (lines[static_cast<std::size_t>(y)].find("Ctrl-C quits") != std::string::npos) statusRow = y;
    }
    ASSERT_GE(statusRow, 0) << tmux->capture();
    auto statusLine = [&] { return tmux->captureLines()[static_cast<std::size_t>(statusRow)]; };
    // The pointer over the canvas puts its position at the status line's right edge.
    auto pointAtCanvas = [&] { tmux->sendMouse(35, 40, 10, true); };  // a plain move reports the pointer
    pointAtCanvas();
    ASSERT_TRUE(tmux->waitUntil([&] { return statusLine().find(',') != std::string::npos; })) << tmux->capture();
    auto rightEdge = [&] {
        const std::string line = statusLine();
        return columnAt(line, line.find_last_not_of(' ') + 1);
    };
    const int edge = rightEdge();

    // The pen character typed as a code point in the picker.
    ASSERT_NO_FATAL_FAILURE(openPicker());
    ASSERT_TRUE(tmux->clickText("U+____")) << tmux->capture();
    tmux->sendBytes("1F600\r");
    ASSERT_TRUE(tmux->waitForText("Char \U0001F600")) << tmux->capture();
    tmux->sendBytes("\x1b");
    ASSERT_TRUE(tmux->waitUntil([&] { return statusLine().find("\U0001F600") != std::string::npos; }))
        << tmux->capture();
    pointAtCanvas();
    tmux->sendBytes("\x0c");  // Ctrl-L repaints everything
    EXPECT_TRUE(tmux->waitUntil([&] { return statusLine().find(',') != std::string::npos && rightEdge() == edge; }))
        << edge << "\n" << tmux->capture();
}

}  // namespace wide_glyph_e2e_test
}  // namespace glyphloom::e2e
