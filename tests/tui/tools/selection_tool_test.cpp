#include "tui/tools/selection_tool.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace {

using C = ANSIColorValue;

TEST(BlinkSelection, FlipsTheSelectedCellsOnlyAndIsUndoable) {
    AppState s;
    Layer& layer = s.layers.front();
    layer.cells.set(1, 1, {CellChar("a"), C::ansi16(7), C::ansi16(0), false});
    layer.cells.set(1, 2, {CellChar("b"), C::ansi16(7), C::ansi16(0), true});
    layer.cells.set(5, 5, {CellChar("c"), C::ansi16(7), C::ansi16(0), false});
    s.selection = CellRect{2, 2, 1, 1};  // corners in either order
    s.penBg = C::ansi16(12);

    blinkSelection(s);
    EXPECT_TRUE(s.layers.front().cells.cellAt(1, 1)->blink);
    EXPECT_TRUE(s.layers.front().cells.cellAt(2, 2)->blink) << "blank cells inside the selection blink too";
    EXPECT_FALSE(s.layers.front().cells.cellAt(1, 2)->blink);
    EXPECT_FALSE(s.layers.front().cells.cellAt(5, 5)->blink);
    EXPECT_TRUE(s.blinkingText);
    EXPECT_EQ(s.penBg, C::ansi16(4)) << "bright backgrounds give way to blink";
    EXPECT_EQ(s.statusNote.value_or(""), "blink on 4 cells — backgrounds now 8");

    s.undo();
    EXPECT_FALSE(s.layers.front().cells.cellAt(1, 1)->blink);
    EXPECT_TRUE(s.layers.front().cells.cellAt(1, 2)->blink);
}

TEST(BlinkSelection, AsksForASelectionFirst) {
    AppState s;
    blinkSelection(s);
    EXPECT_EQ(s.statusNote.value_or(""), "select something first");
    EXPECT_FALSE(s.blinkingText);
    EXPECT_TRUE(s.undoStack.empty());
}

}  // namespace
}  // namespace glyphloom
