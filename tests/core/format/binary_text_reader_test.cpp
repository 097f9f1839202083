#include "core/format/binary_text_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace binary_text_reader_test {

using namespace art_test;

// `cells` pairs of a letter in light grey on blue.
Bytes pairs(int cells) {
    Bytes out;
    for (int i = 0; i < cells; ++i) out.insert(out.end(), {static_cast<std::uint8_t>('a' + i % 26), 0x17});
    return out;
}

SauceRecord binaryTextRecord(int fileType, int tInfo1, std::uint8_t flags = 0) {
    SauceRecord record;
    record.dataType = 5;
    record.fileType = static_cast<std::uint8_t>(fileType);
    record.tInfo1 = tInfo1;
    record.flags = flags;
    return record;
}

TEST(BinaryTextReader, TheWidthIsTwiceTheRecordsFileTypeElse160) {
    struct Case {
        Bytes data;
        int width;
        int rows;
        std::string note;
    };
    const Case cases[] = {
        {withRecord(pairs(200), binaryTextRecord(20, 160)), 40, 5, ""},  // tInfo1 disagrees and loses
        {pairs(640), 160, 4, ""},
        {pairs(160 * 5), 160, 5, ""},
        {pairs(80 * 59), 80, 59, "no SAUCE record: width 80 guessed from the file size"},
        {pairs(170), 160, 4, ""},  // neither fits: 160, the last row part blank
    };
    for (const Case& c : cases) {
        const auto read = readBinaryText(c.data);
        ASSERT_TRUE(read.art) << read.failure;
        EXPECT_EQ(read.art->cells.rowLength(0), c.width);
        EXPECT_EQ(read.art->cells.rowCount(), c.rows);
        EXPECT_EQ(read.art->note, c.note);
    }
}

TEST(BinaryTextReader, CellsFollowTheBytesAndTheRecordsBlinkMode) {
    const Bytes picture = pairs(20) + Bytes{0xDB, 0xC4};
    const auto blinking = readBinaryText(picture);
    ASSERT_TRUE(blinking.art);
    EXPECT_EQ(blinking.art->cells.row(0)[1], dosCell('b', 0x17));
    EXPECT_EQ(blinking.art->cells.row(0)[20], cell("█", c16(1), c16(1), true));  // red on blinking red
    EXPECT_TRUE(blinking.art->blinkingText);

    const auto ice = readBinaryText(withRecord(picture, binaryTextRecord(10, 0, 1)));
    ASSERT_TRUE(ice.art);
    EXPECT_EQ(ice.art->cells.row(1)[0], cell("█", c16(1), c16(9)));
    EXPECT_FALSE(ice.art->blinkingText);
}

TEST(BinaryTextReader, AFileWithoutAWholePairHasNoPicture) {
    EXPECT_EQ(readBinaryText(Bytes{'x'}).failure, "no picture in it");
    EXPECT_EQ(readBinaryText(withRecord({}, binaryTextRecord(40, 80))).failure, "no picture in it");
}

}  // namespace binary_text_reader_test
}  // namespace glyphloom
