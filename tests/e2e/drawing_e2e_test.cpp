// Drawing on the canvas end to end: strokes and shapes dragged with SGR mouse reports, read
// back from the real screen, and taken back with Ctrl-Z.
#include <gtest/gtest.h>

#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace drawing_e2e_test {

class Drawing : public EditorFixture {
protected:
    // Press at the first point, drag through the others with the button held, release at the last.
    void drag(std::initializer_list<std::pair<int, int>> points) {
        const auto first = *points.begin();
        tmux->sendMouse(0, first.first, first.second, true);
        for (const auto& [x, y] : points) tmux->sendMouse(32, x, y, true);
        const auto last = *(points.end() - 1);
        tmux->sendMouse(0, last.first, last.second, false);
    }
    // The text on screen row y from column x, `count` characters long.
    std::string textAt(int x, int y, int count) {
        const auto lines = tmux->captureLines();
        if (y >= static_cast<int>(lines.size())) return {};
        const std::string& line = lines[static_cast<std::size_t>(y)];
        std::string out;
        int column = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) ++column;  // a character starts
            if (column - 1 >= x && column - 1 < x + count) out += line[i];
        }
        // tmux trims trailing blanks: pad so a blank stretch reads as spaces.
        for (int c = std::max(column, x); c < x + count; ++c) out += ' ';
        return out;
    }
    bool shows(int x, int y, const std::string& text, int count) {
        return tmux->waitUntil([&] { return textAt(x, y, count) == text; });
    }
};

// The middle of a 120×34 terminal is canvas whatever the chrome around it.
constexpr int x0 = 60, y0 = 12;

TEST_F(Drawing, PaintStrokeShowsAndUndoes) {
    const std::string blank(5, ' ');
    ASSERT_TRUE(shows(x0, y0, blank, 5)) << tmux->capture();
    drag({{x0, y0}, {x0 + 2, y0}, {x0 + 4, y0}});
    EXPECT_TRUE(shows(x0, y0, "█████", 5)) << tmux->capture();
    EXPECT_TRUE(shows(x0 - 1, y0, " █", 2)) << tmux->capture();
    tmux->sendBytes("\x1a");
    EXPECT_TRUE(shows(x0, y0, blank, 5)) << tmux->capture();
}

TEST_F(Drawing, BoxDragShowsAndUndoes) {
    ASSERT_TRUE(tmux->clickText("Box")) << tmux->capture();
    drag({{x0, y0}, {x0 + 3, y0 + 1}, {x0 + 6, y0 + 3}});
    EXPECT_TRUE(shows(x0, y0, "┌─────┐", 7)) << tmux->capture();
    EXPECT_TRUE(shows(x0, y0 + 1, "│     │", 7)) << tmux->capture();
    EXPECT_TRUE(shows(x0, y0 + 3, "└─────┘", 7)) << tmux->capture();
    tmux->sendBytes("\x1a");
    EXPECT_TRUE(shows(x0, y0, std::string(7, ' '), 7)) << tmux->capture();
    EXPECT_TRUE(shows(x0, y0 + 3, std::string(7, ' '), 7)) << tmux->capture();
}

TEST_F(Drawing, CopiedBlockFloatsMovesWithArrowsAndSpacePlacesIt) {
    drag({{x0, y0}, {x0 + 2, y0}});
    ASSERT_TRUE(shows(x0, y0, "███", 3)) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Select")) << tmux->capture();
    drag({{x0, y0}, {x0 + 2, y0}});
    ASSERT_TRUE(tmux->clickText("Copy")) << tmux->capture();

    // A press elsewhere moves the document cursor there, and the float appears at it.
    const int fx = x0 + 6, fy = y0 + 4;
    tmux->click(fx, fy);
    tmux->sendBytes("\x16");
    ASSERT_TRUE(shows(fx, fy, "███", 3)) << tmux->capture();

    tmux->sendBytes("\x1b[C\x1b[C\x1b[B");  // right, right, down
    EXPECT_TRUE(shows(fx + 2, fy + 1, "███", 3)) << tmux->capture();
    EXPECT_TRUE(shows(fx, fy, "  ", 2)) << "the float left its first place\n" << tmux->capture();

    // Placed for real: Esc no longer takes it away, one undo does.
    tmux->sendBytes(" ");
    ASSERT_TRUE(tmux->waitForText("pasted (^V floats it again)")) << tmux->capture();
    tmux->sendBytes("\x1b");
    EXPECT_TRUE(shows(fx + 2, fy + 1, "███", 3)) << tmux->capture();
    EXPECT_TRUE(shows(x0, y0, "███", 3)) << "the copied cells stay\n" << tmux->capture();
    tmux->sendBytes("\x1a");
    EXPECT_TRUE(shows(fx + 2, fy + 1, "   ", 3)) << tmux->capture();
    EXPECT_TRUE(shows(x0, y0, "███", 3)) << tmux->capture();
}

// Typing and the Space pen start from the cell last pressed, whatever the tool pressed with.
TEST_F(Drawing, APressMovesTheCursorForTypingAndTheSpacePen) {
    ASSERT_TRUE(tmux->clickText("Select")) << tmux->capture();
    tmux->click(x0, y0 + 2);
    tmux->sendBytes("hi");
    EXPECT_TRUE(shows(x0, y0 + 2, "hi", 2)) << tmux->capture();

    tmux->click(x0 + 10, y0 + 5);
    ASSERT_TRUE(tmux->clickText("Paint")) << tmux->capture();
    tmux->sendBytes(" ");
    tmux->sendBytes("\x1b[C\x1b[C");  // right, right: the pen draws along
    tmux->sendBytes(" ");
    EXPECT_TRUE(shows(x0 + 9, y0 + 5, " ███ ", 5)) << tmux->capture();
}

}  // namespace drawing_e2e_test
}  // namespace glyphloom::e2e
