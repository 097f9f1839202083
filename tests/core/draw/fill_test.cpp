#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/draw/fill.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace fill_test {

using C = ANSIColorValue;

ANSICell cellOf(const char* ch, C fg = C::ansi16(15), C bg = C::ansi16(0), bool blink = false) {
    ANSICell cell;
    cell.character = ch;
    cell.foreground = fg;
    cell.background = bg;
    cell.blink = blink;
    return cell;
}

// Rows of text to a grid: '#' is a wall ("#"), anything else a blank cell.
CellGrid gridOf(const std::vector<std::string>& rows) {
    std::vector<CellGrid::Row> out;
    for (const std::string& text : rows) {
        CellGrid::Row row;
        for (const char ch : text) row.push_back(ch == '#' ? cellOf("#") : ANSICell::blank());
        out.push_back(row);
    }
    return CellGrid(out);
}

bool contains(const std::vector<GridKey>& keys, GridKey key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST(FloodFill, RegionStopsAtCellsDifferingInAnyField) {
    // The seed's neighbour to the right differs in exactly one field; the fill must stop there.
    struct Case {
        const char* what;
        ANSICell neighbour;
    };
    const Case cases[] = {
        {"character", cellOf("x")},
        {"foreground", cellOf(" ", C::ansi16(14))},
        {"background", cellOf(" ", C::ansi16(15), C::ansi16(1))},
        {"colour kind", cellOf(" ", C::ansi256(15))},
        {"24-bit bytes", cellOf(" ", C::truecolor(0, 0, 1), C::ansi16(0))},
        {"blink only", cellOf(" ", C::ansi16(15), C::ansi16(0), true)},
    };
    for (const Case& c : cases) {
        CellGrid grid(1, 3);
        grid.set(0, 1, c.neighbour);
        const auto region = floodFillCells(grid, 0, 0);
        EXPECT_EQ(region, (std::vector<GridKey>{{0, 0}})) << c.what;
        // Seeded on the odd cell, only that cell is filled.
        EXPECT_EQ(floodFillCells(grid, 0, 1), (std::vector<GridKey>{{0, 1}})) << c.what;
    }
}

TEST(FloodFill, FourConnectedAndBoundedByWalls) {
    const CellGrid grid = gridOf({
        "..#..",
        "..#..",
        "###..",
        "#.#..",
    });
    const auto left = floodFillCells(grid, 0, 0);
    EXPECT_EQ(left.size(), 4u);
    EXPECT_FALSE(contains(left, {3, 1}));  // walled in on three sides, the grid edge below
    const auto right = floodFillCells(grid, 3, 4);
    EXPECT_EQ(right.size(), 8u);
    const auto walls = floodFillCells(grid, 2, 0);
    EXPECT_EQ(walls.size(), 7u);  // the wall itself is a region of "#" cells
}

TEST(FloodFill, VisitsRightNeighbourFirst) {
    const CellGrid grid(2, 3);
    const auto region = floodFillCells(grid, 0, 0);
    // Right is pushed last, so the walk runs along the row before it comes back down.
    EXPECT_EQ(region, (std::vector<GridKey>{{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1}, {1, 0}}));
}

TEST(FloodFill, SeedOutsideOrEmptyGridGivesNothing) {
    const CellGrid grid(3, 3);
    for (const GridKey seed : {GridKey{-1, 0}, GridKey{0, -1}, GridKey{3, 0}, GridKey{0, 3}})
        EXPECT_TRUE(floodFillCells(grid, seed.row, seed.col).empty()) << seed.row << "," << seed.col;
    EXPECT_TRUE(floodFillCells(CellGrid(), 0, 0).empty());
}

TEST(FloodFill, RaggedRowsEndWhereTheyEnd) {
    std::vector<CellGrid::Row> rows{CellGrid::Row(4), CellGrid::Row(1), CellGrid::Row(3)};
    const CellGrid grid(rows);
    const auto region = floodFillCells(grid, 0, 3);
    EXPECT_EQ(region.size(), 8u);
}

TEST(FloodFill, WholeLargeCanvasWithoutRecursion) {
    const CellGrid grid(200, 320);
    EXPECT_EQ(floodFillCells(grid, 100, 160).size(), 64000u);
}

std::string glyphs(const std::vector<ANSICell>& cells) {
    std::string out;
    for (const ANSICell& cell : cells) out += cell.character.str();
    return out;
}

TEST(Gradient, ElevenColumnsStepThroughFiveShades) {
    std::vector<GridKey> row;
    for (int c = 0; c < 11; ++c) row.push_back({3, 10 + c});
    const C from = C::ansi16(1), to = C::ansi16(4);
    const auto cells = gradientCells(row, GradientDirection::horizontal, from, to, 2.0);
    ASSERT_EQ(cells.size(), 11u);
    EXPECT_EQ(glyphs(cells), "██▓▓▒▒░░███");
    EXPECT_EQ(cells[0].background, from);
    EXPECT_EQ(cells[4].foreground, from);
    EXPECT_EQ(cells[4].background, to);
    EXPECT_EQ(cells[8].foreground, to);
    EXPECT_EQ(cells[10].background, to);
}

TEST(Gradient, DegenerateExtentsAreSolidFrom) {
    const std::vector<GridKey> column{{0, 5}, {1, 5}, {2, 5}};
    const std::vector<GridKey> one{{7, 7}};
    struct Case {
        const std::vector<GridKey>* cells;
        GradientDirection direction;
    };
    const Case cases[] = {{&column, GradientDirection::horizontal},
                          {&one, GradientDirection::vertical},
                          {&one, GradientDirection::radial}};
    for (const Case& c : cases) {
        for (const ANSICell& cell : gradientCells(*c.cells, c.direction, C::ansi16(2), C::ansi16(3), 2.0))
            EXPECT_EQ(cell, cellOf("█", C::ansi16(2), C::ansi16(2)));
    }
    EXPECT_EQ(glyphs(gradientCells(column, GradientDirection::vertical, C::ansi16(2), C::ansi16(3), 2.0)), "█▒█");
}

TEST(Gradient, RadialIsSymmetricAboutTheCentreAndFullAtCorners) {
    // 5 rows × 11 columns: the aspect makes a row count as two columns, so the bounding
    // ellipse is round and the shading depends only on the scaled distance from the centre.
    std::vector<GridKey> box;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 11; ++c) box.push_back({r, c});
    const auto cells = gradientCells(box, GradientDirection::radial, C::ansi16(1), C::ansi16(2), 2.0);
    auto at = [&](int r, int c) { return cells[static_cast<std::size_t>(r * 11 + c)]; };
    EXPECT_EQ(at(2, 5), cellOf("█", C::ansi16(1), C::ansi16(1)));  // centre
    EXPECT_EQ(at(0, 0), cellOf("█", C::ansi16(2), C::ansi16(2)));  // corner: t = 1
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 11; ++c) {
            EXPECT_EQ(at(r, c), at(4 - r, c)) << r << "," << c;
            EXPECT_EQ(at(r, c), at(r, 10 - c)) << r << "," << c;
        }
    // One row off centre is as far as two columns off centre.
    EXPECT_EQ(at(1, 5), at(2, 3));
    EXPECT_NE(at(1, 5), at(2, 4));
    // t = √20 / √41 ≈ 0.70 against the ellipse through the corners.
    EXPECT_EQ(at(1, 1).character.str(), "░");
}

TEST(Dither, LevelsAndBlink) {
    const C from = C::truecolor(1, 2, 3), to = C::ansi256(200);
    struct Case {
        double t;
        ANSICell expected;
    };
    const Case cases[] = {
        {-0.5, cellOf("█", from, from)}, {0.0, cellOf("█", from, from)},  {0.19, cellOf("█", from, from)},
        {0.2, cellOf("▓", from, to)},    {0.5, cellOf("▒", from, to)},    {0.79, cellOf("░", from, to)},
        {0.8, cellOf("█", to, to)},      {1.0, cellOf("█", to, to)},      {7.0, cellOf("█", to, to)},
    };
    for (const Case& c : cases) EXPECT_EQ(ditherCell(c.t, from, to), c.expected) << c.t;
}

class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> ints) : ints_(std::move(ints)) {}
    int uniformInt(int lo, int hi) override {
        const int v = ints_.empty() ? lo : ints_[next_++ % ints_.size()];
        return std::clamp(v, lo, hi);
    }
    double uniformDouble() override { return 0; }

private:
    std::vector<int> ints_;
    std::size_t next_ = 0;
};

TEST(ShapeInteriorFill, EachChannelFollowsItsMode) {
    ShapeFillStyle style;
    style.enabled = true;
    style.charMode = FillChannelMode::cycle;
    style.charPool = {"a", "b", "c"};
    style.fgMode = FillChannelMode::random;
    style.fgPool = {C::ansi16(1), C::ansi16(2), C::ansi16(3)};
    style.bgMode = FillChannelMode::null;
    const ANSICell existing = cellOf("z", C::ansi16(9), C::ansi16(5), true);
    const ShapeFillFallback pen{C::ansi16(12), C::ansi16(13)};
    ScriptedRandom random({2, 0, 1});
    std::string chars;
    std::vector<C> fgs;
    for (int k = 0; k < 4; ++k) {
        const ANSICell cell = shapeFillCell(style, k, existing, pen, random);
        chars += cell.character.str();
        fgs.push_back(cell.foreground);
        EXPECT_EQ(cell.background, C::ansi16(5));
        EXPECT_FALSE(cell.blink);
    }
    EXPECT_EQ(chars, "abca");
    EXPECT_EQ(fgs, (std::vector<C>{C::ansi16(3), C::ansi16(1), C::ansi16(2), C::ansi16(3)}));

    style.charMode = FillChannelMode::null;
    style.fgMode = FillChannelMode::solid;
    style.fg = C::ansi256(100);
    style.bgMode = FillChannelMode::solid;
    style.bg = C::truecolor(9, 8, 7);
    EXPECT_EQ(shapeFillCell(style, 5, existing, pen, random), cellOf("z", C::ansi256(100), C::truecolor(9, 8, 7)));
}

TEST(ShapeInteriorFill, EmptyPoolsFallBackInsteadOfDividingByZero) {
    const ShapeFillFallback pen{C::ansi16(12), C::ansi16(13)};
    for (const FillChannelMode mode : {FillChannelMode::cycle, FillChannelMode::random}) {
        ShapeFillStyle style;
        style.charMode = mode;
        style.character = "*";
        style.fgMode = mode;
        style.bgMode = mode;
        ScriptedRandom random({0});
        const ANSICell cell = shapeFillCell(style, 7, ANSICell::blank(), pen, random);
        EXPECT_EQ(cell, cellOf("*", C::ansi16(12), C::ansi16(13))) << static_cast<int>(mode);
    }
}

}  // namespace fill_test
}  // namespace glyphloom
