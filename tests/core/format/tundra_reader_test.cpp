#include "core/format/tundra_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace tundra_reader_test {

using namespace art_test;

const Bytes magic{0x18, 'T', 'U', 'N', 'D', 'R', 'A', '2', '4'};

Bytes position(std::uint32_t row, std::uint32_t col) {
    return {1,
            static_cast<std::uint8_t>(row >> 24), static_cast<std::uint8_t>(row >> 16),
            static_cast<std::uint8_t>(row >> 8),  static_cast<std::uint8_t>(row),
            static_cast<std::uint8_t>(col >> 24), static_cast<std::uint8_t>(col >> 16),
            static_cast<std::uint8_t>(col >> 8),  static_cast<std::uint8_t>(col)};
}

TEST(TundraReader, CommandsSetTwentyFourBitColoursAndMoveTheCursor) {
    const Bytes stream = magic + bytes("a") +                                   // default colours
                         Bytes{2, 'b', 0xFF, 0xFF, 0x57, 0xFF} +                // new foreground
                         Bytes{4, 'c', 0xFF, 0x00, 0x00, 0xAB} + bytes("\n") +  // new background; 0x0A is a glyph
                         position(2, 78) + Bytes{6, 'd', 0, 1, 2, 3, 0, 4, 5, 6} + bytes("ef");
    const auto read = readTundra(stream);
    ASSERT_TRUE(read.art) << read.failure;
    const CellGrid& cells = read.art->cells;
    EXPECT_EQ(cells.rowLength(0), 80);
    EXPECT_EQ(cells.row(0)[0], cell("a", c16(7), c16(0)));
    const auto magenta = ANSIColorValue::truecolor(0xFF, 0x57, 0xFF), blue = ANSIColorValue::truecolor(0, 0, 0xAB);
    EXPECT_EQ(cells.row(0)[1], cell("b", magenta, c16(0)));
    EXPECT_EQ(cells.row(0)[2], cell("c", magenta, blue));
    EXPECT_EQ(cells.row(0)[3], cell("◙", magenta, blue));
    EXPECT_EQ(cells.row(2)[78], cell("d", ANSIColorValue::truecolor(1, 2, 3), ANSIColorValue::truecolor(4, 5, 6)));
    EXPECT_EQ(rowText(cells, 3), "f");  // wrapped at 80
    EXPECT_TRUE(read.art->truecolor);
}

TEST(TundraReader, HostilePositionsAndCutCommandsStayBounded) {
    EXPECT_EQ(readTundra(bytes("\x18TUNDRA25x")).failure, "not a TundraDraw file");
    EXPECT_EQ(readTundra(magic + position(0xFFFFFFFF, 0xFFFFFFFF) + bytes("lost")).failure, "no picture in it");
    const auto cut = readTundra(magic + bytes("ok") + Bytes{6, 'x', 0xFF}, {100, 40});
    ASSERT_TRUE(cut.art);
    EXPECT_EQ(rowText(cut.art->cells, 0), "ok");
    EXPECT_EQ(cut.art->note, "cut short in its last command");
    const auto far = readTundra(magic + position(39, 500) + bytes("z"), {100, 40});
    ASSERT_TRUE(far.art);
    EXPECT_EQ(far.art->cells.rowCount(), 40);
    EXPECT_EQ(rowText(far.art->cells, 39), std::string(79, ' ') + "z");
}

}  // namespace tundra_reader_test
}  // namespace glyphloom
