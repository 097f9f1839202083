#include "core/text/utf8.hpp"

#include <gtest/gtest.h>

#include <string>

namespace glyphloom {
namespace utf8_test {

TEST(Utf8DisplayWidth, ColumnsATerminalGivesEachCluster) {
    struct Case {
        std::string cluster;
        int width;
    };
    const Case cases[] = {
        {"a", 1},
        {"█", 1},          // block glyphs stay narrow
        {"é", 1},          // precomposed
        {"e\u0301", 1},    // base + combining acute
        {"か", 2},          // Hiragana
        {"カ", 2},          // Katakana
        {"ｶ", 1},          // half-width Katakana
        {"漢", 2},
        {"\U0001F600", 2},  // emoji
        {"Ａ", 2},          // fullwidth Latin
        {"\u0301", 0},     // a lone combining mark
        {"", 0},
        {"\xff", 1},       // malformed byte, drawn as U+FFFD
    };
    for (const Case& c : cases) EXPECT_EQ(utf8::displayWidth(c.cluster), c.width) << c.cluster;
}

TEST(Utf8DisplayWidth, TextWidthSumsClustersAndGivesEachAtLeastOneColumn) {
    EXPECT_EQ(utf8::textDisplayWidth(""), 0);
    EXPECT_EQ(utf8::textDisplayWidth("abc"), 3);
    EXPECT_EQ(utf8::textDisplayWidth("漢字漢字"), 8);
    EXPECT_EQ(utf8::textDisplayWidth("pen \U0001F600 ok"), 9);
    EXPECT_EQ(utf8::textDisplayWidth("\u0301x"), 2);  // the mark alone takes a column
}

}  // namespace utf8_test
}  // namespace glyphloom
