#include "tui/tools/selection_tool.hpp"

#include <gtest/gtest.h>

#include "fake_programs_path.hpp"

namespace glyphloom {
namespace selection_tool_test {

using C = ANSIColorValue;

TEST(BlinkSelection, FlipsTheSelectedCellsOnlyAndIsUndoable) {
    AppState s;
    Layer& layer = s.doc.layers.front();
    layer.cells.set(1, 1, {CellChar("a"), C::ansi16(7), C::ansi16(0), false});
    layer.cells.set(1, 2, {CellChar("b"), C::ansi16(7), C::ansi16(0), true});
    layer.cells.set(5, 5, {CellChar("c"), C::ansi16(7), C::ansi16(0), false});
    s.selection = CellRect{2, 2, 1, 1};  // corners in either order
    s.tools.penBg = C::ansi16(12);

    blinkSelection(s);
    EXPECT_TRUE(s.doc.layers.front().cells.cellAt(1, 1)->blink);
    EXPECT_TRUE(s.doc.layers.front().cells.cellAt(2, 2)->blink) << "blank cells inside the selection blink too";
    EXPECT_FALSE(s.doc.layers.front().cells.cellAt(1, 2)->blink);
    EXPECT_FALSE(s.doc.layers.front().cells.cellAt(5, 5)->blink);
    EXPECT_TRUE(s.doc.blinkingText);
    EXPECT_EQ(s.tools.penBg, C::ansi16(4)) << "bright backgrounds give way to blink";
    EXPECT_EQ(s.statusNote.value_or(""), "blink on 4 cells — backgrounds now 8");

    s.undo();
    EXPECT_FALSE(s.doc.layers.front().cells.cellAt(1, 1)->blink);
    EXPECT_TRUE(s.doc.layers.front().cells.cellAt(1, 2)->blink);
}

TEST(BlinkSelection, AsksForASelectionFirst) {
    AppState s;
    blinkSelection(s);
    EXPECT_EQ(s.statusNote.value_or(""), "select something first");
    EXPECT_FALSE(s.doc.blinkingText);
    EXPECT_TRUE(s.undoStack.empty());
}


ANSICell cellOf(const char* ch, int fg, int bg = 0) { return {CellChar(ch), C::ansi16(fg), C::ansi16(bg), false}; }

const ANSICell& at(const AppState& s, int r, int c) { return *s.doc.layers.front().cells.cellAt(r, c); }

// Pastes `text` as the system clipboard's, without running any program.
void pasteText(AppState& s, std::optional<std::string> text) {
    performSelectAction(SelectAction::text, s, [&] { return text; });
}

TEST(SelectAction, CopyOfOneCellGivesAOneByOneClipboard) {
    AppState s;
    const ANSICell cell{CellChar("x"), C::ansi256(200), C::truecolor(1, 2, 3), true};
    s.doc.layers.front().cells.set(3, 4, cell);
    s.selection = CellRect{3, 4, 3, 4};
    performSelectAction(SelectAction::copy, s);
    ASSERT_TRUE(s.clipboard);
    EXPECT_EQ(*s.clipboard, CellGrid(std::vector<CellGrid::Row>{{cell}})) << "cells are copied whole";
    EXPECT_EQ(s.statusNote.value_or(""), "copied 1×1");
    EXPECT_TRUE(s.undoStack.empty()) << "copying changes no document";
}

TEST(SelectAction, CopyClampsAndOrdersTheCorners) {
    AppState s;
    s.doc.layers.front().cells.set(49, 159, cellOf("z", 9));
    s.selection = CellRect{60, 170, 48, 157};  // reversed and past the document's end
    performSelectAction(SelectAction::copy, s);
    ASSERT_TRUE(s.clipboard);
    ASSERT_EQ(s.clipboard->rowCount(), 2);
    EXPECT_EQ(s.clipboard->rowLength(0), 3);
    EXPECT_EQ(*s.clipboard->cellAt(1, 2), cellOf("z", 9));
    EXPECT_EQ(s.statusNote.value_or(""), "copied 3×2");
}

TEST(SelectAction, CutLeavesBlankCellsAndUndoes) {
    AppState s;
    for (int c = 0; c < 3; ++c) s.doc.layers.front().cells.set(1, c, cellOf("#", 2, 4));
    s.selection = CellRect{1, 0, 1, 1};
    performSelectAction(SelectAction::cut, s);
    EXPECT_EQ(at(s, 1, 0), ANSICell::blank());
    EXPECT_EQ(at(s, 1, 1), ANSICell::blank());
    EXPECT_EQ(at(s, 1, 2), cellOf("#", 2, 4)) << "outside the selection";
    ASSERT_TRUE(s.clipboard);
    EXPECT_EQ(*s.clipboard->cellAt(0, 1), cellOf("#", 2, 4));
    EXPECT_EQ(s.statusNote.value_or(""), "cut 2×1");
    s.undo();
    EXPECT_EQ(at(s, 1, 0), cellOf("#", 2, 4));
}

TEST(SelectAction, EveryRectangleActionNeedsASelection) {
    for (const SelectAction action : {SelectAction::copy, SelectAction::cut, SelectAction::fill}) {
        AppState s;
        performSelectAction(action, s);
        EXPECT_EQ(s.statusNote.value_or(""), "drag a selection first") << selectActionLabel(action);
        EXPECT_FALSE(s.clipboard);
        EXPECT_TRUE(s.undoStack.empty());
    }
}

TEST(SelectAction, FillRunsTheCyclesAcrossTheBlockAndContinuesThem) {
    AppState s;
    s.tools.penChar = "▒";
    s.tools.penBg = C::ansi16(1);
    s.tools.fgCycle = true;
    s.tools.fgCyclePool = {C::ansi16(9), C::ansi16(10), C::ansi16(11)};
    s.selection = CellRect{0, 0, 1, 1};
    performSelectAction(SelectAction::fill, s);
    // Row by row: frames 0, 1 on the first row, 2, 0 on the second.
    EXPECT_EQ(at(s, 0, 0), cellOf("▒", 9, 1));
    EXPECT_EQ(at(s, 0, 1), cellOf("▒", 10, 1));
    EXPECT_EQ(at(s, 1, 0), cellOf("▒", 11, 1));
    EXPECT_EQ(at(s, 1, 1), cellOf("▒", 9, 1));
    EXPECT_EQ(at(s, 0, 2), ANSICell::blank());
    EXPECT_EQ(s.cycles.fg.index, 1) << "the cycle goes on after the block's four cells";
    EXPECT_EQ(s.statusNote.value_or(""), "filled 2×2");
    EXPECT_EQ(s.undoStack.size(), 1u);
}

TEST(SelectAction, PasteFloatsTheClipboardAtTheCursor) {
    AppState s;
    performSelectAction(SelectAction::paste, s);
    EXPECT_EQ(s.statusNote.value_or(""), "nothing copied yet");
    EXPECT_FALSE(s.pasteFloat);

    s.clipboard = CellGrid(std::vector<CellGrid::Row>{{cellOf("a", 1), ANSICell::blank()}});
    s.cursor = GridKey{4, 5};
    performSelectAction(SelectAction::paste, s);
    EXPECT_TRUE(s.pasteFloat);
    EXPECT_EQ(s.stroke.previewOverlay.size(), 2u) << "blank cells float too";
    EXPECT_EQ(s.stroke.previewOverlay.at(GridKey{4, 5}), cellOf("a", 1));
    EXPECT_EQ(s.statusNote.value_or(""), "Space or click to place · arrows move · Esc cancels");
}

TEST(FloatingPaste, NearTheCornerOnlyTheCellsInsideAreShownAndPlaced) {
    AppState s;
    const CellGrid clip(3, 3, cellOf("q", 5, 6));
    const GridKey corner{s.doc.rows - 2, s.doc.cols - 1};
    const auto overlay = floatPreviewOverlay(s.doc, clip, corner);
    EXPECT_EQ(overlay.size(), 2u);
    EXPECT_TRUE(overlay.count(corner));
    EXPECT_TRUE(overlay.count(GridKey{corner.row + 1, corner.col}));

    s.snapshotForUndo();
    stampClipboard(clip, corner, s);
    EXPECT_EQ(at(s, corner.row, corner.col), cellOf("q", 5, 6));
    EXPECT_EQ(at(s, corner.row + 1, corner.col), cellOf("q", 5, 6));
    EXPECT_EQ(at(s, corner.row, corner.col - 1), ANSICell::blank());
    EXPECT_EQ(s.statusNote.value_or(""), "pasted (^V floats it again)");
    // A float partly above and left of the document is clipped the same way.
    EXPECT_EQ(floatPreviewOverlay(s.doc, clip, GridKey{-2, -2}).size(), 1u);
}

TEST(PasteText, WritesClipboardTextWithThePenColours) {
    AppState s;
    s.tools.fg = C::ansi16(14);
    s.tools.penBg = C::ansi16(4);
    pasteText(s, "AB\r\nC😀D");
    EXPECT_EQ(at(s, 0, 0), cellOf("A", 14, 4));
    EXPECT_EQ(at(s, 0, 1), cellOf("B", 14, 4));
    EXPECT_EQ(at(s, 1, 0), cellOf("C", 14, 4));
    EXPECT_EQ(at(s, 1, 1), ANSICell::blank()) << "the emoji leaves its column empty";
    EXPECT_EQ(at(s, 1, 2), cellOf("D", 14, 4));
    EXPECT_EQ(s.statusNote.value_or(""), "pasted 4 chars from clipboard");
    s.undo();
    EXPECT_EQ(at(s, 0, 0), ANSICell::blank());
}

TEST(PasteText, StaysInsideTheSelection) {
    AppState s;
    s.selection = CellRect{2, 3, 3, 4};
    pasteText(s, "abc\ndef\nghi");
    EXPECT_EQ(at(s, 2, 3).character, CellChar("a"));
    EXPECT_EQ(at(s, 2, 4).character, CellChar("b"));
    EXPECT_EQ(at(s, 2, 5), ANSICell::blank()) << "past the right edge";
    EXPECT_EQ(at(s, 3, 3).character, CellChar("d"));
    EXPECT_EQ(at(s, 4, 3), ANSICell::blank()) << "past the bottom";
    EXPECT_EQ(s.statusNote.value_or(""), "pasted 4 chars from clipboard");
}

TEST(PasteText, StartsAtTheCursorWithoutASelection) {
    AppState s;
    s.cursor = GridKey{s.doc.rows - 1, s.doc.cols - 2};
    pasteText(s, "xyz");
    EXPECT_EQ(at(s, s.doc.rows - 1, s.doc.cols - 2).character, CellChar("x"));
    EXPECT_EQ(at(s, s.doc.rows - 1, s.doc.cols - 1).character, CellChar("y"));
    EXPECT_EQ(s.statusNote.value_or(""), "pasted 2 chars from clipboard");
}

TEST(PasteText, ReportsAnEmptyOrUnstampableClipboard) {
    for (const std::optional<std::string>& text : {std::optional<std::string>(), std::optional<std::string>("")}) {
        AppState s;
        pasteText(s, text);
        EXPECT_EQ(s.statusNote.value_or(""), "system clipboard is empty");
        EXPECT_TRUE(s.undoStack.empty());
    }
    AppState s;
    pasteText(s, "😀\t😀");
    EXPECT_EQ(s.statusNote.value_or(""), "clipboard had nothing stampable");
    EXPECT_EQ(at(s, 0, 0), ANSICell::blank());
}

TEST(PasteText, ReadsTheSystemClipboardThroughItsPrograms) {
    {
        testing_support::FakeProgramsPath path;  // no clipboard program at all
        AppState s;
        performSelectAction(SelectAction::text, s);
        EXPECT_EQ(s.statusNote.value_or(""), "system clipboard is empty");
    }
    testing_support::FakeProgramsPath path;
    path.add("xsel", "printf 'hi\\r\\nyo'");
    AppState s;
    performSelectAction("Text", s);
    EXPECT_EQ(at(s, 0, 1).character, CellChar("i"));
    EXPECT_EQ(at(s, 1, 0).character, CellChar("y"));
    EXPECT_EQ(s.statusNote.value_or(""), "pasted 4 chars from clipboard");
}

}  // namespace selection_tool_test
}  // namespace glyphloom
