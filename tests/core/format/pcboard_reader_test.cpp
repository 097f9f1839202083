#include "core/format/pcboard_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace pcboard_reader_test {

using namespace art_test;

CellGrid cellsOf(const Bytes& data) {
    auto read = readPCBoard(data);
    EXPECT_TRUE(read.art) << read.failure;
    return read.art ? read.art->cells : CellGrid();
}

TEST(PCBoardReader, CodesSetColoursAndMoveTheCursorAndOtherTextStays) {
    struct Case {
        std::string text;
        int row;
        std::string expected;
    };
    const Case cases[] = {
        {"@X1Ehi@X07 there", 0, "hi there"},
        {"junk\r\nmore@CLS@top", 0, "top"},
        {"ab@POS:10@c", 0, "ab       c"},
        {"abcdef\r@CLREOL@x", 0, "x"},
        {"wait@PAUSE@@MORE@@BEEP@@DELAY:20@ed", 0, "waited"},
        {"mail @USER@ @ 5@XZZ", 0, "mail @USER@ @ 5@XZZ"},   // macros and non-codes stay text
        {"row\nnext\x1A" "after the end", 1, "next"},
        {"\x1b[31mansi\x1b[2;3Hx", 1, "  x"},                // escape sequences work too
        {std::string(80, '=') + "\nunder", 1, "under"},      // a full line does not add a row
    };
    for (const Case& c : cases) {
        const CellGrid cells = cellsOf(bytes(c.text));
        ASSERT_GT(cells.rowCount(), c.row) << c.text;
        EXPECT_EQ(rowText(cells, c.row), c.expected) << c.text;
    }
}

TEST(PCBoardReader, AttributeCodesGiveDOSColoursAndBlinkUnlessTheRecordSaysICE) {
    const Bytes text = bytes("x@X1Ey@xc9z");
    const CellGrid cells = cellsOf(text);
    EXPECT_EQ(cells.row(0)[0], dosCell('x', 0x07));  // the DOS default before any code
    EXPECT_EQ(cells.row(0)[1], dosCell('y', 0x1E));
    EXPECT_EQ(cells.row(0)[2], dosCell('z', 0xC9));
    EXPECT_TRUE(readPCBoard(text).art->blinkingText);
    // A colour code after the file's own escape sequence reset the colours still applies.
    const CellGrid mixed = cellsOf(bytes("@X9Ea\x1b[0mb@X9Ec@X1Ed"));
    EXPECT_EQ(mixed.row(0)[1], cell("b", c16(15), c16(0)));
    EXPECT_EQ(mixed.row(0)[2], dosCell('c', 0x9E));
    EXPECT_EQ(mixed.row(0)[3], dosCell('d', 0x1E));

    SauceRecord ice;
    ice.flags = 1;
    const auto bright = readPCBoard(withRecord(text, ice));
    ASSERT_TRUE(bright.art);
    EXPECT_EQ(bright.art->cells.row(0)[2], dosCell('z', 0xC9, true));
    ASSERT_TRUE(bright.art->sauce);
    EXPECT_EQ(bright.art->sauce->flags, 1);
}

TEST(PCBoardReader, AFileOfCodesOnlyHasNoPicture) {
    EXPECT_EQ(readPCBoard(bytes("@CLS@@X07\r\n")).failure, "no picture in it");
}

}  // namespace pcboard_reader_test
}  // namespace glyphloom
