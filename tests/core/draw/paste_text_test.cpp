#include "core/draw/paste_text.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace paste_text_test {

struct WalkCase {
    const char* name;
    std::string text;
    TextRegion region;
    std::vector<PlacedCharacter> expected;
};

TEST(PasteTextPlacements, WalksLinesTabsAndGaps) {
    const TextRegion wide{0, 0, 9, 9};
    const std::vector<WalkCase> cases{
        {"crlf", "AB\r\nC", wide, {{{0, 0}, "A"}, {{0, 1}, "B"}, {{1, 0}, "C"}}},
        {"lf and lone cr", "A\nB\rC", wide, {{{0, 0}, "A"}, {{1, 0}, "B"}, {{2, 0}, "C"}}},
        {"blank line", "A\n\nB", wide, {{{0, 0}, "A"}, {{2, 0}, "B"}}},
        {"tab skips two", "A\tB", wide, {{{0, 0}, "A"}, {{0, 3}, "B"}}},
        {"emoji leaves a gap", "A😀B", wide, {{{0, 0}, "A"}, {{0, 2}, "B"}}},
        {"cp437 letters kept", "é░", wide, {{{0, 0}, "é"}, {{0, 1}, "░"}}},
        {"right edge drops", "ABCD\nEF", TextRegion{2, 3, 5, 4}, {{{2, 3}, "A"}, {{2, 4}, "B"}, {{3, 3}, "E"}, {{3, 4}, "F"}}},
        {"bottom ends the walk", "A\nB\nC", TextRegion{0, 0, 1, 5}, {{{0, 0}, "A"}, {{1, 0}, "B"}}},
        {"tab past the edge", "\t\tA", TextRegion{0, 0, 0, 3}, {}},
        {"empty region", "A", TextRegion{3, 3, 2, 3}, {}},
    };
    for (const WalkCase& c : cases) EXPECT_EQ(pasteTextPlacements(c.text, c.region), c.expected) << c.name;
}

TEST(PasteTextPlacements, StartsAtTheRegionsTopLeft) {
    const auto placed = pasteTextPlacements("X\nY", TextRegion{4, 7, 10, 20});
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].at, (GridKey{4, 7}));
    EXPECT_EQ(placed[1].at, (GridKey{5, 7}));
}

}  // namespace paste_text_test
}  // namespace glyphloom
