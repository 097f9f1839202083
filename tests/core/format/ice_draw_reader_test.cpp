#include "core/format/ice_draw_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace ice_draw_reader_test {

using namespace art_test;

Bytes idfHeader(int x2, int y2) {
    return {0x04, '1', '.', '4', 0, 0, 0, 0, static_cast<std::uint8_t>(x2), static_cast<std::uint8_t>(x2 >> 8),
            static_cast<std::uint8_t>(y2), static_cast<std::uint8_t>(y2 >> 8)};
}

Bytes standardPaletteBut(int number, std::array<std::uint8_t, 3> rgb) {
    Bytes out(48, 0);
    const std::uint8_t triples[16][3] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},  {42, 0, 0},   {42, 0, 42},
                                         {42, 21, 0},  {42, 42, 42}, {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                                         {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
    for (int i = 0; i < 16; ++i)
        for (int k = 0; k < 3; ++k) out[static_cast<std::size_t>(i * 3 + k)] = triples[i][k];
    for (int k = 0; k < 3; ++k) out[static_cast<std::size_t>(number * 3 + k)] = rgb[static_cast<std::size_t>(k)];
    return out;
}

TEST(IceDrawReader, ExpandsRunsToTheBoundsWidthInICEColours) {
    // 5 columns: a pair, a run of six, a pair; font and palette at the end.
    const Bytes image{'a', 0x1F, 0x01, 0x00, 0x06, 0x00, 'b', 0xC2, 'c', 0x07};
    const auto read = readIceDraw(idfHeader(4, 1) + image + Bytes(4096, 0) + standardPaletteBut(2, {0, 63, 0}));
    ASSERT_TRUE(read.art) << read.failure;
    const CellGrid& cells = read.art->cells;
    EXPECT_EQ(cells.rowLength(0), 10);  // five columns, padded to the minimum width
    EXPECT_EQ(rowText(cells, 0), "abbbb");
    EXPECT_EQ(rowText(cells, 1), "bbc");
    EXPECT_EQ(cells.row(0)[1], cell("b", ANSIColorValue::truecolor(0, 255, 0), c16(9)));
    EXPECT_EQ(cells.row(0)[0], dosCell('a', 0x1F, true));
    EXPECT_EQ(read.art->note, "its own font is not shown");
}

TEST(IceDrawReader, DamagedFilesAreRefusedOrReadAsFarAsTheyGo) {
    EXPECT_EQ(readIceDraw(bytes("\x04" "1.4")).failure, "not an iCE Draw file");
    EXPECT_EQ(readIceDraw(Bytes{0x04, '1', '.', '4', 5, 0, 0, 0, 2, 0, 0, 0, 'x', 7}).failure, "iCE Draw bounds are empty");
    const auto shortFile = readIceDraw(idfHeader(79, 24) + bytes("hi\x07"));
    ASSERT_TRUE(shortFile.art);
    EXPECT_EQ(rowText(shortFile.art->cells, 0), "h");
    EXPECT_EQ(shortFile.art->note, "cut short: no font or palette at its end");
    // A run as long as the 16-bit count allows stops at the bounds.
    const auto run = readIceDraw(idfHeader(65534, 65534) + Bytes{0x01, 0x00, 0xFF, 0xFF, 'r', 0x07}, {100, 40});
    ASSERT_TRUE(run.art);
    EXPECT_EQ(run.art->cells.rowLength(0), 100);
}

}  // namespace ice_draw_reader_test
}  // namespace glyphloom
