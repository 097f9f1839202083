#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/draw/effects.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace draw_effects_test {

using C = ANSIColorValue;

ANSICell cellOf(const char* ch, C fg, C bg, bool blink = false) {
    ANSICell cell;
    cell.character = ch;
    cell.foreground = fg;
    cell.background = bg;
    cell.blink = blink;
    return cell;
}

TEST(Spray, ThrowsStayInsideTheTerminalCircleAndTheDocument) {
    EngineRandomSource random(7);
    int kept = 0;
    for (int sample = 0; sample < 200; ++sample) {
        const auto dots = sprayTargets({10, 10}, 4, 20, 50, 80, random);
        kept += static_cast<int>(dots.size());
        for (const GridKey dot : dots) {
            const int dr = dot.row - 10, dc = dot.col - 10;
            EXPECT_LE(std::abs(dr), 2);
            EXPECT_LE(dc * dc + 4 * dr * dr, 16);
        }
    }
    // Misses are dropped, not retried: fewer dots than throws, but most land.
    EXPECT_LT(kept, 200 * 20);
    EXPECT_GT(kept, 200 * 20 / 2);
}

TEST(Spray, RadiusZeroDensityZeroAndEdges) {
    EngineRandomSource random(1);
    const auto centre = sprayTargets({3, 4}, 0, 5, 10, 10, random);
    EXPECT_EQ(centre, (std::vector<GridKey>(5, GridKey{3, 4})));
    EXPECT_TRUE(sprayTargets({3, 4}, 6, 0, 10, 10, random).empty());
    for (int i = 0; i < 50; ++i)
        for (const GridKey dot : sprayTargets({0, 0}, 6, 10, 3, 3, random)) {
            EXPECT_GE(dot.row, 0);
            EXPECT_GE(dot.col, 0);
            EXPECT_LT(dot.row, 3);
            EXPECT_LT(dot.col, 3);
        }
}

TEST(Smudge, SourcesTrailTheMovementAndClampAtTheEdges) {
    const std::vector<GridKey> footprint{{0, 0}, {0, 5}, {4, 9}, {9, 9}, {-1, 3}};
    const auto pairs = smudgeSources(footprint, 1, 2, 5, 10);
    const std::vector<std::pair<GridKey, GridKey>> expected{
        {{0, 0}, {0, 0}},  // clamped to the first row and column
        {{0, 5}, {0, 3}},
        {{4, 9}, {3, 7}},
    };
    EXPECT_EQ(pairs, expected);
}

TEST(CellEffects, ChangeOnlyTheChosenChannelsAndKeepCharacterAndBlink) {
    const ANSICell cell = cellOf("@", C::ansi16(4), C::ansi16(1), true);
    struct Case {
        EffectChannels channels;
        ANSICell dodged;
        ANSICell rotated;
    };
    const Case cases[] = {
        {{true, false}, cellOf("@", C::ansi16(12), C::ansi16(1), true), cellOf("@", C::ansi16(5), C::ansi16(1), true)},
        {{false, true}, cellOf("@", C::ansi16(4), C::ansi16(9), true), cellOf("@", C::ansi16(4), C::ansi16(3), true)},
        {{true, true}, cellOf("@", C::ansi16(12), C::ansi16(9), true), cellOf("@", C::ansi16(5), C::ansi16(3), true)},
        {{false, false}, cell, cell},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dodgeBurnCell(cell, true, 0.2, c.channels), c.dodged);
        EXPECT_EQ(prismCell(cell, 60, c.channels), c.rotated);
    }
}

TEST(CellEffects, ScatterWithoutVarianceChangesNothing) {
    EngineRandomSource random(5);
    // 256-colour entries that are not their own nearest match would drift if noise of zero
    // were still mapped back through the palette search.
    for (const C colour : {C::ansi256(16), C::ansi256(59), C::ansi256(231), C::ansi16(3), C::truecolor(1, 2, 3)}) {
        const ANSICell cell = cellOf("x", colour, colour);
        EXPECT_EQ(scatterCell(cell, 0.0, {true, true}, random), cell);
        EXPECT_EQ(scatterCell(cell, 0.003, {true, true}, random), cell);  // below one step
    }
    // With noise, truecolor stays truecolor and moves.
    const ANSICell grey = cellOf("x", C::truecolor(128, 128, 128), C::ansi16(0));
    bool moved = false;
    for (int i = 0; i < 10; ++i) {
        const ANSICell out = scatterCell(grey, 0.25, {true, false}, random);
        EXPECT_TRUE(out.foreground.isTruecolor());
        EXPECT_EQ(out.background, C::ansi16(0));
        moved = moved || out.foreground != grey.foreground;
    }
    EXPECT_TRUE(moved);
}

}  // namespace draw_effects_test
}  // namespace glyphloom
