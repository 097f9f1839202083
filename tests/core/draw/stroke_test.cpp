#include <gtest/gtest.h>

#include <cstdlib>

#include "core/draw/stroke.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace stroke_test {

using Keys = std::vector<GridKey>;

TEST(StrokePath, DiagonalDragIsAStaircaseWithoutTheStart) {
    EXPECT_EQ(penInterpolatePath({0, 0}, {2, 2}), (Keys{{0, 1}, {1, 1}, {1, 2}, {2, 2}}));
    EXPECT_EQ(penInterpolatePath({3, 1}, {0, 0}), (Keys{{2, 1}, {1, 1}, {0, 1}, {0, 0}}));
    EXPECT_TRUE(penInterpolatePath({4, 7}, {4, 7}).empty());
}

TEST(StrokePath, EveryWalkStepsOneCoordinateAtATimeStraightToTheTarget) {
    for (int r = -6; r <= 6; ++r) {
        for (int c = -9; c <= 9; ++c) {
            const GridKey from{10, 20};
            const GridKey to{10 + r, 20 + c};
            const Keys path = penInterpolatePath(from, to);
            ASSERT_EQ(static_cast<int>(path.size()), std::abs(r) + std::abs(c)) << r << "," << c;
            GridKey previous = from;
            for (const GridKey p : path) {
                const int dr = p.row - previous.row, dc = p.col - previous.col;
                EXPECT_EQ(std::abs(dr) + std::abs(dc), 1) << r << "," << c;
                // Never a step away from the target.
                EXPECT_LE(std::abs(to.row - p.row), std::abs(to.row - previous.row));
                EXPECT_LE(std::abs(to.col - p.col), std::abs(to.col - previous.col));
                previous = p;
            }
            if (!path.empty()) {
                EXPECT_EQ(path.back(), to);
            }
        }
    }
}

TEST(StrokePath, FirstSampleStampsItselfAndARepeatStampsNothing) {
    EXPECT_EQ(strokePath(std::nullopt, {3, 4}), (Keys{{3, 4}}));
    EXPECT_TRUE(strokePath(GridKey{3, 4}, {3, 4}).empty());
    EXPECT_EQ(strokePath(GridKey{3, 4}, {3, 6}), (Keys{{3, 5}, {3, 6}}));
}

TEST(StrokeVelocity, RowsCountDoubleAndSpeedIsSmoothed) {
    const StrokeTime t0{};
    const auto later = [&](int ms) { return t0 + std::chrono::milliseconds(ms); };
    // Without a previous sample the speed stays.
    EXPECT_DOUBLE_EQ(updateVelocity(7, std::nullopt, t0, {0, 0}, later(10)), 7);
    EXPECT_DOUBLE_EQ(updateVelocity(7, GridKey{0, 0}, std::nullopt, {0, 0}, later(10)), 7);
    // 3 columns and 2 rows (= 4 columns) in 100 ms: 5 cells in 0.1 s = 50/s, half of it kept.
    EXPECT_NEAR(updateVelocity(10, GridKey{0, 0}, t0, {2, 3}, later(100)), 0.5 * 10 + 0.5 * 50, 1e-9);
    // No time passed: the interval counts as a millisecond instead of dividing by zero.
    EXPECT_NEAR(updateVelocity(0, GridKey{0, 0}, t0, {0, 1}, t0), 500, 1e-9);
}

TEST(StrokeVelocity, PressureFallsFromOneToZeroAt40CellsPerSecond) {
    EXPECT_DOUBLE_EQ(pressureFactor(0), 1);
    EXPECT_DOUBLE_EQ(pressureFactor(20), 0.5);
    EXPECT_DOUBLE_EQ(pressureFactor(40), 0);
    EXPECT_DOUBLE_EQ(pressureFactor(400), 0);
}

TEST(StrokeSymmetry, MirrorPointsForEachMode) {
    using Mirrors = std::vector<MirrorPoint>;
    EXPECT_TRUE(symmetryPoints({1, 2}, SymmetryMode::none, 10, 20).empty());
    EXPECT_EQ(symmetryPoints({1, 2}, SymmetryMode::horizontal, 10, 20), (Mirrors{{{1, 17}, true, false}}));
    EXPECT_EQ(symmetryPoints({1, 2}, SymmetryMode::vertical, 10, 20), (Mirrors{{{8, 2}, false, true}}));
    EXPECT_EQ(symmetryPoints({1, 2}, SymmetryMode::both, 10, 20),
              (Mirrors{{{1, 17}, true, false}, {{8, 2}, false, true}, {{8, 17}, true, true}}));
    // On the centre column of an odd width a point mirrors onto itself.
    EXPECT_EQ(symmetryPoints({4, 5}, SymmetryMode::horizontal, 10, 11), (Mirrors{{{4, 5}, true, false}}));
}

}  // namespace stroke_test
}  // namespace glyphloom
