#include "core/draw/smart_pen.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace glyphloom {
namespace smart_pen_test {

constexpr ConnectionSet none{}, left{ConnectionSet::left}, right{ConnectionSet::right};

TEST(SmartPen, StrokeWritesCopiesThenMirrorImagesThenTheStrokeItself) {
    // A two-cell run and a lone dot, handed over out of order; 2 thick, mirrored left to right
    // on a 5 × 6 canvas.
    const std::vector<std::pair<GridKey, ConnectionSet>> cells = {{{4, 5}, none}, {{2, 2}, left}, {{2, 1}, right}};
    const std::vector<PenWrite> expected = {
        {{1, 1}, right, {2, 1}}, {{1, 2}, left, {2, 2}},                            // copies beside the run
        {{1, 4}, left, {2, 1}},  {{1, 3}, right, {2, 2}},                           // their mirror images
        {{2, 4}, left, {2, 1}},  {{2, 3}, right, {2, 2}}, {{4, 0}, none, {4, 5}},   // the stroke's images
        {{2, 1}, right, {2, 1}}, {{2, 2}, left, {2, 2}},  {{4, 5}, none, {4, 5}},   // the stroke, last
    };
    EXPECT_EQ(penStrokeWrites(cells, 2, SymmetryMode::horizontal, 5, 6), expected);

    // One thick without a mirror: the stroke alone, in reading order.
    const std::vector<PenWrite> plain = {{{2, 1}, right, {2, 1}}, {{2, 2}, left, {2, 2}}, {{4, 5}, none, {4, 5}}};
    EXPECT_EQ(penStrokeWrites(cells, 1, SymmetryMode::none, 5, 6), plain);
}

}  // namespace smart_pen_test
}  // namespace glyphloom
