#include <gtest/gtest.h>

#include <map>

#include "core/draw/brush.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace brush_test {

// Cells per row of an imprint, top row first.
std::vector<int> rowWidths(const std::vector<GridKey>& cells) {
    std::map<int, int> perRow;
    for (const GridKey k : cells) ++perRow[k.row];
    std::vector<int> widths;
    for (const auto& [row, count] : perRow) widths.push_back(count);
    return widths;
}

TEST(BrushImprint, ShapesBySizeAndRounding) {
    struct Case {
        int size;
        bool rounded;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {1, false, {1}},
        {2, false, {4, 4}},               // even sizes are twice as wide
        {3, false, {3, 3, 3}},
        {4, false, {8, 8, 8, 8}},
        {4, true, {6, 8, 8, 6}},          // the outer columns of the top and bottom rows go
        {3, true, {3}},                   // odd and rounded: one row, cells being twice as tall
        {1, true, {1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rowWidths(brushImprint({20, 20}, c.size, c.rounded, 50, 50)), c.widths) << c.size << c.rounded;
}

TEST(BrushImprint, CentredWithTheExtraRowAndColumnsBelowAndLeft) {
    const auto cells = brushImprint({10, 10}, 4, false, 50, 50);
    EXPECT_EQ(cells.front(), (GridKey{8, 6}));
    EXPECT_EQ(cells.back(), (GridKey{11, 13}));
    const auto three = brushImprint({10, 10}, 3, false, 50, 50);
    EXPECT_EQ(three.front(), (GridKey{9, 9}));
    EXPECT_EQ(three.back(), (GridKey{11, 11}));
}

TEST(BrushImprint, ClipsToTheDocument) {
    const auto cells = brushImprint({0, 0}, 3, false, 5, 5);
    EXPECT_EQ(cells, (std::vector<GridKey>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_TRUE(brushImprint({-5, -5}, 3, false, 5, 5).empty());
    // A preset can ask for any size: a huge brush is the document, and costs no more.
    EXPECT_EQ(brushImprint({2, 2}, 2'000'000, false, 5, 5).size(), 25u);
    EXPECT_EQ(brushImprint({2, 2}, 1'999'999, true, 5, 5).size(), 25u);
}

TEST(BrushPressure, ShrinksWithSpeedButNeverToNothing) {
    EXPECT_EQ(pressuredBrushSize(4, false, 0.0), 4);
    EXPECT_EQ(pressuredBrushSize(4, true, 1.0), 4);
    EXPECT_EQ(pressuredBrushSize(4, true, 0.625), 3);  // 2.5 rounds away from zero
    EXPECT_EQ(pressuredBrushSize(4, true, 0.5), 2);
    EXPECT_EQ(pressuredBrushSize(4, true, 0.0), 1);
    EXPECT_EQ(pressuredBrushSize(1, true, 0.0), 1);
}

TEST(BrushFootprint, UnionAlongThePathWithoutRepeats) {
    // A 3-wide brush moved two columns right: imprints at columns 11 and 12 (the previous
    // sample's own is not repeated), so rows 9…11 by columns 10…13, each cell once.
    const auto cells = brushFootprint(GridKey{10, 10}, {10, 12}, BrushSize::cells(3), false, 50, 50);
    EXPECT_EQ(cells.size(), 12u);
    EXPECT_EQ(cells.front(), (GridKey{9, 10}));
    EXPECT_EQ(cells.back(), (GridKey{11, 13}));
    // First sample: just the imprint at the point; sub-cell brushes are one cell.
    EXPECT_EQ(brushFootprint(std::nullopt, {10, 10}, BrushSize::cells(3), false, 50, 50).size(), 9u);
    EXPECT_EQ(brushFootprint(std::nullopt, {10, 10}, BrushSize::half(), false, 50, 50),
              (std::vector<GridKey>{{10, 10}}));
    EXPECT_TRUE(brushFootprint(GridKey{10, 10}, {10, 10}, BrushSize::cells(3), false, 50, 50).empty());
}

TEST(BrushQuadrants, GlyphsAndBitsRoundTrip) {
    for (int bits = 0; bits < 16; ++bits)
        EXPECT_EQ(charToQuadrant(quadrantChars(static_cast<std::uint8_t>(bits))), bits) << bits;
    EXPECT_EQ(quadrantChars(quadrant::upperLeft | quadrant::upperRight), "▀");
    EXPECT_EQ(quadrantChars(quadrant::upperLeft | quadrant::lowerLeft), "▌");
    EXPECT_EQ(quadrantChars(quadrant::upperRight | quadrant::lowerLeft), "▞");
    EXPECT_EQ(charToQuadrant("A"), 0);
    EXPECT_EQ(charToQuadrant("░"), 0);
}

TEST(BrushQuadrants, PartByDirectionOfMovement) {
    struct Case {
        BrushSize brush;
        int dRow, dCol;
        std::string_view glyph;
    };
    const Case cases[] = {
        {BrushSize::quarter(), -1, -1, "▘"}, {BrushSize::quarter(), -1, 1, "▝"}, {BrushSize::quarter(), 1, -1, "▖"},
        {BrushSize::quarter(), 0, 0, "▗"},   {BrushSize::quarter(), 0, -1, "▖"}, {BrushSize::half(), -2, -1, "▌"},
        {BrushSize::half(), 2, 1, "▐"},      {BrushSize::half(), -1, 1, "▀"},    {BrushSize::half(), 0, 0, "▄"},
        {BrushSize::half(), 0, -1, "▄"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quadrantChars(subCellPart(c.brush, c.dRow, c.dCol)), c.glyph) << c.dRow << "," << c.dCol;
}

}  // namespace brush_test
}  // namespace glyphloom
