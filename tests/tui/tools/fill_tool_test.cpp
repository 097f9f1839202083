#include <gtest/gtest.h>

#include <string>

#include "core/model/print_values.hpp"
#include "tui/tools/fill_tool.hpp"

namespace glyphloom {
namespace fill_tool_test {

using C = ANSIColorValue;

// A small document so mirror positions are easy to name.
class FillToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(6, 10);
    }
    const ANSICell& at(int r, int c) const { return *layer().cells.cellAt(r, c); }
    const Layer& layer() const { return state->doc.layers[0]; }
    void put(int r, int c, ANSICell cell) { state->doc.layers[0].cells.set(r, c, cell); }
    // A vertical wall of "#" down column `col`.
    void wall(int col) {
        ANSICell w;
        w.character = "#";
        for (int r = 0; r < state->doc.rows; ++r) put(r, col, w);
    }
    int countChar(const char* ch) const {
        int n = 0;
        for (int r = 0; r < state->doc.rows; ++r)
            for (int c = 0; c < state->doc.cols; ++c) n += at(r, c).character.str() == ch;
        return n;
    }

    std::unique_ptr<AppState> state;
};

TEST_F(FillToolTest, SolidFillTakesThePenAndOneUndoStep) {
    wall(4);
    state->tools.penChar = "o";
    state->tools.fg = C::ansi16(2);
    state->tools.penBg = C::ansi16(5);
    applyFloodFill({1, 1}, *state);
    EXPECT_EQ(countChar("o"), 6 * 4);
    EXPECT_EQ(at(0, 0).foreground, C::ansi16(2));
    EXPECT_EQ(at(5, 3).background, C::ansi16(5));
    EXPECT_EQ(at(0, 5), ANSICell::blank());  // beyond the wall
    EXPECT_EQ(state->undoStack.size(), 1u);
    EXPECT_TRUE(state->dirty);
    state->undo();
    EXPECT_EQ(countChar("o"), 0);
}

TEST_F(FillToolTest, BlinkOnlyDifferenceStopsTheFill) {
    ANSICell blinking = ANSICell::blank();
    blinking.blink = true;
    put(2, 2, blinking);
    state->tools.penChar = "o";
    applyFloodFill({2, 2}, *state);
    EXPECT_EQ(countChar("o"), 1);
    EXPECT_EQ(at(2, 2).character.str(), "o");
    EXPECT_FALSE(at(2, 2).blink);
}

TEST_F(FillToolTest, FillThatChangesNothingRecordsNoUndoStep) {
    // The blank canvas refilled with its own character and colours.
    state->tools.penChar = " ";
    state->tools.fg = C::ansi16(15);
    state->tools.penBg = C::ansi16(0);
    applyFloodFill({0, 0}, *state);
    EXPECT_TRUE(state->undoStack.empty());
    EXPECT_FALSE(state->dirty);
    // The same click on a blinking region does change it: blink is cleared.
    ANSICell blinking = ANSICell::blank();
    blinking.blink = true;
    put(3, 3, blinking);
    applyFloodFill({3, 3}, *state);
    EXPECT_EQ(state->undoStack.size(), 1u);
    EXPECT_FALSE(at(3, 3).blink);
    // A gradient from a colour to itself over a "█" region in that colour changes nothing.
    state->tools.fillMode = FillMode::gradient(GradientDirection::horizontal);
    state->tools.fg = state->tools.penBg = C::ansi16(0);
    applyFloodFill({0, 0}, *state);
    applyFloodFill({0, 0}, *state);
    EXPECT_EQ(state->undoStack.size(), 2u);
}

TEST_F(FillToolTest, SymmetryBothFillsFourRegionsInOneStep) {
    wall(4);
    wall(5);
    ANSICell w;
    w.character = "#";
    for (int c = 0; c < state->doc.cols; ++c) put(2, c, w), put(3, c, w);
    // Four quadrants: rows 0–1 and 4–5, columns 0–3 and 6–9.
    state->tools.symmetryMode = SymmetryMode::both;
    state->tools.penChar = "o";
    applyFloodFill({0, 0}, *state);
    EXPECT_EQ(countChar("o"), 4 * 8);
    for (const GridKey corner : {GridKey{0, 0}, GridKey{0, 9}, GridKey{5, 0}, GridKey{5, 9}})
        EXPECT_EQ(at(corner.row, corner.col).character.str(), "o") << corner.row << "," << corner.col;
    EXPECT_EQ(state->undoStack.size(), 1u);
}

TEST_F(FillToolTest, HorizontalMirrorIntoTheSameRegionFillsOnce) {
    state->tools.symmetryMode = SymmetryMode::horizontal;
    state->tools.penChar = "o";
    applyFloodFill({1, 1}, *state);
    EXPECT_EQ(countChar("o"), 60);
    EXPECT_EQ(state->undoStack.size(), 1u);
}

TEST_F(FillToolTest, GradientModeShadesFromForegroundToBackground) {
    wall(5);  // region: columns 0–4, so t steps by a quarter
    state->tools.fillMode = FillMode::gradient(GradientDirection::horizontal);
    state->tools.fg = C::ansi16(1);
    state->tools.penBg = C::ansi16(4);
    applyFloodFill({3, 0}, *state);
    std::string row;
    for (int c = 0; c < 5; ++c) row += at(3, c).character.str();
    EXPECT_EQ(row, "█▓▒░█");
    EXPECT_EQ(at(3, 0).background, C::ansi16(1));
    EXPECT_EQ(at(3, 4).foreground, C::ansi16(4));
    EXPECT_EQ(at(3, 5).character.str(), "#");
}

TEST_F(FillToolTest, CyclesRunAlongTheRegionInVisitingOrder) {
    // A corridor: row 0, columns 0–3, closed by "#" cells.
    ANSICell w;
    w.character = "#";
    put(0, 4, w);
    for (int c = 0; c < state->doc.cols; ++c) put(1, c, w);
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {C::ansi16(1), C::ansi16(2), C::ansi16(3)};
    state->cycles.fg.index = 1;
    state->tools.charCycle = true;
    state->tools.charCyclePool = {"a", "b"};
    state->tools.charCycleStep = 2;
    applyFloodFill({0, 2}, *state);
    // From column 2 the walk goes right first, then back left.
    std::string chars;
    std::vector<int> colours;
    for (const int c : {2, 3, 1, 0}) {
        chars += at(0, c).character.str();
        colours.push_back(at(0, c).foreground.n);
    }
    EXPECT_EQ(chars, "aabb");
    EXPECT_EQ(colours, (std::vector<int>{2, 3, 1, 2}));
    // The live cycles are where they were.
    EXPECT_EQ(state->cycles.fg.index, 1);
    EXPECT_EQ(state->cycles.chars.index, 0);
}

TEST_F(FillToolTest, CharacterLeftAloneKeepsEachCellsCharacter) {
    wall(2);
    state->tools.charNull = true;
    state->tools.fg = C::ansi16(3);
    applyFloodFill({0, 0}, *state);
    EXPECT_EQ(at(0, 0).character.str(), " ");
    EXPECT_EQ(at(0, 0).foreground, C::ansi16(3));
    EXPECT_EQ(at(0, 2).foreground, C::ansi16(15));
}

TEST_F(FillToolTest, ShiftedLayerFillsAtTheDocumentPosition) {
    state->doc.layers[0].rowOffset = 1;
    state->doc.layers[0].colOffset = 2;
    wall(3);  // layer column 3 is document column 5
    state->tools.penChar = "o";
    applyFloodFill({0, 6}, *state);  // layer (-1, 4): outside the layer
    EXPECT_EQ(countChar("o"), 0);
    applyFloodFill({1, 6}, *state);  // layer (0, 4): right of the wall
    EXPECT_EQ(at(0, 4).character.str(), "o");
    EXPECT_EQ(at(0, 2).character.str(), " ");
}

}  // namespace fill_tool_test
}  // namespace glyphloom
