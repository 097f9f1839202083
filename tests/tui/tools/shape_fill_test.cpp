#include <gtest/gtest.h>

#include <string>

#include "core/model/print_values.hpp"
#include "tui/tools/shape_fill.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace shape_fill_test {

using C = ANSIColorValue;

TEST(ShapeFill, FilledBoxInteriorCyclesInDrawingOrder) {
    AppState state;
    state.tools.tool = Tool::box;
    state.tools.boxOptions.filled = true;
    state.tools.shapeFill.enabled = true;
    state.tools.shapeFill.charMode = FillChannelMode::cycle;
    state.tools.shapeFill.charPool = {"a", "b", "c"};
    state.tools.shapeFill.fgMode = FillChannelMode::solid;
    state.tools.shapeFill.fg = C::ansi16(2);
    state.tools.shapeFill.bgMode = FillChannelMode::null;
    const auto cells = computeShape({0, 0}, {3, 5}, state);
    // The single ring leaves a 2 × 4 interior, filled row by row.
    std::string interior;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 4; ++c) {
            const ANSICell& cell = cells.at({r, c});
            interior += cell.character.str();
            EXPECT_EQ(cell.foreground, C::ansi16(2));
            EXPECT_EQ(cell.background, C::ansi16(0));  // kept from the blank canvas
        }
    EXPECT_EQ(interior, "abcabcab");
    EXPECT_EQ(cells.at({0, 0}).character.str(), "┌");
}

TEST(ShapeFill, FilledOvalUsesTheStyleAndOffLeavesThePen) {
    AppState state;
    state.tools.tool = Tool::oval;
    state.tools.ovalOptions.filled = true;
    state.tools.penChar = "o";
    state.tools.shapeFill.enabled = true;
    state.tools.shapeFill.character = "~";
    state.tools.shapeFill.bgMode = FillChannelMode::solid;
    state.tools.shapeFill.bg = C::ansi16(4);
    const auto styled = computeShape({0, 0}, {6, 12}, state);
    EXPECT_EQ(styled.at({3, 6}).character.str(), "~");
    EXPECT_EQ(styled.at({3, 6}).background, C::ansi16(4));
    state.tools.shapeFill.enabled = false;
    const auto plain = computeShape({0, 0}, {6, 12}, state);
    EXPECT_EQ(plain.at({3, 6}).character.str(), "o");
    EXPECT_EQ(plain.at({3, 6}).background, C::ansi16(0));
}

TEST(ShapeFill, EmptyPoolsFallBackToTheActivePen) {
    AppState state;
    state.tools.shapeFill.enabled = true;
    state.tools.shapeFill.fgMode = FillChannelMode::cycle;   // no pool
    state.tools.shapeFill.bgMode = FillChannelMode::random;  // no pool
    state.tools.shapeFill.charMode = FillChannelMode::solid;
    state.tools.shapeFill.character = "+";
    state.tools.fgCycle = true;
    state.tools.fgCyclePool = {C::ansi16(9), C::ansi16(10)};
    state.cycles.fg.index = 1;
    state.tools.penBg = C::ansi16(6);
    const auto cells = shapeInteriorCells({{1, 1}, {1, 2}, {1, 3}}, state);
    for (const auto& [key, cell] : cells) {
        EXPECT_EQ(cell.character.str(), "+");
        EXPECT_EQ(cell.foreground, C::ansi16(10));
        EXPECT_EQ(cell.background, C::ansi16(6));
    }
}

}  // namespace shape_fill_test
}  // namespace glyphloom
