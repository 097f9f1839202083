#include <gtest/gtest.h>

#include "tui/tools/active_layer.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/pen_tool.hpp"

namespace glyphloom {
namespace pen_tool_test {

class PenTool : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(8, 10);
        state->tools.tool = Tool::pen;
    }
    void stroke(std::initializer_list<GridKey> points) {
        beginStroke(*state);
        for (const GridKey p : points) paint(p, *state);
    }
    // One document row as text.
    std::string row(int r) const {
        std::string text;
        for (int c = 0; c < state->doc.cols; ++c) text += activeCellAt(*state, {r, c})->character.str();
        return text;
    }
    void put(int r, int c, const char* glyph) { setActiveCell(*state, {r, c}, ANSICell{CellChar(glyph)}); }

    std::unique_ptr<AppState> state;
};

TEST_F(PenTool, CornersFollowTheTurnsOfTheStroke) {
    stroke({{1, 1}, {1, 4}, {3, 4}, {3, 2}});
    EXPECT_EQ(row(1), " ───┐     ");
    EXPECT_EQ(row(2), "    │     ");
    EXPECT_EQ(row(3), "  ──┘     ");
    EXPECT_EQ(state->stroke.strokeCellCount, 8);
}

TEST_F(PenTool, LineStylesDrawTheirOwnGlyphs) {
    struct Case {
        LineStyle style;
        const char* top;
    };
    for (const Case c : {Case{LineStyle::single, "┌─"}, Case{LineStyle::rounded, "╭─"}, Case{LineStyle::double_, "╔═"}}) {
        SetUp();
        state->tools.penLineStyle = c.style;
        stroke({{2, 0}, {0, 0}, {0, 1}});
        EXPECT_EQ(row(0).substr(0, row(0).find(' ')), c.top);
    }
}

TEST_F(PenTool, SingleClickDrawsAPlusAndNoStyleDrawsTheCharacter) {
    stroke({{2, 2}});
    EXPECT_EQ(row(2), "  +       ");
    SetUp();
    state->tools.penLineStyle = LineStyle::none;
    state->tools.penChar = "*";
    stroke({{2, 2}, {2, 4}});
    EXPECT_EQ(row(2), "  ***     ");
}

TEST_F(PenTool, JoinsExistingBoxDrawingArtWithoutChangingIt) {
    put(0, 4, "│");
    put(2, 6, "═");
    stroke({{1, 0}, {1, 4}});  // ends right under the vertical line
    EXPECT_EQ(row(1), "────┘     ");
    EXPECT_EQ(row(0), "    │     ");
    stroke({{2, 2}, {2, 5}});  // reaches the double line from its left
    EXPECT_EQ(row(2), "  ────═   ");
    put(5, 5, "╭");  // rounded corners carry no connections
    stroke({{6, 5}, {6, 7}});
    EXPECT_EQ(row(6), "     ───  ");
}

TEST_F(PenTool, ThickStrokeNeverJoinsItsOwnCopies) {
    state->tools.lineThickness = 2;
    stroke({{2, 0}, {2, 2}, {4, 2}, {5, 2}});
    EXPECT_EQ(row(1), "──┐       ");
    EXPECT_EQ(row(2), "──┐       ");
    EXPECT_EQ(row(3), " ││       ");
    EXPECT_EQ(row(5), " ││       ");
}

TEST_F(PenTool, StrokeRedrawRestoresWhatEarlierSamplesCovered) {
    state->tools.lineThickness = 3;
    put(2, 1, "x");
    // Going down lays copies beside the line; turning right moves them above and below, and
    // the art the old copies covered comes back.
    stroke({{1, 2}, {2, 2}});
    EXPECT_EQ(row(2), " │││      ");
    paint({2, 3}, *state);
    EXPECT_EQ(row(1), " ││─      ");
    EXPECT_EQ(row(2), " x└─      ");
    EXPECT_EQ(row(3), "  └─      ");
}

TEST_F(PenTool, MirrorCopiesFaceTheOtherWay) {
    state->tools.symmetryMode = SymmetryMode::horizontal;
    stroke({{1, 1}, {1, 2}, {2, 2}});
    EXPECT_EQ(row(1), " ─┐    ┌─ ");
    EXPECT_EQ(row(2), "  │    │  ");
}

TEST_F(PenTool, ColoursAreFixedAtTheFirstVisit) {
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    stroke({{0, 0}, {0, 2}, {0, 0}});
    EXPECT_EQ(activeCellAt(*state, {0, 0})->foreground, ANSIColorValue::ansi16(1));
    EXPECT_EQ(activeCellAt(*state, {0, 2})->foreground, ANSIColorValue::ansi16(3));
    EXPECT_EQ(state->stroke.strokeCellCount, 3);
}

}  // namespace pen_tool_test
}  // namespace glyphloom
