#include "tui/actions/canvas_press.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "core/model/print_values.hpp"
#include "tui/actions/keyboard_pen.hpp"
#include "tui/layout/layout.hpp"
#include "tui/tools/active_layer.hpp"

namespace glyphloom {
namespace canvas_press_test {

struct Drag {
    GridKey from, to;
};

void drag(const Drag& d, AppState& state) {
    pressCanvas(d.from, 0, state);
    dragCanvas(d.to, state);
    releaseCanvas(d.to, state);
}

const ANSICell& cellAt(const AppState& state, GridKey at) { return *activeCellAt(state, at); }

// Two strokes far apart leave exactly what each leaves alone: the second neither joins the
// first nor inherits its pen maps, and after each release nothing of the stroke remains.
TEST(CanvasStrokes, EachStrokeStartsAfreshAndLeavesNothingBehind) {
    const Drag first{{2, 2}, {2, 12}}, second{{20, 40}, {24, 60}};
    for (const Tool tool : {Tool::paint, Tool::pen, Tool::line, Tool::box, Tool::oval}) {
        SCOPED_TRACE(rawValue(tool));
        AppState both, firstAlone, secondAlone;
        for (AppState* s : {&both, &firstAlone, &secondAlone}) s->tools.tool = tool;
        drag(first, both);
        EXPECT_TRUE(both.stroke == Stroke{}) << "a stroke is left after the release";
        drag(second, both);
        EXPECT_TRUE(both.stroke == Stroke{}) << "a stroke is left after the release";
        drag(first, firstAlone);
        drag(second, secondAlone);

        int differing = 0, drawn = 0;
        for (int row = 0; row < both.doc.rows; ++row) {
            for (int col = 0; col < both.doc.cols; ++col) {
                const GridKey at{row, col};
                const ANSICell& one = cellAt(firstAlone, at);
                const ANSICell& expected = one != ANSICell::blank() ? one : cellAt(secondAlone, at);
                differing += cellAt(both, at) != expected;
                drawn += expected != ANSICell::blank();
            }
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, 10);
    }
}

TEST(CanvasStrokes, TheKeyboardPenLiftedLeavesNothingBehind) {
    AppState state;
    const Layout layout;
    state.cursor = {3, 3};
    kbSpaceToggle(state);
    ASSERT_TRUE(state.stroke.kbStroke);
    moveDocumentCursor(0, 4, state, layout);
    kbSpaceToggle(state);
    EXPECT_EQ(state.statusNote.value_or(""), "paint · 5");
    EXPECT_TRUE(state.stroke == Stroke{}) << "the lifted pen left its stroke";
    // Moving on with the pen up draws nothing more.
    moveDocumentCursor(2, 0, state, layout);
    EXPECT_EQ(cellAt(state, {5, 7}), ANSICell::blank());
}

// The right button trades the colours for its own stroke only: a right-click with a shape
// tool or the fill tool must not leave the keyboard pen painting with swapped colours.
TEST(CanvasStrokes, TheRightButtonSwapsOnlyItsOwnStroke) {
    for (const Tool before : {Tool::box, Tool::fill, Tool::paint}) {
        SCOPED_TRACE(rawValue(before));
        AppState state;
        state.tools.fg = ANSIColorValue::ansi16(2);
        state.tools.penBg = ANSIColorValue::ansi16(4);
        state.tools.tool = before;
        pressCanvas({1, 1}, 2, state);
        releaseCanvas(GridKey{1, 1}, state);
        if (before == Tool::paint) {
            EXPECT_EQ(cellAt(state, {1, 1}).foreground, ANSIColorValue::ansi16(4));
        }

        state.tools.tool = Tool::paint;
        state.cursor = {10, 10};
        kbSpaceToggle(state);
        EXPECT_EQ(cellAt(state, {10, 10}).foreground, ANSIColorValue::ansi16(2));
        EXPECT_EQ(cellAt(state, {10, 10}).background, ANSIColorValue::ansi16(4));
    }
}

}  // namespace canvas_press_test
}  // namespace glyphloom
