#include "core/format/xbin_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace xbin_reader_test {

using namespace art_test;

Bytes header(int width, int height, std::uint8_t flags, std::uint8_t fontHeight = 16) {
    return {'X', 'B', 'I', 'N', 0x1A, static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
            static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8), fontHeight, flags};
}

TEST(XBinReader, DecodesEveryKindOfRun) {
    // 12 columns, 1 row: 2 plain pairs, a character over 3 attributes, an attribute over 3
    // characters, 4 copies of one pair.
    const Bytes runs{0x01, 'a', 0x07, 'b', 0x1E,  //
                     0x42, 'c', 0x07, 0x1E, 0x4C, //
                     0x82, 0x2F, 'd', 'e', 'f',   //
                     0xC3, 'g', 0x96};
    const auto read = readXBin(header(12, 1, 0x04) + runs);
    ASSERT_TRUE(read.art) << read.failure;
    const CellGrid& cells = read.art->cells;
    EXPECT_EQ(rowText(cells, 0), "abcccdefgggg");
    const ANSICell expected[] = {dosCell('a', 0x07), dosCell('b', 0x1E), dosCell('c', 0x07), dosCell('c', 0x1E),
                                 dosCell('c', 0x4C), dosCell('d', 0x2F), dosCell('e', 0x2F), dosCell('f', 0x2F),
                                 dosCell('g', 0x96), dosCell('g', 0x96), dosCell('g', 0x96), dosCell('g', 0x96)};
    for (int c = 0; c < 12; ++c) EXPECT_EQ(cells.row(0)[static_cast<std::size_t>(c)], expected[c]) << c;
    EXPECT_TRUE(read.art->blinkingText);  // no non-blink flag: bit 7 blinks
}

TEST(XBinReader, HeaderFlagsPickPaletteFontAndBackgroundMode) {
    Bytes palette;
    for (int i = 0; i < 16; ++i) palette.insert(palette.end(), {0, 0, 0});
    palette[4 * 3] = 63;  // colour number 4, red, turned pure red
    const Bytes font(2 * 256, 0);
    const auto read = readXBin(header(10, 1, 0x01 | 0x02 | 0x08, 2) + palette + font + bytes("x\x94"));
    ASSERT_TRUE(read.art) << read.failure;
    const ANSICell& first = read.art->cells.row(0)[0];
    EXPECT_EQ(first.background, ANSIColorValue::truecolor(0, 0, 0));  // colour 9 of this palette is black too
    EXPECT_EQ(first.foreground, ANSIColorValue::truecolor(255, 0, 0));
    EXPECT_FALSE(first.blink);
    EXPECT_TRUE(read.art->truecolor);
    EXPECT_EQ(read.art->note, "its own font is not shown");
}

TEST(XBinReader, TheHeaderSizeWinsOverTheRecord) {
    SauceRecord record;
    record.tInfo1 = 40;
    record.tInfo2 = 9;
    const auto read = readXBin(withRecord(header(10, 2, 0) + Bytes(40, 'z'), record));
    ASSERT_TRUE(read.art) << read.failure;
    EXPECT_EQ(read.art->cells.rowLength(0), 10);
    EXPECT_EQ(rowText(read.art->cells, 1), "zzzzzzzzzz");
    EXPECT_EQ(rowText(read.art->cells, 2), "");
    ASSERT_TRUE(read.art->sauce);
    EXPECT_EQ(read.art->sauce->tInfo1, 40);  // kept as provenance
}

TEST(XBinReader, HostileAndDamagedFilesAreRefusedOrBoundedWithANote) {
    struct Case {
        Bytes data;
        bool readable;
        std::string text;  // failure, or the note
    };
    const Case cases[] = {
        {bytes("XBIM\x1a") + Bytes(20, 0), false, "not an XBin file"},
        {header(0, 5, 0), false, "empty XBin picture"},
        {header(10, 1, 0x01) + Bytes(10, 0), false, "XBin palette cut short"},
        {header(80, 25, 0x02) + Bytes(100, 0), false, "XBin font cut short"},
        {header(10, 65535, 0), false, "no picture in it"},
        {header(65535, 65535, 0x04) + Bytes{0xFF, 'q', 0x07}, true, "cut short: 1 of 65535 rows; kept 100 of 65535 columns"},
        {header(10, 50, 0) + Bytes(1000, 'r'), true, "kept 40 of 50 rows"},
        {header(4, 3, 0) + bytes("abcdefghij"), true, "cut short: 2 of 3 rows"},
    };
    for (const Case& c : cases) {
        const auto read = readXBin(c.data, {100, 40});
        ASSERT_EQ(read.art.has_value(), c.readable) << c.text;
        EXPECT_EQ(c.readable ? read.art->note : read.failure, c.text);
        if (read.art) {
            EXPECT_LE(read.art->cells.rowLength(0), 100);
        }
    }
}

}  // namespace xbin_reader_test
}  // namespace glyphloom
