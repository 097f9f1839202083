#include "core/model/composite_cache.hpp"

#include <gtest/gtest.h>

#include <random>

namespace glyphloom {
namespace composite_cache_test {

ANSICell randomCell(std::mt19937& rng) {
    if (rng() % 3 == 0) return ANSICell::blank();
    static const char* glyphs[] = {"█", "a", "▒", "#"};
    return {CellChar(glyphs[rng() % 4]), ANSIColorValue::ansi16(static_cast<int>(rng() % 16)),
            ANSIColorValue::ansi16(static_cast<int>(1 + rng() % 15)), false};
}

std::vector<Layer> randomStack(std::mt19937& rng, int rows, int cols) {
    std::vector<Layer> layers;
    for (int i = 0; i < 4; ++i) {
        CellGrid grid(rows - i, cols + i);  // ragged against the canvas on purpose
        for (int k = 0; k < rows * cols / 3; ++k)
            grid.set(static_cast<int>(rng() % static_cast<unsigned>(rows)), static_cast<int>(rng() % static_cast<unsigned>(cols)),
                     randomCell(rng));
        layers.emplace_back("L", std::move(grid));
        layers.back().rowOffset = static_cast<int>(rng() % 5) - 2;
        layers.back().colOffset = static_cast<int>(rng() % 7) - 3;
    }
    return layers;
}

void expectSameAsComposite(CompositeCache& cache, const std::vector<Layer>& layers, int rows, int cols, int step) {
    const CellGrid expected = compositeLayers(layers, rows, cols);
    for (int r = 0; r < rows; ++r) ASSERT_EQ(cache.row(layers, r, cols), expected.row(r)) << "step " << step << " row " << r;
}

// Whatever happens to the stack between frames, a cached row equals the full composite's.
TEST(CompositeCache, MatchesTheFullCompositeThroughRandomChanges) {
    std::mt19937 rng(7);
    const int rows = 9, cols = 14;
    std::vector<Layer> layers = randomStack(rng, rows, cols);
    CompositeCache cache;
    for (int step = 0; step < 300; ++step) {
        Layer& layer = layers[rng() % layers.size()];
        switch (rng() % 6) {
            case 0:
            case 1:
                layer.cells.set(static_cast<int>(rng() % rows), static_cast<int>(rng() % cols), randomCell(rng));
                break;
            case 2: layer.visible = !layer.visible; break;
            case 3: layer.rowOffset = static_cast<int>(rng() % 5) - 2; break;
            case 4: layer.colOffset = static_cast<int>(rng() % 7) - 3; break;
            case 5: std::swap(layers.front(), layers.back()); break;
        }
        expectSameAsComposite(cache, layers, rows, cols, step);
    }
}

TEST(CompositeCache, RecomputesOnlyTheRowsThatChanged) {
    std::mt19937 rng(3);
    std::vector<Layer> layers = randomStack(rng, 20, 30);
    CompositeCache cache;
    for (int r = 0; r < 20; ++r) cache.row(layers, r, 30);
    const std::size_t first = cache.rowsComputed();
    EXPECT_EQ(first, 20u);
    for (int r = 0; r < 20; ++r) cache.row(layers, r, 30);
    EXPECT_EQ(cache.rowsComputed(), first);  // nothing changed

    layers[1].cells.set(5, 6, {CellChar("x"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3), false});
    for (int r = 0; r < 20; ++r) cache.row(layers, r, 30);
    EXPECT_EQ(cache.rowsComputed(), first + 1);  // the one canvas row that layer row lands on

    cache.retain(10, 5);  // rows outside 10..14 forgotten
    for (int r = 0; r < 20; ++r) cache.row(layers, r, 30);
    EXPECT_EQ(cache.rowsComputed(), first + 1 + 15);
}

// A row is plain (a screen may copy it whole) exactly while nothing on it is wide or a control.
TEST(CompositeCache, KnowsWhichRowsHoldOnlyPlainCharacters) {
    std::vector<Layer> layers = {Layer("L", CellGrid(3, 4)), Layer("M", CellGrid(3, 4))};
    CompositeCache cache;
    EXPECT_FALSE(cache.plain(0));  // not computed yet
    const auto rowsPlain = [&] {
        std::string out;
        for (int r = 0; r < 3; ++r) {
            cache.row(layers, r, 4);
            out += cache.plain(r) ? 'p' : '-';
        }
        return out;
    };
    EXPECT_EQ(rowsPlain(), "ppp");
    layers[1].cells.set(1, 2, {CellChar("中"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3), false});
    layers[0].cells.set(2, 0, {CellChar("\x1b"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3), false});
    EXPECT_EQ(rowsPlain(), "p--");
    layers[0].cells.set(1, 2, {CellChar("x"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3), false});
    EXPECT_EQ(rowsPlain(), "pp-");  // the wide glyph is covered by the layer above
    layers[0].visible = false;
    EXPECT_EQ(rowsPlain(), "p-p");
}

TEST(CompositeCache, RowsOutsideTheCanvasAreEmpty) {
    std::vector<Layer> layers = {Layer("L", CellGrid(3, 4))};
    CompositeCache cache;
    EXPECT_TRUE(cache.row(layers, -1, 4).empty());
    EXPECT_TRUE(cache.row(layers, 0, 0).empty());
    EXPECT_EQ(cache.row(layers, 7, 4), CellGrid::Row(4, ANSICell::blank()));  // past the layers: blank
}

}  // namespace composite_cache_test
}  // namespace glyphloom
