#include <gtest/gtest.h>

#include "core/model/print_values.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace shape_tool_test {

class ShapeTool : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(6, 12);
        state->tools.penChar = "#";
    }
    std::string rowOf(const std::unordered_map<GridKey, ANSICell>& cells, int r) const {
        std::string text;
        for (int c = 0; c < state->doc.cols; ++c) {
            const auto it = cells.find({r, c});
            text += it == cells.end() ? " " : it->second.character.str();
        }
        return text;
    }
    std::string layerRow(int r) const {
        std::string text;
        for (int c = 0; c < state->doc.cols; ++c) text += activeCellAt(*state, {r, c})->character.str();
        return text;
    }
    // A drag from `from` to `to` as the dispatcher runs it, then the release.
    void dragShape(GridKey from, GridKey to) {
        state->stroke.shapeStart = from;
        state->stroke.lastShapeDrag = to;
        state->stroke.previewOverlay = computeShape(from, to, *state);
        finishShape(to, *state);
    }
    std::unique_ptr<AppState> state;
};

TEST_F(ShapeTool, EachShapeToolDrawsItsGeometry) {
    state->tools.tool = Tool::line;
    EXPECT_EQ(rowOf(computeShape({1, 1}, {1, 5}, *state), 1), " ─────      ");
    state->tools.lineStyle = LineStyle::none;
    EXPECT_EQ(rowOf(computeShape({1, 1}, {1, 5}, *state), 1), " #####      ");
    state->tools.tool = Tool::box;
    const auto box = computeShape({0, 0}, {2, 3}, *state);
    EXPECT_EQ(rowOf(box, 0), "┌──┐        ");
    EXPECT_EQ(rowOf(box, 1), "│  │        ");
    state->tools.tool = Tool::oval;
    EXPECT_EQ(rowOf(computeShape({2, 0}, {2, 4}, *state), 2), "#####       ");
    state->tools.tool = Tool::paint;
    EXPECT_TRUE(computeShape({0, 0}, {2, 2}, *state).empty());
}

TEST_F(ShapeTool, ColoursAndCharactersCycleAlongTheShape) {
    state->tools.tool = Tool::line;
    state->tools.lineStyle = LineStyle::none;
    state->tools.charCycle = true;
    state->tools.charCyclePool = {"a", "b"};
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    const auto cells = computeShape({0, 0}, {0, 4}, *state);
    EXPECT_EQ(rowOf(cells, 0), "ababa       ");
    EXPECT_EQ(cells.at({0, 3}).foreground, ANSIColorValue::ansi16(1));
    EXPECT_EQ(cells.at({0, 4}).foreground, ANSIColorValue::ansi16(2));
    // The preview leaves the cycles where they were.
    EXPECT_EQ(state->cycles.chars.index, 0);
    EXPECT_EQ(state->cycles.fg.index, 0);
}

TEST_F(ShapeTool, ThickLineCopiesTakeTheNearestCentreCellsFrame) {
    state->tools.tool = Tool::line;
    state->tools.lineThickness = 3;
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    const auto cells = computeShape({2, 0}, {2, 2}, *state);
    for (int c = 0; c <= 2; ++c) {
        EXPECT_EQ(cells.at({1, c}).foreground, cells.at({2, c}).foreground) << c;
        EXPECT_EQ(cells.at({3, c}).foreground, ANSIColorValue::ansi16(c + 1)) << c;
    }
}

TEST_F(ShapeTool, KeepsChannelsThatAreLeftAlone) {
    setActiveCell(*state, {0, 0}, ANSICell{CellChar("z"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(5), true});
    state->tools.tool = Tool::line;
    state->tools.lineStyle = LineStyle::none;
    state->tools.charNull = true;
    state->tools.bgNull = true;
    const auto cells = computeShape({0, 0}, {0, 1}, *state);
    EXPECT_EQ(cells.at({0, 0}), (ANSICell{CellChar("z"), state->tools.fg, ANSIColorValue::ansi16(5), false}));
}

TEST_F(ShapeTool, FilledBoxFillsTheInteriorWithTheCurrentCharacter) {
    state->tools.tool = Tool::box;
    state->tools.boxOptions.filled = true;
    const auto cells = computeShape({0, 0}, {3, 4}, *state);
    EXPECT_EQ(rowOf(cells, 1), "│###│       ");
    EXPECT_EQ(rowOf(cells, 2), "│###│       ");
}

// A box without an outline is drawn whole with the pen and its cycles; an enabled shape
// fill does not reach it. A one-row box keeps its bottom side, with that side's frames.
TEST_F(ShapeTool, OutlineFreeAndOneRowBoxesUseThePenAndTheLaterFrames) {
    state->tools.tool = Tool::box;
    state->tools.shapeFill.enabled = true;
    state->tools.shapeFill.character = "%";
    state->tools.charCycle = true;
    state->tools.charCyclePool = {"a", "b", "c", "d", "e", "f"};
    state->tools.boxOptions.outline = false;
    state->tools.boxOptions.filled = true;
    const auto whole = computeShape({0, 0}, {1, 2}, *state);
    EXPECT_EQ(rowOf(whole, 0), "abc         ");
    EXPECT_EQ(rowOf(whole, 1), "def         ");

    state->tools.boxOptions.outline = true;
    state->tools.charCycle = false;
    state->tools.fgCycle = true;
    for (int n = 1; n <= 6; ++n) state->tools.fgCyclePool.push_back(ANSIColorValue::ansi16(n));
    const auto thin = computeShape({1, 0}, {1, 2}, *state);
    EXPECT_EQ(rowOf(thin, 1), "└─┘         ");
    EXPECT_EQ(thin.at({1, 0}).foreground, ANSIColorValue::ansi16(4));
    EXPECT_EQ(thin.at({1, 2}).foreground, ANSIColorValue::ansi16(6));
}

TEST_F(ShapeTool, MirroredBoxSwapsItsCorners) {
    state->tools.tool = Tool::box;
    state->tools.symmetryMode = SymmetryMode::horizontal;
    const auto cells = computeShape({0, 0}, {2, 3}, *state);
    EXPECT_EQ(rowOf(cells, 0), "┌──┐    ┌──┐");
    EXPECT_EQ(rowOf(cells, 2), "└──┘    └──┘");
    state->tools.boxOptions.style = BoxStyle::double_;
    state->tools.symmetryMode = SymmetryMode::both;
    const auto both = computeShape({0, 0}, {1, 1}, *state);
    EXPECT_EQ(rowOf(both, 4), "╔╗        ╔╗");
    EXPECT_EQ(rowOf(both, 5), "╚╝        ╚╝");
}

TEST_F(ShapeTool, ReleaseCommitsTheShownShapeAsOneUndoStep) {
    state->tools.tool = Tool::box;
    dragShape({0, 0}, {2, 3});
    EXPECT_EQ(layerRow(0), "┌──┐        ");
    EXPECT_EQ(state->undoStack.size(), 1u);
    EXPECT_FALSE(state->stroke.shapeStart);
    EXPECT_TRUE(state->stroke.previewOverlay.empty());
    EXPECT_EQ(state->statusNote.value_or(""), "box 4×3");
    state->undo();
    EXPECT_EQ(layerRow(0), std::string(12, ' '));
}

TEST_F(ShapeTool, ReleaseKeepsTheRandomPicksThePreviewShowed) {
    state->tools.tool = Tool::line;
    state->tools.lineStyle = LineStyle::none;
    state->tools.charRandom = true;
    state->tools.charRandomPool = {"a", "b", "c", "d", "e", "f", "g", "h"};
    state->stroke.shapeStart = GridKey{0, 0};
    state->stroke.lastShapeDrag = GridKey{0, 11};
    state->stroke.previewOverlay = computeShape({0, 0}, {0, 11}, *state);
    const std::string shown = rowOf(state->stroke.previewOverlay, 0);
    finishShape({0, 11}, *state);
    EXPECT_EQ(layerRow(0), shown);
}

TEST_F(ShapeTool, SelectDragOutlinesAndReleaseSelects) {
    state->tools.tool = Tool::select;
    const auto outline = computeShape({3, 5}, {1, 2}, *state);
    EXPECT_EQ(rowOf(outline, 1), "  ┌──┐      ");
    dragShape({3, 5}, {1, 2});
    EXPECT_EQ(state->selection, (CellRect{1, 2, 3, 5}));
    EXPECT_TRUE(state->undoStack.empty());
    EXPECT_EQ(layerRow(1), std::string(12, ' '));
}

TEST_F(ShapeTool, SimulatedFramesFollowStepsAndEmptyPools) {
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2)};
    state->tools.fgCycleStep = 2;
    state->tools.bgCycle = true;  // no pool: the plain background
    state->tools.charCycle = true;
    state->tools.charCyclePool = {"x", "y"};
    state->tools.charCycleWrap = false;
    const auto frames = simulatedCycleFrames(5, *state);
    std::vector<int> fg;
    std::string chars;
    for (const CycleFrame& f : frames) {
        fg.push_back(f.fg->n);
        chars += *f.character;
        EXPECT_EQ(f.bg, state->tools.penBg);
    }
    EXPECT_EQ(fg, (std::vector<int>{1, 1, 2, 2, 1}));
    EXPECT_EQ(chars, "xyyyy");
    state->tools.fgNull = true;
    state->tools.charNull = true;
    EXPECT_FALSE(simulatedCycleFrames(1, *state)[0].fg);
    EXPECT_FALSE(simulatedCycleFrames(1, *state)[0].character);
    EXPECT_TRUE(simulatedCycleFrames(0, *state).empty());
}

}  // namespace shape_tool_test
}  // namespace glyphloom
