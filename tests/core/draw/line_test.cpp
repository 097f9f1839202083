#include <gtest/gtest.h>

#include <map>

#include "core/draw/line.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace line_test {

using Keys = std::vector<GridKey>;

// Glyphs drawn into a blank block of text, for readable expectations.
std::vector<std::string> drawn(const std::unordered_map<GridKey, std::string>& glyphs, int rows, int cols, int top = 0) {
    std::vector<std::string> lines;
    for (int r = top; r < top + rows; ++r) {
        std::string line;
        for (int c = 0; c < cols; ++c) {
            const auto it = glyphs.find({r, c});
            line += it == glyphs.end() ? " " : it->second;
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(Bresenham, IncludesBothEndsAndStepsDiagonally) {
    EXPECT_EQ(bresenham({0, 0}, {0, 0}), (Keys{{0, 0}}));
    EXPECT_EQ(bresenham({0, 0}, {2, 2}), (Keys{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(bresenham({0, 0}, {1, 4}), (Keys{{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}}));
    EXPECT_EQ(bresenham({3, 2}, {0, 2}), (Keys{{3, 2}, {2, 2}, {1, 2}, {0, 2}}));
}

TEST(LineGlyphs, PenCharByNeighbours) {
    const BoxChars s = boxChars(BoxStyle::single);
    struct Case {
        GridKey prev, curr, next;
        std::string_view glyph;
    };
    const Case cases[] = {
        {{0, 0}, {0, 1}, {0, 2}, "─"}, {{0, 0}, {1, 0}, {2, 0}, "│"}, {{0, 0}, {0, 0}, {0, 1}, "─"},
        {{1, 0}, {1, 1}, {2, 1}, "┐"},  // from the left, leaving downward
        {{1, 0}, {1, 1}, {0, 1}, "┘"},  // from the left, leaving upward
        {{1, 2}, {1, 1}, {2, 1}, "┌"},  // from the right, leaving downward
        {{1, 2}, {1, 1}, {0, 1}, "└"},  // from the right, leaving upward
        {{0, 1}, {1, 1}, {1, 2}, "└"},  // from above, leaving right
        {{2, 1}, {1, 1}, {1, 0}, "┐"},  // from below, leaving left
        {{0, 0}, {1, 1}, {2, 2}, "─"},  // a 45-degree run: the row sum is not larger
        {{0, 0}, {1, 1}, {3, 1}, "│"},  // steps (1,1) then (2,0): rows 3 against columns 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(linePenChar(c.prev, c.curr, c.next, s), c.glyph) << c.curr.row << "," << c.curr.col;
}

TEST(LineGlyphs, ThicknessOffsetsAreCentred) {
    EXPECT_EQ(thicknessOffsets(0), (std::vector<int>{0}));
    EXPECT_EQ(thicknessOffsets(1), (std::vector<int>{0}));
    EXPECT_EQ(thicknessOffsets(2), (std::vector<int>{-1, 0}));
    EXPECT_EQ(thicknessOffsets(3), (std::vector<int>{-1, 0, 1}));
    EXPECT_EQ(thicknessOffsets(4), (std::vector<int>{-2, -1, 0, 1}));
}

TEST(LineGlyphs, ZeroLengthAndThickHorizontalLines) {
    const auto one = lineDirectionChars({{3, 3}}, {3, 3}, {3, 3}, LineStyle::single, LineStitchMode::off, 1);
    EXPECT_EQ(one, (std::unordered_map<GridKey, std::string>{{{3, 3}, "─"}}));
    const auto pts = bresenham({2, 0}, {2, 3});
    const auto thick = lineDirectionChars(pts, {2, 0}, {2, 3}, LineStyle::double_, LineStitchMode::off, 3);
    EXPECT_EQ(drawn(thick, 5, 4), (std::vector<std::string>{"    ", "════", "════", "════", "    "}));
}

TEST(LineGlyphs, DiagonalStepsByStitchMode) {
    const GridKey from{0, 0}, to{1, 4};
    const auto pts = bresenham(from, to);  // (0,0) (0,1) (0,2) (1,3) (1,4)
    struct Case {
        LineStitchMode mode;
        int thickness;
        std::vector<std::string> picture;
    };
    const Case cases[] = {
        {LineStitchMode::stitch, 1, {"───  ", "   ──"}},
        {LineStitchMode::off, 1, {"──┐  ", "  ───"}},
        {LineStitchMode::track, 1, {"──┐  ", "  ───"}},
        {LineStitchMode::slash, 1, {"──┐  ", "  ───"}},
        // Two thick: offsets -1 and 0; slash draws one edge only.
        {LineStitchMode::off, 2, {"──┐  ", "──┐──", "  ───"}},
        {LineStitchMode::slash, 2, {"──┐  ", "  ───", "     "}},
    };
    for (const Case& c : cases) {
        const auto glyphs = lineDirectionChars(pts, from, to, LineStyle::single, c.mode, c.thickness);
        const int top = c.thickness == 2 ? -1 : 0;
        EXPECT_EQ(drawn(glyphs, static_cast<int>(c.picture.size()), 5, top), c.picture)
            << static_cast<int>(c.mode) << " " << c.thickness;
    }
}

TEST(LineGlyphs, SteepDiagonalsJoinUpInEveryMode) {
    const GridKey from{0, 0}, to{3, 1};
    const auto pts = bresenham(from, to);  // (0,0) (1,0) (2,1) (3,1)
    for (const LineStitchMode mode :
         {LineStitchMode::off, LineStitchMode::stitch, LineStitchMode::track, LineStitchMode::slash}) {
        const auto glyphs = lineDirectionChars(pts, from, to, LineStyle::single, mode, 1);
        for (const GridKey p : pts) {
            ASSERT_TRUE(glyphs.contains(p)) << static_cast<int>(mode);
            EXPECT_NE(glyphs.at(p), " ");
        }
        EXPECT_EQ(glyphs.at({0, 0}), "│");
        EXPECT_EQ(glyphs.at({3, 1}), "│");
    }
}

TEST(LineGlyphs, NearestPointIsTheFirstOfTheClosest) {
    const Keys centre = {{2, 0}, {2, 1}, {2, 2}, {3, 3}};
    const struct {
        GridKey at;
        std::size_t nearest;
    } cases[] = {{{1, 1}, 1}, {{3, 2}, 2}, {{4, 4}, 3}, {{2, -5}, 0}, {{3, 1}, 1}, {{2, 3}, 2}};
    for (const auto& c : cases) EXPECT_EQ(nearestPoint(centre, c.at), c.nearest) << c.at.row << "," << c.at.col;
    EXPECT_EQ(nearestPoint({}, {0, 0}), 0u);
}

}  // namespace line_test
}  // namespace glyphloom
