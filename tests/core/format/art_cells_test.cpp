#include "core/format/art_cells.hpp"

#include <gtest/gtest.h>

#include "core/model/print_values.hpp"
#include "core/format/art_test_support.hpp"

namespace glyphloom {
namespace art_cells_test {

using namespace art_test;

TEST(ArtCells, AttributeColoursFollowTheDOSNumberingAndBit7FollowsTheMode) {
    struct Case {
        std::uint8_t attribute;
        AttributeMode mode;
        ANSICell expected;
    };
    const Case cases[] = {
        {0x1E, {}, cell("A", c16(11), c16(4))},              // yellow on blue
        {0x4C, {}, cell("A", c16(9), c16(1))},               // bright red on red
        {0x96, {}, cell("A", c16(3), c16(4), true)},         // brown on blinking blue
        {0x96, {true, false}, cell("A", c16(3), c16(12))},   // iCE: bright blue background
        {0x0F, {false, true}, cell("A", c16(7), c16(0))},    // 512 characters: bit 3 is the font
    };
    for (const Case& c : cases)
        EXPECT_EQ(attributeCell('A', c.attribute, standardAttributePalette(), c.mode), c.expected) << int(c.attribute);
}

TEST(ArtCells, ControlBytesShowTheirGlyphsAndNulIsBlank) {
    EXPECT_EQ(glyphForByte(0x00), U' ');
    EXPECT_EQ(glyphForByte(0x0A), U'\u25D9');
    EXPECT_EQ(glyphForByte(0x1A), U'\u2192');
    EXPECT_EQ(glyphForByte(0x1B), U'\u2190');
    EXPECT_EQ(glyphForByte(0xDB), U'\u2588');
}

TEST(ArtCells, OnlyPaletteEntriesThatDifferFromTheStandardOnesBecome24Bit) {
    EXPECT_EQ(paletteEntry(6, 42, 21, 0), c16(3));      // brown is standard
    EXPECT_EQ(paletteEntry(1, 0, 0, 42), c16(4));       // colour number 1 is blue
    EXPECT_EQ(paletteEntry(1, 0, 0, 63), ANSIColorValue::truecolor(0, 0, 255));
    EXPECT_EQ(paletteEntry(15, 0xFF, 0xFF, 0xFF), c16(15));  // only six bits count
}

TEST(ArtCells, AGridBuildsOnlyTheRowsItsDataReachesWithinTheCap) {
    ArtGridBuilder grid(65535, 65535, {100, 40});
    for (int i = 0; i < 65535 + 3; ++i) grid.put(dosCell('x', 7));
    const CellGrid cells = grid.finish();
    EXPECT_EQ(cells.rowCount(), 4);  // two rows of data, padded to the minimum
    EXPECT_EQ(cells.rowLength(0), 100);
    EXPECT_EQ(rowText(cells, 1), "xxx");

    ArtGridBuilder capped(20, 65535, {10, 5});
    while (!capped.full()) capped.put(dosCell('y', 7));
    EXPECT_EQ(capped.finish().rowCount(), 5);
}

}  // namespace art_cells_test
}  // namespace glyphloom
