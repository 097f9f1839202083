#include "core/format/avatar_reader.hpp"

#include <gtest/gtest.h>

#include "core/format/art_test_support.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace avatar_reader_test {

using namespace art_test;

TEST(AvatarReader, CodesRepeatMoveClearAndColour) {
    struct Case {
        Bytes data;
        int row;
        std::string expected;
    };
    const Case cases[] = {
        {bytes("a\x19-\x05z"), 0, "a-----z"},
        {bytes("junk\x0cnew"), 0, "new"},
        {bytes("abc\x16\x05\x16\x05X"), 0, "aXc"},
        {bytes("abc\x16\x03\x16\x04\x16\x06Y"), 1, "    Y"},  // up from row 0 stays on it
        {bytes("abcdef\r\x16\x07x"), 0, "x"},
        {bytes("\x16\x08\x03\x05Q"), 2, "    Q"},
        {bytes("\x16\x19\x02<>\x03|"), 0, "<><><>|"},
        {bytes("\x16\x0a\x01\x02\x03\x04\x05ok\x16\x0c\x07\x01\x01!"), 0, "ok!"},  // area codes skipped
        {bytes("\x16\x01\x1a" "after attribute 0x1A\x1a" "not after the end"), 0, "after attribute 0x1A"},
    };
    for (const Case& c : cases) {
        const auto read = readAvatar(c.data);
        ASSERT_TRUE(read.art) << read.failure;
        ASSERT_GT(read.art->cells.rowCount(), c.row);
        EXPECT_EQ(rowText(read.art->cells, c.row), c.expected) << c.expected;
    }
}

TEST(AvatarReader, AttributesAndBlinkFollowTheCodes) {
    const auto read = readAvatar(bytes("d\x16\x01\x1e" "a\x16\x02" "b\x16\x01\x4c" "c\x0c" "e"));
    ASSERT_TRUE(read.art);
    const auto& row = read.art->cells.row(0);
    EXPECT_EQ(row[0], dosCell('e', 0x03));  // the clear screen: Avatar's cyan
    const auto before = readAvatar(bytes("d\x16\x01\x1e" "a\x16\x02" "b\x16\x01\x4c" "c"));
    ASSERT_TRUE(before.art);
    const auto& cells = before.art->cells.row(0);
    EXPECT_EQ(cells[0], dosCell('d', 0x07));
    EXPECT_EQ(cells[1], dosCell('a', 0x1E));
    EXPECT_EQ(cells[2], dosCell('b', 0x9E));
    EXPECT_EQ(cells[3], dosCell('c', 0x4C));
}

TEST(AvatarReader, RepeatsAreBoundedAndCutCodesAreDropped) {
    // Each pattern code prints 255 × 255 bytes: 140 of them would print 9 MB.
    Bytes bomb = bytes("top");
    for (int i = 0; i < 140; ++i) {
        bomb.insert(bomb.end(), {0x16, 0x19, 0xFF});
        bomb.insert(bomb.end(), 255, ' ');
        bomb.push_back(0xFF);
    }
    const auto read = readAvatar(bomb);
    ASSERT_TRUE(read.art);
    EXPECT_EQ(rowText(read.art->cells, 0), "top");
    EXPECT_EQ(read.art->note, "cut short: it repeats too much");

    const auto cut = readAvatar(bytes("fine\x16\x08\x02"));
    ASSERT_TRUE(cut.art);
    EXPECT_EQ(rowText(cut.art->cells, 0), "fine");
    EXPECT_EQ(cut.art->note, "");
}

}  // namespace avatar_reader_test
}  // namespace glyphloom
