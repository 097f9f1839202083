#include "core/model/cell_grid.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace cell_grid_test {

ANSICell glyph(const char* ch) { return {CellChar(ch), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(0), false}; }

TEST(CellGrid, CopiesShareRowsUntilWrittenAndEditsNeverShowThrough) {
    CellGrid original(3, 4);
    CellGrid copy = original;
    for (int r = 0; r < 3; ++r) EXPECT_TRUE(copy.sharesRowWith(original, r));

    ASSERT_TRUE(copy.set(1, 2, glyph("x")));
    EXPECT_EQ(*copy.cellAt(1, 2), glyph("x"));
    EXPECT_EQ(*original.cellAt(1, 2), ANSICell::blank());
    EXPECT_FALSE(copy.sharesRowWith(original, 1));
    EXPECT_TRUE(copy.sharesRowWith(original, 0));  // untouched rows stay shared
    EXPECT_TRUE(copy.sharesRowWith(original, 2));
    EXPECT_NE(copy, original);
}

TEST(CellGrid, WritingAnEqualCellKeepsTheRowShared) {
    CellGrid a(1, 2);
    CellGrid b = a;
    EXPECT_TRUE(b.set(0, 0, ANSICell::blank()));
    EXPECT_TRUE(b.sharesRowWith(a, 0));
}

TEST(CellGrid, OutOfRangeAndRaggedAccess) {
    CellGrid grid(std::vector<CellGrid::Row>{{glyph("a")}, {glyph("b"), glyph("c")}});
    EXPECT_EQ(grid.rowLength(0), 1);
    EXPECT_EQ(grid.rowLength(1), 2);
    EXPECT_EQ(grid.rowLength(2), 0);
    EXPECT_EQ(grid.rowLength(-1), 0);
    EXPECT_EQ(grid.cellAt(0, 1), nullptr);
    EXPECT_EQ(grid.cellAt(-1, 0), nullptr);
    EXPECT_EQ(grid.cellAt(1, -1), nullptr);
    EXPECT_FALSE(grid.set(0, 1, glyph("z")));
    EXPECT_FALSE(grid.set(5, 0, glyph("z")));
    EXPECT_EQ(grid.toRows()[1][1], glyph("c"));
}

TEST(CellGrid, NegativeSizesMakeAnEmptyGrid) {
    EXPECT_TRUE(CellGrid(-3, 5).empty());
    CellGrid flat(2, -1);
    EXPECT_EQ(flat.rowCount(), 2);
    EXPECT_EQ(flat.rowLength(0), 0);
}

TEST(CellGrid, EqualityIsByContent) {
    CellGrid a(2, 2);
    CellGrid b(2, 2);
    EXPECT_EQ(a, b);
    b.set(1, 1, glyph("q"));
    EXPECT_NE(a, b);
    a.set(1, 1, glyph("q"));
    EXPECT_EQ(a, b);
    EXPECT_NE(CellGrid(2, 2), CellGrid(2, 3));
    EXPECT_NE(CellGrid(2, 2), CellGrid(3, 2));
}


TEST(CellGrid, BlankRowsShareOneStorageUntilWritten) {
    CellGrid grid(4, 6);
    for (int r = 1; r < 4; ++r) EXPECT_EQ(grid.rowStorage(r), grid.rowStorage(0)) << r;
    grid.set(2, 3, {CellChar("x"), ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), false});
    EXPECT_NE(grid.rowStorage(2), grid.rowStorage(0));
    EXPECT_EQ(grid.cellAt(2, 3)->character, CellChar("x"));
    for (int r : {0, 1, 3}) EXPECT_EQ(*grid.cellAt(r, 3), ANSICell::blank()) << r;  // the others stay blank
    EXPECT_EQ(grid.rowStorage(4), nullptr);
}

}  // namespace cell_grid_test
}  // namespace glyphloom

namespace glyphloom {
namespace cell_grid_test {

TEST(CellGridDeathTest, RowAccessOutsideTheGridStopsDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "row bounds are checked in debug builds only";
#else
    CellGrid grid(2, 3);
    for (int bad : {-1, 2, 1000}) {
        EXPECT_DEATH((void)grid.row(bad), "out of range") << bad;
        EXPECT_DEATH((void)grid.mutableRow(bad), "out of range") << bad;
    }
    EXPECT_EQ(grid.row(1).size(), 3u);
#endif
}

}  // namespace cell_grid_test
}  // namespace glyphloom
