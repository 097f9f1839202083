#include <gtest/gtest.h>

#include <chrono>

#include "core/model/print_values.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/painting.hpp"

namespace glyphloom {
namespace painting_test {

// A small canvas and a clock the test moves by hand.
class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(9, 20);
        state->tools.penChar = "#";
        state->tools.fg = ANSIColorValue::ansi16(2);
        state->tools.penBg = ANSIColorValue::ansi16(4);
    }

    // One stroke through the given points, `ms` apart.
    void stroke(std::initializer_list<GridKey> points, int ms = 200) {
        beginStroke(*state);
        for (const GridKey p : points) {
            paint(p, *state, now, random);
            now += std::chrono::milliseconds(ms);
        }
    }
    const ANSICell& at(int row, int col) const { return *activeCellAt(*state, {row, col}); }
    int painted() const {
        int n = 0;
        for (int r = 0; r < state->doc.rows; ++r)
            for (int c = 0; c < state->doc.cols; ++c) n += at(r, c) != ANSICell::blank();
        return n;
    }

    std::unique_ptr<AppState> state;
    TimeStamp now{};
    EngineRandomSource random{7};
};

TEST_F(Painting, PressStampsOnceAndARepeatedSampleNothing) {
    stroke({{2, 3}, {2, 3}});
    EXPECT_EQ(state->stroke.strokeCellCount, 1);
    EXPECT_EQ(painted(), 1);
    EXPECT_EQ(at(2, 3).character.str(), "#");
    EXPECT_EQ(at(2, 3).foreground, ANSIColorValue::ansi16(2));
    EXPECT_EQ(at(2, 3).background, ANSIColorValue::ansi16(4));
}

TEST_F(Painting, FastDragLeavesNoGaps) {
    stroke({{0, 0}, {4, 6}}, 1);
    EXPECT_EQ(state->stroke.strokeCellCount, 11);
    EXPECT_EQ(painted(), 11);
    EXPECT_EQ(at(4, 6).character.str(), "#");
    EXPECT_EQ(state->stroke.lastPaint, (GridKey{4, 6}));
}

TEST_F(Painting, ChannelsLeftAloneSwappedOrBlinkCleared) {
    ANSICell old{CellChar("o"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(3), true};
    setActiveCell(*state, {1, 1}, old);
    setActiveCell(*state, {1, 2}, old);
    setActiveCell(*state, {1, 3}, old);
    state->tools.charNull = true;
    state->tools.fgNull = true;
    stroke({{1, 1}});
    EXPECT_EQ(at(1, 1), (ANSICell{CellChar("o"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(4), false}));
    state->tools.charNull = state->tools.fgNull = false;
    // The swap belongs to the stroke (a right-button press sets it once the stroke has begun).
    const auto swappedStroke = [&](GridKey at) {
        beginStroke(*state);
        state->stroke.paintSwap = true;
        paint(at, *state, now, random);
    };
    swappedStroke({1, 2});
    EXPECT_EQ(at(1, 2), (ANSICell{CellChar("#"), ANSIColorValue::ansi16(4), ANSIColorValue::ansi16(2), false}));
    state->tools.bgNull = true;  // swapped, the foreground keeps its own colour instead of the left-alone background
    swappedStroke({1, 3});
    EXPECT_EQ(at(1, 3), (ANSICell{CellChar("#"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(2), false}));
}

TEST_F(Painting, EraserBlanksCellsAndLeavesCyclesWhereTheyWere) {
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(5)};
    stroke({{0, 0}, {0, 2}});
    EXPECT_EQ(at(0, 1).foreground, ANSIColorValue::ansi16(5));
    EXPECT_EQ(state->cycles.fg.index, 1);
    state->tools.tool = Tool::eraser;
    state->tools.brush = BrushSize::cells(3);
    stroke({{0, 1}});
    EXPECT_EQ(painted(), 0);
    EXPECT_EQ(state->cycles.fg.index, 1);
    EXPECT_EQ(state->stroke.strokeCellCount, 1);
}

TEST_F(Painting, ColourCycleStepsEveryThirdStampAndRestartsPerStroke) {
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    state->tools.fgCycleStep = 3;
    state->tools.colorCycleResetPerStroke = true;
    stroke({{0, 0}, {0, 6}});
    std::vector<int> colours;
    for (int c = 0; c <= 6; ++c) colours.push_back(at(0, c).foreground.n);
    EXPECT_EQ(colours, (std::vector<int>{1, 1, 1, 2, 2, 2, 3}));
    stroke({{2, 0}});
    EXPECT_EQ(at(2, 0).foreground.n, 1);
    // Without the reset the count runs on across strokes: the third stamp since the reset
    // still has the first colour, the fourth the next.
    state->tools.colorCycleResetPerStroke = false;
    stroke({{4, 0}});
    stroke({{5, 0}});
    EXPECT_EQ(at(5, 0).foreground.n, 1);
    stroke({{6, 0}});
    EXPECT_EQ(at(6, 0).foreground.n, 2);
}

TEST_F(Painting, SymmetryBothStampsFourTimes) {
    state->tools.symmetryMode = SymmetryMode::both;
    stroke({{1, 2}});
    EXPECT_EQ(painted(), 4);
    for (const GridKey k : {GridKey{1, 2}, GridKey{1, 17}, GridKey{7, 2}, GridKey{7, 17}})
        EXPECT_EQ(at(k.row, k.col).character.str(), "#") << k.row << "," << k.col;
}

TEST_F(Painting, MirroredSubCellStampsKeepTheUnmirroredDirection) {
    state->tools.symmetryMode = SymmetryMode::horizontal;
    state->tools.brush = BrushSize::quarter();
    stroke({{2, 4}, {2, 3}});  // moving left: lower left, and the same quarter in the mirror copy
    EXPECT_EQ(at(2, 3).character.str(), "▖");
    EXPECT_EQ(at(2, 16).character.str(), "▖");
    // A row of an odd-width canvas mirrors onto itself on the centre line of a vertical mirror.
    state->tools.symmetryMode = SymmetryMode::vertical;
    stroke({{4, 5}});
    EXPECT_EQ(at(4, 5).character.str(), "▗");
    EXPECT_EQ(painted(), 5);
}

TEST_F(Painting, QuarterBrushAccumulatesAndErasesOneQuadrant) {
    state->tools.brush = BrushSize::quarter();
    stroke({{3, 3}});          // first sample: lower right
    stroke({{3, 4}, {3, 3}});  // arriving from the right: lower left joins it
    EXPECT_EQ(at(3, 3).character.str(), "▄");
    stroke({{4, 3}, {3, 3}});  // arriving from below: upper right
    EXPECT_EQ(at(3, 3).character.str(), "▟");
    state->tools.tool = Tool::eraser;
    state->tools.fg = ANSIColorValue::ansi16(9);
    stroke({{3, 4}, {3, 3}});  // takes the lower-left quarter away only
    EXPECT_EQ(at(3, 3).character.str(), "▐");
    EXPECT_EQ(at(3, 3).foreground, ANSIColorValue::ansi16(2));  // colours kept
}

TEST_F(Painting, HalfBrushFollowsTheDirection) {
    state->tools.brush = BrushSize::half();
    stroke({{5, 5}, {4, 5}});
    EXPECT_EQ(at(5, 5).character.str(), "▄");
    EXPECT_EQ(at(4, 5).character.str(), "▐");
    stroke({{2, 6}, {2, 5}});
    EXPECT_EQ(at(2, 5).character.str(), "▄");  // a horizontal move gives the lower half
}

TEST_F(Painting, PressureShrinksABigBrushToOneCellOnAFastDrag) {
    state->tools.brush = BrushSize::cells(4);
    state->tools.velocityControlsSize = true;
    stroke({{4, 6}, {4, 16}}, 1);  // the press is at rest, then ten columns in a millisecond
    EXPECT_EQ(painted(), 32 + 7);  // 4 rows of 8, then one cell per point past them
    EXPECT_EQ(at(3, 12), ANSICell::blank());
    EXPECT_EQ(at(4, 16).character.str(), "#");
}

TEST_F(Painting, DrawShadesLightenWithSpeed) {
    state->tools.tool = Tool::draw;
    stroke({{1, 0}, {1, 1}}, 1000);  // one column a second: nearly still
    EXPECT_EQ(at(1, 1).character.str(), "█");
    stroke({{3, 0}, {3, 1}}, 40);  // 25 columns a second, smoothed to 12.5: factor 0.69
    EXPECT_EQ(at(3, 1).character.str(), "▓");
    stroke({{5, 0}, {5, 9}}, 10);
    EXPECT_EQ(at(5, 9).character.str(), "░");
    EXPECT_EQ(at(5, 0).character.str(), "█");  // the press has no speed yet
}

TEST_F(Painting, ShiftedLayerTakesStrokesAtItsOwnPosition) {
    state->doc.layers[0].rowOffset = 1;
    state->doc.layers[0].colOffset = 2;
    stroke({{0, 0}, {1, 3}});
    EXPECT_EQ(state->doc.layers[0].cells.cellAt(0, 1)->character.str(), "#");  // document (1,3)
    EXPECT_EQ(state->stroke.strokeCellCount, 5);
}

TEST_F(Painting, ToolsOutsideTheBrushesLeaveTheCanvasAlone) {
    for (const Tool tool : {Tool::fill, Tool::line, Tool::box, Tool::oval, Tool::text, Tool::select, Tool::pans}) {
        state->tools.tool = tool;
        stroke({{1, 1}, {3, 3}});
        EXPECT_EQ(painted(), 0) << rawValue(tool);
    }
}

}  // namespace painting_test
}  // namespace glyphloom
