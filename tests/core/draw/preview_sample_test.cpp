#include "core/draw/preview_sample.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace preview_sample_test {

TEST(SampleStrokePath, ClimbsThenRunsAlongTheSecondRow) {
    const std::vector<GridKey> expected{{5, 0}, {4, 1}, {3, 2}, {2, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}};
    EXPECT_EQ(sampleStrokePath(8), expected);
    // A strip narrower than the climb keeps only the points inside it.
    EXPECT_EQ(sampleStrokePath(3), (std::vector<GridKey>{{5, 0}, {4, 1}, {3, 2}}));
    EXPECT_TRUE(sampleStrokePath(0).empty());
}

TEST(SeededPreviewStrip, StripesRowsOverTheChosenWidth) {
    const int cols = 10;
    for (const bool full : {true, false}) {
        const CellGrid strip = seededPreviewStrip(cols, full);
        ASSERT_EQ(strip.rowCount(), previewStripRows);
        const int seeded = full ? cols : 6;
        const int stripes[] = {1, 3, 2, 6, 1, 3, 2};
        for (int r = 0; r < previewStripRows; ++r) {
            ASSERT_EQ(strip.rowLength(r), cols);
            for (int c = 0; c < cols; ++c) {
                const ANSICell expected = c < seeded ? ANSICell{CellChar("█"), ANSIColorValue::ansi16(stripes[r]),
                                                                ANSIColorValue::ansi16(0), false}
                                                     : ANSICell::blank();
                EXPECT_EQ(*strip.cellAt(r, c), expected) << "full " << full << " at " << r << "," << c;
            }
        }
    }
}

}  // namespace preview_sample_test
}  // namespace glyphloom
