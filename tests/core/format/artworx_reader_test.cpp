#include "core/format/artworx_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace artworx_reader_test {

using namespace art_test;

// Version byte, the 64-entry palette (all black but the entries named), a blank font.
Bytes adfHeader(std::uint8_t entry, std::array<std::uint8_t, 3> rgb) {
    Bytes out(1 + 192 + 4096, 0);
    out[0] = 1;
    for (int i = 0; i < 3; ++i) out[1 + entry * 3 + static_cast<std::size_t>(i)] = rgb[static_cast<std::size_t>(i)];
    return out;
}

TEST(ArtWorxReader, ReadsEightyColumnPairsThroughTheTextColourEntriesOfItsPalette) {
    // Entry 20 is the one colour number 6 (brown) uses.
    Bytes image;
    for (int i = 0; i < 81; ++i) image.insert(image.end(), {static_cast<std::uint8_t>('A' + i % 26), 0xE6});
    const auto read = readArtWorx(adfHeader(20, {10, 20, 30}) + image);
    ASSERT_TRUE(read.art) << read.failure;
    const CellGrid& cells = read.art->cells;
    EXPECT_EQ(cells.rowLength(0), 80);
    EXPECT_EQ(rowText(cells, 1), "C");
    // Background 14 (bit 7 brightens it) is entry 62, black here and so 24-bit.
    EXPECT_EQ(cells.row(0)[0], cell("A", ANSIColorValue::truecolor(40, 81, 121), ANSIColorValue::truecolor(0, 0, 0)));
    EXPECT_TRUE(read.art->truecolor);
    EXPECT_EQ(read.art->note, "its own font is not shown");
}

TEST(ArtWorxReader, AFileShorterThanItsHeaderIsRefused) {
    EXPECT_EQ(readArtWorx(Bytes(300, 1)).failure, "ArtWorx header cut short");
    EXPECT_EQ(readArtWorx(adfHeader(0, {0, 0, 0})).failure, "no picture in it");
}

}  // namespace artworx_reader_test
}  // namespace glyphloom
