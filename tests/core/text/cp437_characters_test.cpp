#include "core/text/cp437_characters.hpp"

#include <gtest/gtest.h>

#include "core/text/charsets.hpp"
#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

TEST(Cp437Characters, GroupNamesAndSizesInPickerOrder) {
    struct Expected {
        const char* name;
        std::size_t size;
        const char* first;
        const char* last;
    };
    const Expected expected[] = {
        {"Blocks", 16, "█", "▟"},           {"ASCII Art", 24, "/", "?"},
        {"Box (Single)", 19, "─", "╏"},     {"Box (Double)", 29, "═", "╫"},
        {"Shade / Geo", 14, "■", "◙"},      {"Symbols", 28, "♠", "⌂"},
        {"Math", 22, "±", "∑"},             {"Greek", 24, "α", "ψ"},
        {"Extended Latin", 40, "ç", "ƒ"},   {"A \u2013 Z", 26, "A", "Z"},
        {"a \u2013 z", 26, "a", "z"},       {"0 \u2013 9", 10, "0", "9"},
        {"Punctuation", 32, "!", "~"},
    };
    const auto& groups = CP437Characters::groups();
    ASSERT_EQ(groups.size(), std::size(expected));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].name, expected[i].name);
        ASSERT_EQ(groups[i].chars.size(), expected[i].size) << expected[i].name;
        EXPECT_EQ(groups[i].chars.front(), expected[i].first) << expected[i].name;
        EXPECT_EQ(groups[i].chars.back(), expected[i].last) << expected[i].name;
    }
    // The punctuation group is exactly the printable ASCII marks, in code order.
    std::string punctuation;
    for (const auto& c : groups.back().chars) punctuation += c;
    EXPECT_EQ(punctuation, "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
}

TEST(Cp437Characters, EveryCatalogueCharacterReachesAnAnsFile) {
    // Each entry is one scalar with its own byte or a look-alike; none may fall back to "?".
    for (const auto& group : CP437Characters::groups()) {
        for (const std::string& ch : group.chars) {
            const std::u32string scalars = utf8::decode(ch);
            ASSERT_EQ(scalars.size(), 1u) << group.name << " " << ch;
            const char32_t s = scalars[0];
            EXPECT_TRUE(CP437::byteForScalar(s) || CP437::substitute(s)) << group.name << " " << ch;
        }
    }
}

TEST(Cp437Characters, AllCharactersConcatenatesGroupsKeepingDuplicates) {
    std::vector<std::string> expected;
    for (const auto& group : CP437Characters::groups()) {
        expected.insert(expected.end(), group.chars.begin(), group.chars.end());
    }
    EXPECT_EQ(CP437Characters::allCharacters(), expected);
    EXPECT_EQ(expected.size(), 310u);
}

TEST(Cp437Characters, ShortLabels) {
    const std::pair<const char*, const char*> cases[] = {
        {"Box (Single)", "Box 1"}, {"Box (Double)", "Box 2"},  {"Shade / Geo", "Shade"},
        {"Extended Latin", "Latin"}, {"Punctuation", "Punct"}, {"Math", "Math"},
        {"A \u2013 Z", "A \u2013 Z"}, {"", ""},                 {"box (single)", "box (single)"},
    };
    for (const auto& [name, label] : cases) EXPECT_EQ(CP437Characters::shortLabel(name), label) << name;
}

TEST(Charsets, NamesSizesAndRanges) {
    struct Expected {
        const char* name;
        std::size_t size;
        char32_t first;
    };
    const Expected expected[] = {
        {"Latin-1", 96, 0x00A0},        {"Latin Ext-A", 128, 0x0100},   {"Latin Ext-B", 208, 0x0180},
        {"Greek", 144, 0x0370},         {"Cyrillic", 256, 0x0400},      {"Punctuation", 112, 0x2000},
        {"Super/Subscript", 48, 0x2070}, {"Currency", 48, 0x20A0},      {"Letterlike", 80, 0x2100},
        {"Number Forms", 64, 0x2150},   {"Arrows", 112, 0x2190},        {"Math", 256, 0x2200},
        {"Misc Technical", 256, 0x2300}, {"Enclosed Alnum", 160, 0x2460}, {"Box Drawing", 128, 0x2500},
        {"Block Elements", 32, 0x2580}, {"Geometric", 96, 0x25A0},      {"Misc Symbols", 256, 0x2600},
        {"Dingbats", 192, 0x2700},      {"Braille", 256, 0x2800},       {"Arrows-B", 128, 0x2900},
        {"Math Suppl", 256, 0x2A00},    {"Sextants", 60, 0x1FB00},      {"Hiragana", 96, 0x3040},
        {"Katakana", 96, 0x30A0},
    };
    const auto& sets = Charsets::sets();
    ASSERT_EQ(sets.size(), 26u);
    EXPECT_EQ(sets[0].name, "CP437");
    EXPECT_EQ(sets[0].chars, CP437Characters::allCharacters());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const CharacterGroup& set = sets[i + 1];
        EXPECT_EQ(set.name, expected[i].name);
        ASSERT_EQ(set.chars.size(), expected[i].size) << expected[i].name;
        // Consecutive single scalars from the first of the range.
        for (std::size_t k = 0; k < set.chars.size(); ++k) {
            ASSERT_EQ(set.chars[k], utf8::encode(expected[i].first + static_cast<char32_t>(k)))
                << expected[i].name << " entry " << k;
        }
    }
}

}  // namespace
}  // namespace glyphloom
