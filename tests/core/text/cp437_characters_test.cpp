#include "core/text/cp437_characters.hpp"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(Charsets, NamesAndRanges) {
    struct Expected {
        const char* name;
        char32_t first, last;
    };
    const Expected expected[] = {
        {"Latin-1", 0x00A0, 0x00FF},         {"Latin Ext-A", 0x0100, 0x017F},    {"Latin Ext-B", 0x0180, 0x024F},
        {"Greek", 0x0370, 0x03FF},           {"Cyrillic", 0x0400, 0x04FF},       {"Punctuation", 0x2000, 0x206F},
        {"Super/Subscript", 0x2070, 0x209F}, {"Currency", 0x20A0, 0x20CF},       {"Letterlike", 0x2100, 0x214F},
        {"Number Forms", 0x2150, 0x218F},    {"Arrows", 0x2190, 0x21FF},         {"Math", 0x2200, 0x22FF},
        {"Misc Technical", 0x2300, 0x23FF},  {"Enclosed Alnum", 0x2460, 0x24FF}, {"Box Drawing", 0x2500, 0x257F},
        {"Block Elements", 0x2580, 0x259F},  {"Geometric", 0x25A0, 0x25FF},      {"Misc Symbols", 0x2600, 0x26FF},
        {"Dingbats", 0x2700, 0x27BF},        {"Braille", 0x2800, 0x28FF},        {"Arrows-B", 0x2900, 0x297F},
        {"Math Suppl", 0x2A00, 0x2AFF},      {"Sextants", 0x1FB00, 0x1FB3B},     {"Hiragana", 0x3040, 0x309F},
        {"Katakana", 0x30A0, 0x30FF},
    };
    const auto& sets = Charsets::sets();
    ASSERT_EQ(sets.size(), 26u);
    EXPECT_EQ(sets[0].name, "CP437");
    EXPECT_EQ(sets[0].chars, CP437Characters::allCharacters());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const CharacterGroup& set = sets[i + 1];
        EXPECT_EQ(set.name, expected[i].name);
        ASSERT_FALSE(set.chars.empty()) << expected[i].name;
        // Single scalars of the range, rising.
        char32_t previous = 0;
        for (const std::string& glyph : set.chars) {
            const std::u32string scalars = utf8::decode(glyph);
            ASSERT_EQ(scalars.size(), 1u) << expected[i].name;
            EXPECT_GE(scalars[0], expected[i].first) << expected[i].name;
            EXPECT_LE(scalars[0], expected[i].last) << expected[i].name;
            EXPECT_GT(scalars[0], previous) << expected[i].name;
            previous = scalars[0];
        }
    }
}

// What cannot show as a glyph of its own would garble the picker and every row that shows the
// pen character, so the sets leave it out.
TEST(Charsets, OfferOnlyGlyphsThatStandAlone) {
    struct Case {
        const char* set;
        char32_t scalar;
        bool offered;
    };
    const Case cases[] = {
        {"Hiragana", 0x3040, false},     // unassigned
        {"Hiragana", 0x3041, true},      // small a, two columns
        {"Hiragana", 0x3099, false},     // combining voicing mark
        {"Greek", 0x0378, false},        // unassigned
        {"Greek", 0x0391, true},
        {"Latin-1", 0x00AD, false},      // soft hyphen, a format character
        {"Latin-1", 0x00E9, true},
        {"Punctuation", 0x200B, false},  // zero-width space
        {"Punctuation", 0x2028, false},  // line separator
        {"Punctuation", 0x202E, false},  // right-to-left override
        {"Punctuation", 0x2014, true},   // em dash
        {"Katakana", 0x30A0, true},
        {"Sextants", 0x1FB3B, true},
    };
    const auto& sets = Charsets::sets();
    for (const Case& c : cases) {
        const auto set = std::find_if(sets.begin(), sets.end(), [&](const auto& s) { return s.name == c.set; });
        ASSERT_NE(set, sets.end()) << c.set;
        const bool offered =
            std::find(set->chars.begin(), set->chars.end(), utf8::encode(c.scalar)) != set->chars.end();
        EXPECT_EQ(offered, c.offered) << c.set << " U+" << std::hex << static_cast<std::uint32_t>(c.scalar);
    }
}

}  // namespace
}  // namespace glyphloom
