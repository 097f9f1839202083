#include "core/model/color.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace glyphloom {
namespace color_test {

using C = ANSIColorValue;

TEST(ColorLabel, NamesNumbersAndHex) {
    const std::pair<C, std::string> cases[] = {
        {C::ansi16(0), "Black"},        {C::ansi16(3), "Yellow"},    {C::ansi16(7), "Lt Gray"},
        {C::ansi16(8), "Dk Gray"},      {C::ansi16(10), "Br Grn"},   {C::ansi16(13), "Br Mag"},
        {C::ansi16(15), "White"},       {C::ansi16(16), "ANSI 16"},  {C::ansi16(-1), "Black"},
        {C::ansi256(0), "256:0"},       {C::ansi256(255), "256:255"}, {C::ansi256(300), "256:255"},
        {C::truecolor(0, 128, 255), "#0080FF"},
        {C::truecolor(10, 11, 12), "#0A0B0C"},
    };
    for (const auto& [color, label] : cases) EXPECT_EQ(color.label(), label);
}

TEST(ColorEscapeParams, AllCases) {
    struct Case {
        C color;
        const char* fg;
        const char* bg;
    };
    const Case cases[] = {
        {C::ansi16(0), "30", "40"},       {C::ansi16(7), "37", "47"},
        {C::ansi16(8), "90", "100"},      {C::ansi16(15), "97", "107"},
        {C::ansi256(0), "38;5;0", "48;5;0"}, {C::ansi256(196), "38;5;196", "48;5;196"},
        {C::truecolor(0, 5, 255), "38;2;0;5;255", "48;2;0;5;255"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.color.fgEscapeParam(), c.fg) << c.color.label();
        EXPECT_EQ(c.color.bgEscapeParam(), c.bg) << c.color.label();
    }
}

TEST(ColorEscapeParams, ScreenParamsUseCgaOnlyForTheSixteenWhenAsked) {
    struct Case {
        C color;
        bool cga;
        const char* fg;
        const char* bg;
    };
    const Case cases[] = {
        {C::ansi16(9), false, "91", "101"},
        {C::ansi16(9), true, "38;2;255;85;85", "48;2;255;85;85"},
        {C::ansi16(3), true, "38;2;170;85;0", "48;2;170;85;0"},  // brown, not dark yellow
        {C::ansi16(16), true, "98", "108"},                     // past the table: classic form
        {C::ansi256(9), true, "38;5;9", "48;5;9"},
        {C::truecolor(1, 2, 3), true, "38;2;1;2;3", "48;2;1;2;3"},
    };
    for (const Case& c : cases) {
        std::string fg, bg;
        appendFgParam(fg, c.color, c.cga);
        appendBgParam(bg, c.color, c.cga);
        EXPECT_EQ(fg, c.fg) << c.color.label() << " cga=" << c.cga;
        EXPECT_EQ(bg, c.bg) << c.color.label() << " cga=" << c.cga;
    }
}

TEST(Colorterm, DeclaresTruecolorCaseInsensitively) {
    EXPECT_TRUE(colortermDeclaresTruecolor("TrueColor"));
    EXPECT_TRUE(colortermDeclaresTruecolor("24bit"));
    EXPECT_TRUE(colortermDeclaresTruecolor("x-24BIT-y"));
    EXPECT_FALSE(colortermDeclaresTruecolor("256color"));
    EXPECT_FALSE(colortermDeclaresTruecolor(""));
    EXPECT_FALSE(colortermDeclaresTruecolor(nullptr));
}

TEST(Color, PaletteTables) {
    ASSERT_EQ(C::ansi16Colors().size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(C::ansi16Colors()[static_cast<std::size_t>(i)], C::ansi16(i));
    EXPECT_EQ(C::cgaRGB()[3], (RGB{0xAA, 0x55, 0x00}));
    EXPECT_EQ(C::cgaRGB()[8], (RGB{0x55, 0x55, 0x55}));
    EXPECT_EQ(C::cgaRGB()[15], (RGB{0xFF, 0xFF, 0xFF}));
}

TEST(Color, EqualityAndHashDistinguishCases) {
    EXPECT_NE(C::ansi16(1), C::ansi256(1));
    EXPECT_NE(C::truecolor(0, 0, 0), C::ansi16(0));
    EXPECT_EQ(C::truecolor(1, 2, 3), C::truecolor(1, 2, 3));
    EXPECT_NE(C::truecolor(1, 2, 3), C::truecolor(1, 2, 4));
    std::unordered_set<C> set{C::ansi16(1), C::ansi256(1), C::truecolor(1, 0, 0), C::ansi16(1)};
    EXPECT_EQ(set.size(), 3u);
}

}  // namespace color_test
}  // namespace glyphloom
