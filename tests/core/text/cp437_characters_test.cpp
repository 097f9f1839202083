#include "core/text/cp437_characters.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/text/charsets.hpp"
#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace cp437_characters_test {

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

// What the picker relies on, not the block table itself: CP437 first, named sets of single
// code points in rising order that no other set repeats, and the glyphs an artist looks for
// in the set named for them.
TEST(Charsets, NamedSetsOfDistinctRisingGlyphs) {
    const auto& sets = Charsets::sets();
    ASSERT_GT(sets.size(), 1u);
    EXPECT_EQ(sets[0].name, "CP437");
    EXPECT_EQ(sets[0].chars, CP437Characters::allCharacters());
    std::set<std::string> names, seen;
    for (std::size_t i = 1; i < sets.size(); ++i) {
        const CharacterGroup& set = sets[i];
        EXPECT_TRUE(names.insert(set.name).second) << "two sets named " << set.name;
        ASSERT_FALSE(set.chars.empty()) << set.name;
        char32_t previous = 0;
        for (const std::string& glyph : set.chars) {
            const std::u32string scalars = utf8::decode(glyph);
            ASSERT_EQ(scalars.size(), 1u) << set.name;
            EXPECT_GT(scalars[0], previous) << set.name;
            previous = scalars[0];
            EXPECT_TRUE(seen.insert(glyph).second) << glyph << " offered twice, again in " << set.name;
        }
    }
    const auto holds = [&](const std::string& name, const std::string& glyph) {
        for (const CharacterGroup& set : sets)
            if (set.name == name) return std::find(set.chars.begin(), set.chars.end(), glyph) != set.chars.end();
        return false;
    };
    EXPECT_TRUE(holds("Box Drawing", "╬"));
    EXPECT_TRUE(holds("Block Elements", "▓"));
    EXPECT_TRUE(holds("Greek", "λ"));
    EXPECT_TRUE(holds("Braille", "⣿"));
    EXPECT_TRUE(holds("Hiragana", "あ"));
    EXPECT_FALSE(holds("Hiragana", "\u3040")) << "unassigned";
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

}  // namespace cp437_characters_test
}  // namespace glyphloom
