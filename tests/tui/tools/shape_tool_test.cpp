#include <gtest/gtest.h>

#include "core/model/print_values.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace {

class ShapeTool : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(6, 12);
        state->penChar = "#";
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
        state->shapeStart = from;
        state->lastShapeDrag = to;
        state->previewOverlay = computeShape(from, to, *state);
        finishShape(to, *state);
    }
    std::unique_ptr<AppState> state;
};

TEST_F(ShapeTool, EachShapeToolDrawsItsGeometry) {
    state->tool = Tool::line;
    EXPECT_EQ(rowOf(computeShape({1, 1}, {1, 5}, *state), 1), " ─────      ");
    state->lineStyle = LineStyle::none;
    EXPECT_EQ(rowOf(computeShape({1, 1}, {1, 5}, *state), 1), " #####      ");
    state->tool = Tool::box;
    const auto box = computeShape({0, 0}, {2, 3}, *state);
    EXPECT_EQ(rowOf(box, 0), "┌──┐        ");
    EXPECT_EQ(rowOf(box, 1), "│  │        ");
    state->tool = Tool::oval;
    EXPECT_EQ(rowOf(computeShape({2, 0}, {2, 4}, *state), 2), "#####       ");
    state->tool = Tool::paint;
    EXPECT_TRUE(computeShape({0, 0}, {2, 2}, *state).empty());
}

TEST_F(ShapeTool, ColoursAndCharactersCycleAlongTheShape) {
    state->tool = Tool::line;
    state->lineStyle = LineStyle::none;
    state->charCycle = true;
    state->charCyclePool = {"a", "b"};
    state->fgCycle = true;
    state->fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    const auto cells = computeShape({0, 0}, {0, 4}, *state);
    EXPECT_EQ(rowOf(cells, 0), "ababa       ");
    EXPECT_EQ(cells.at({0, 3}).foreground, ANSIColorValue::ansi16(1));
    EXPECT_EQ(cells.at({0, 4}).foreground, ANSIColorValue::ansi16(2));
    // The preview leaves the cycles where they were.
    EXPECT_EQ(state->charCycleIndex, 0);
    EXPECT_EQ(state->fgCycleIndex, 0);
}

TEST_F(ShapeTool, ThickLineCopiesTakeTheNearestCentreCellsFrame) {
    state->tool = Tool::line;
    state->lineThickness = 3;
    state->fgCycle = true;
    state->fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    const auto cells = computeShape({2, 0}, {2, 2}, *state);
    for (int c = 0; c <= 2; ++c) {
        EXPECT_EQ(cells.at({1, c}).foreground, cells.at({2, c}).foreground) << c;
        EXPECT_EQ(cells.at({3, c}).foreground, ANSIColorValue::ansi16(c + 1)) << c;
    }
}

TEST_F(ShapeTool, KeepsChannelsThatAreLeftAlone) {
    setActiveCell(*state, {0, 0}, ANSICell{CellChar("z"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(5), true});
    state->tool = Tool::line;
    state->lineStyle = LineStyle::none;
    state->charNull = true;
    state->bgNull = true;
    const auto cells = computeShape({0, 0}, {0, 1}, *state);
    EXPECT_EQ(cells.at({0, 0}), (ANSICell{CellChar("z"), state->fg, ANSIColorValue::ansi16(5), false}));
}

TEST_F(ShapeTool, FilledBoxFillsTheInteriorWithTheCurrentCharacter) {
    state->tool = Tool::box;
    state->boxOptions.filled = true;
    const auto cells = computeShape({0, 0}, {3, 4}, *state);
    EXPECT_EQ(rowOf(cells, 1), "│###│       ");
    EXPECT_EQ(rowOf(cells, 2), "│###│       ");
}

// A box without an outline is drawn whole with the pen and its cycles; an enabled shape
// fill does not reach it. A one-row box keeps its bottom side, with that side's frames.
TEST_F(ShapeTool, OutlineFreeAndOneRowBoxesUseThePenAndTheLaterFrames) {
    state->tool = Tool::box;
    state->shapeFill.enabled = true;
    state->shapeFill.character = "%";
    state->charCycle = true;
    state->charCyclePool = {"a", "b", "c", "d", "e", "f"};
    state->boxOptions.outline = false;
    state->boxOptions.filled = true;
    const auto whole = computeShape({0, 0}, {1, 2}, *state);
    EXPECT_EQ(rowOf(whole, 0), "abc         ");
    EXPECT_EQ(rowOf(whole, 1), "def         ");

    state->boxOptions.outline = true;
    state->charCycle = false;
    state->fgCycle = true;
    for (int n = 1; n <= 6; ++n) state->fgCyclePool.push_back(ANSIColorValue::ansi16(n));
    const auto thin = computeShape({1, 0}, {1, 2}, *state);
    EXPECT_EQ(rowOf(thin, 1), "└─┘         ");
    EXPECT_EQ(thin.at({1, 0}).foreground, ANSIColorValue::ansi16(4));
    EXPECT_EQ(thin.at({1, 2}).foreground, ANSIColorValue::ansi16(6));
}

TEST_F(ShapeTool, MirroredBoxSwapsItsCorners) {
    state->tool = Tool::box;
    state->symmetryMode = SymmetryMode::horizontal;
    const auto cells = computeShape({0, 0}, {2, 3}, *state);
    EXPECT_EQ(rowOf(cells, 0), "┌──┐    ┌──┐");
    EXPECT_EQ(rowOf(cells, 2), "└──┘    └──┘");
    state->boxOptions.style = BoxStyle::double_;
    state->symmetryMode = SymmetryMode::both;
    const auto both = computeShape({0, 0}, {1, 1}, *state);
    EXPECT_EQ(rowOf(both, 4), "╔╗        ╔╗");
    EXPECT_EQ(rowOf(both, 5), "╚╝        ╚╝");
}

TEST_F(ShapeTool, ReleaseCommitsTheShownShapeAsOneUndoStep) {
    state->tool = Tool::box;
    dragShape({0, 0}, {2, 3});
    EXPECT_EQ(layerRow(0), "┌──┐        ");
    EXPECT_EQ(state->undoStack.size(), 1u);
    EXPECT_FALSE(state->shapeStart);
    EXPECT_TRUE(state->previewOverlay.empty());
    EXPECT_EQ(state->statusNote.value_or(""), "box 4×3");
    state->undo();
    EXPECT_EQ(layerRow(0), std::string(12, ' '));
}

TEST_F(ShapeTool, ReleaseKeepsTheRandomPicksThePreviewShowed) {
    state->tool = Tool::line;
    state->lineStyle = LineStyle::none;
    state->charRandom = true;
    state->charRandomPool = {"a", "b", "c", "d", "e", "f", "g", "h"};
    state->shapeStart = GridKey{0, 0};
    state->lastShapeDrag = GridKey{0, 11};
    state->previewOverlay = computeShape({0, 0}, {0, 11}, *state);
    const std::string shown = rowOf(state->previewOverlay, 0);
    finishShape({0, 11}, *state);
    EXPECT_EQ(layerRow(0), shown);
}

TEST_F(ShapeTool, SelectDragOutlinesAndReleaseSelects) {
    state->tool = Tool::select;
    const auto outline = computeShape({3, 5}, {1, 2}, *state);
    EXPECT_EQ(rowOf(outline, 1), "  ┌──┐      ");
    dragShape({3, 5}, {1, 2});
    EXPECT_EQ(state->selection, (CellRect{1, 2, 3, 5}));
    EXPECT_TRUE(state->undoStack.empty());
    EXPECT_EQ(layerRow(1), std::string(12, ' '));
}

TEST_F(ShapeTool, SimulatedFramesFollowStepsAndEmptyPools) {
    state->fgCycle = true;
    state->fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2)};
    state->fgCycleStep = 2;
    state->bgCycle = true;  // no pool: the plain background
    state->charCycle = true;
    state->charCyclePool = {"x", "y"};
    state->charCycleWrap = false;
    const auto frames = simulatedCycleFrames(5, *state);
    std::vector<int> fg;
    std::string chars;
    for (const CycleFrame& f : frames) {
        fg.push_back(f.fg->n);
        chars += *f.character;
        EXPECT_EQ(f.bg, state->penBg);
    }
    EXPECT_EQ(fg, (std::vector<int>{1, 1, 2, 2, 1}));
    EXPECT_EQ(chars, "xyyyy");
    state->fgNull = true;
    state->charNull = true;
    EXPECT_FALSE(simulatedCycleFrames(1, *state)[0].fg);
    EXPECT_FALSE(simulatedCycleFrames(1, *state)[0].character);
    EXPECT_TRUE(simulatedCycleFrames(0, *state).empty());
}

}  // namespace
}  // namespace glyphloom
