#include "tui/tools/panspect.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace panspect_test {

using C = ANSIColorValue;

TEST(Panspect, DragMovesTheViewAgainstThePointerAndStaysInTheDocument) {
    const struct {
        const char* name;
        ScreenPoint to;
        GridKey view;
    } cases[] = {
        {"left and up shows more to the right and below", {15, 8}, {12, 15}},
        {"far right clamps at the top-left corner", {200, 90}, {0, 0}},
        {"far left clamps at the last cell", {-500, -500}, {AppState::defaultDocRows - 1, AppState::defaultDocCols - 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState s;
        s.viewOffset = {10, 10};
        s.mouse = {20, 10};
        startPanDrag(s);
        panDragTo(c.to.x, c.to.y, s);
        EXPECT_EQ(s.viewOffset, c.view);
        endPanDrag(c.to.x, c.to.y, GridKey{0, 0}, s);
        EXPECT_FALSE(s.panDrag);
        EXPECT_FALSE(s.statusNote) << "a drag that moved is no pick";
    }
}

TEST(Panspect, ReleaseWherePressedPicksTheCompositedCell) {
    AppState s;
    s.doc.layers.front().cells.set(2, 3, {CellChar("▒"), C::ansi16(14), C::ansi16(8), false});
    Layer top("top", CellGrid(s.doc.rows, s.doc.cols));
    top.cells.set(2, 4, {CellChar("@"), C::ansi256(200), C::ansi16(1), false});
    s.doc.layers.insert(s.doc.layers.begin(), top);
    s.tools.fgCycle = s.tools.charRandom = s.tools.fgNull = s.tools.charNull = true;

    s.mouse = {7, 5};
    startPanDrag(s);
    endPanDrag(7, 5, GridKey{2, 3}, s);
    EXPECT_EQ(s.tools.penChar, "▒");
    EXPECT_EQ(s.tools.fg, C::ansi16(14));
    EXPECT_EQ(s.tools.penBg, C::ansi16(8));
    EXPECT_FALSE(s.tools.fgCycle || s.tools.charRandom || s.tools.fgNull || s.tools.charNull);

    s.doc.blinkingText = true;  // bright backgrounds are not available: the dark twin is taken
    pickCell(GridKey{2, 3}, s);
    EXPECT_EQ(s.tools.penBg, C::ansi16(0));

    pickCell(GridKey{2, 4}, s);
    EXPECT_EQ(s.tools.penChar, "@");
    EXPECT_EQ(s.tools.fg, C::ansi256(200));
}

TEST(Panspect, PicksOutsideTheDocumentChangeNothing) {
    for (const GridKey at : {GridKey{-1, 0}, GridKey{0, -1}, GridKey{AppState::defaultDocRows, 0}, GridKey{0, AppState::defaultDocCols}}) {
        AppState s;
        s.tools.penChar = "x";
        pickCell(at, s);
        EXPECT_EQ(s.tools.penChar, "x");
        EXPECT_FALSE(s.statusNote);
    }
}

}  // namespace panspect_test
}  // namespace glyphloom
