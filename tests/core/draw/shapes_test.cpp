#include <gtest/gtest.h>

#include <set>

#include "core/draw/shapes.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace shapes_test {

// The outline drawn as text ("." for the current character, "~" for the interior).
std::vector<std::string> picture(const ShapeGeometry& shape, int rows, int cols) {
    std::vector<std::vector<std::string>> grid(static_cast<std::size_t>(rows),
                                               std::vector<std::string>(static_cast<std::size_t>(cols), " "));
    for (const GridKey k : shape.interior) grid[static_cast<std::size_t>(k.row)][static_cast<std::size_t>(k.col)] = "~";
    for (const ShapeCell& c : shape.outline)
        grid[static_cast<std::size_t>(c.at.row)][static_cast<std::size_t>(c.at.col)] = c.glyph.value_or(".");
    std::vector<std::string> lines;
    for (const auto& row : grid) {
        std::string line;
        for (const auto& g : row) line += g;
        lines.push_back(line);
    }
    return lines;
}

TEST(Box, RingsByThickness) {
    BoxOptions options;
    options.filled = true;
    struct Case {
        int thickness;
        std::vector<std::string> picture;
    };
    const Case cases[] = {
        {1, {"┌──────┐", "│~~~~~~│", "│~~~~~~│", "└──────┘"}},
        {2, {"┌──────┐", "│ ┌──┐ │", "│ └──┘ │", "└──────┘"}},
        {3, {"┌──────┐", "│┌────┐│", "│└────┘│", "└──────┘"}},  // the third ring would be upside down
        {4, {"┌──────┐", "│ ┌──┐ │", "│ └──┘ │", "└──────┘"}},
        {9, {"┌──────┐", "│~~~~~~│", "│~~~~~~│", "└──────┘"}},
    };
    for (const Case& c : cases) {
        options.thickness = c.thickness;
        EXPECT_EQ(picture(computeBox({3, 7}, {0, 0}, options, 4, 8), 4, 8), c.picture) << c.thickness;
    }
}

TEST(Box, DrawingOrderRunsRoundTheRingRowByRow) {
    const auto shape = computeBox({0, 0}, {2, 2}, BoxOptions{}, 10, 10);
    std::vector<GridKey> order;
    for (const ShapeCell& c : shape.outline) order.push_back(c.at);
    EXPECT_EQ(order, (std::vector<GridKey>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}));
}

TEST(Box, StylesCharactersFillOnlyAndClipping) {
    BoxOptions options;
    options.style = BoxStyle::mixedH;
    EXPECT_EQ(picture(computeBox({0, 0}, {2, 2}, options, 3, 3), 3, 3), (std::vector<std::string>{"╒═╕", "│ │", "╘═╛"}));
    options.penLine = false;
    EXPECT_EQ(picture(computeBox({0, 0}, {2, 2}, options, 3, 3), 3, 3), (std::vector<std::string>{"...", ". .", "..."}));
    // Without an outline the whole rectangle is drawn in the current character, filled or not:
    // the shape fill never sees it.
    options.outline = false;
    for (const bool filled : {false, true}) {
        options.filled = filled;
        const auto whole = computeBox({0, 0}, {1, 2}, options, 3, 3);
        EXPECT_EQ(picture(whole, 3, 3), (std::vector<std::string>{"...", "...", "   "})) << filled;
        EXPECT_TRUE(whole.interior.empty()) << filled;
    }
    // Half outside the document: only the inside cells, nothing invented at the edge.
    const auto clipped = computeBox({-2, -2}, {1, 1}, BoxOptions{}, 3, 3);
    EXPECT_EQ(picture(clipped, 3, 3), (std::vector<std::string>{" │ ", "─┘ ", "   "}));
}

TEST(Box, ThinRingsEmitTheirFarSideLast) {
    struct Case {
        GridKey from, to;
        std::vector<std::string> picture;
        std::vector<GridKey> order;  // every emission, repeats included
    };
    const Case cases[] = {
        {{1, 0}, {1, 2}, {"   ", "└─┘", "   "}, {{1, 0}, {1, 1}, {1, 2}, {1, 0}, {1, 1}, {1, 2}}},
        {{0, 1}, {2, 1}, {" ┐ ", " │ ", " ┘ "}, {{0, 1}, {0, 1}, {1, 1}, {1, 1}, {2, 1}, {2, 1}}},
        {{1, 1}, {1, 1}, {"   ", " ┘ ", "   "}, {{1, 1}, {1, 1}, {1, 1}, {1, 1}}},
    };
    for (const Case& c : cases) {
        const auto shape = computeBox(c.from, c.to, BoxOptions{}, 3, 3);
        EXPECT_EQ(picture(shape, 3, 3), c.picture);
        std::vector<GridKey> order;
        for (const ShapeCell& cell : shape.outline) order.push_back(cell.at);
        EXPECT_EQ(order, c.order);
    }
}

TEST(Oval, FlatOvalIsARunAndThicknessStopsAtOnce) {
    OvalOptions options;
    options.thickness = 3;
    const auto shape = computeOval({0, 0}, {0, 10}, options, 5, 12);
    std::set<GridKey, bool (*)(GridKey, GridKey)> cells(
        [](GridKey a, GridKey b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
    for (const ShapeCell& c : shape.outline) cells.insert(c.at);
    EXPECT_EQ(cells.size(), shape.outline.size());  // each cell once
    EXPECT_EQ(picture(shape, 1, 12), (std::vector<std::string>{"........... "}));
}

TEST(Oval, SmallOvalsAreClosedWithoutGaps) {
    // Every outline cell touches two others (8-neighbourhood), so the ring is closed.
    for (const auto& [to, name] : std::vector<std::pair<GridKey, const char*>>{{{4, 8}, "4x8"}, {{2, 3}, "2x3"},
                                                                             {{6, 20}, "6x20"}}) {
        const auto shape = computeOval({0, 0}, to, OvalOptions{}, 30, 30);
        std::unordered_set<GridKey> set;
        for (const ShapeCell& c : shape.outline) set.insert(c.at);
        for (const GridKey k : set) {
            int touching = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) touching += (dr || dc) && set.contains({k.row + dr, k.col + dc});
            EXPECT_GE(touching, 2) << name << " at " << k.row << "," << k.col;
        }
        EXPECT_TRUE(set.contains({0, to.col / 2}) && set.contains({to.row, to.col / 2})) << name;
        EXPECT_TRUE(set.contains({to.row / 2, 0}) && set.contains({to.row / 2, to.col})) << name;
    }
}

TEST(Oval, DrawModesAndFill) {
    OvalOptions options;
    options.drawMode = OvalDrawMode::lines(BoxStyle::single);
    options.filled = true;
    // Runs are straight glyphs; a cell with neighbours both sideways and above or below takes
    // its quadrant's corner.
    EXPECT_EQ(picture(computeOval({0, 0}, {4, 8}, options, 5, 9), 5, 9),
              (std::vector<std::string>{" ┌─────┐ ", "┌┌~~~~~┐┐", "│~~~~~~~│", "└└~~~~~┘┘", " └─────┘ "}));
    options.drawMode = OvalDrawMode::blocks();
    options.filled = false;
    EXPECT_EQ(picture(computeOval({0, 0}, {4, 8}, options, 5, 9), 5, 9),
              (std::vector<std::string>{" ▀▀▀▀▀▀▀ ", "▛▛     ▀▜", "▌       ▐", "▙▄     ▟▟", " ▄▄▄▄▄▄▄ "}));
}

TEST(Oval, ThickRingsShrinkByOneCellAndFillOnlyCoversTheSpan) {
    OvalOptions options;
    options.thickness = 2;
    const auto thick = computeOval({0, 0}, {6, 12}, options, 7, 13);
    const auto thin = computeOval({0, 0}, {6, 12}, OvalOptions{}, 7, 13);
    EXPECT_GT(thick.outline.size(), thin.outline.size());
    EXPECT_EQ(picture(thick, 7, 13)[3], "..         ..");
    options.outline = false;
    options.thickness = 1;
    const auto area = computeOval({0, 0}, {6, 12}, options, 7, 13);
    EXPECT_EQ(picture(area, 7, 13)[3], ".............");
    EXPECT_TRUE(area.interior.empty());
}

TEST(Mirror, FlipsCornersAndHalfBlocksOnly) {
    EXPECT_EQ(flipBoxChar("┌", true, false), "┐");
    EXPECT_EQ(flipBoxChar("┌", false, true), "└");
    EXPECT_EQ(flipBoxChar("┌", true, true), "┘");
    EXPECT_EQ(flipBoxChar("╛", true, false), "╘");
    EXPECT_EQ(flipBoxChar("▛", false, true), "▙");
    EXPECT_EQ(flipBoxChar("▀", true, false), "▀");
    EXPECT_EQ(flipBoxChar("▀", false, true), "▄");
    EXPECT_EQ(flipBoxChar("├", true, false), "├");  // tees pass through unchanged
    EXPECT_EQ(flipBoxChar("a", true, true), "a");
    for (const char* g : {"┌", "╖", "▘", "▟", "▌"})
        for (const bool h : {false, true})
            for (const bool v : {false, true}) EXPECT_EQ(flipBoxChar(flipBoxChar(g, h, v), h, v), g);
}

TEST(Mirror, CopiesLandInsideWithMirroredGlyphs) {
    const std::unordered_map<GridKey, ANSICell> cells{{{0, 1}, ANSICell{CellChar("┌")}}, {{2, 3}, ANSICell{CellChar("x")}}};
    EXPECT_EQ(withMirroredCells(cells, 4, 6, SymmetryMode::none), cells);
    const auto both = withMirroredCells(cells, 4, 6, SymmetryMode::both);
    EXPECT_EQ(both.size(), 8u);
    EXPECT_EQ(both.at({0, 4}).character.str(), "┐");
    EXPECT_EQ(both.at({3, 1}).character.str(), "└");
    EXPECT_EQ(both.at({3, 4}).character.str(), "┘");
    EXPECT_EQ(both.at({1, 2}).character.str(), "x");
    const auto horizontal = withMirroredCells(cells, 4, 6, SymmetryMode::horizontal);
    EXPECT_EQ(horizontal.size(), 4u);
    EXPECT_FALSE(horizontal.contains({3, 1}));
}

}  // namespace shapes_test
}  // namespace glyphloom
