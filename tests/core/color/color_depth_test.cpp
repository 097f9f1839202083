#include "core/color/color_depth.hpp"

#include <gtest/gtest.h>

#include "core/model/print_values.hpp"

namespace glyphloom {
namespace color_depth_test {

using C = ANSIColorValue;

C tc(int r, int g, int b) {
    return C::truecolor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

ANSICell cell(C fg, C bg, bool blink = false, const char* ch = "A") { return {CellChar(ch), fg, bg, blink}; }

TEST(ColorDepth, RawValuesLabelsAndUnknownStrings) {
    const char* raws[] = {"mono", "c16", "c256", "truecolor"};
    const char* labels[] = {"1", "16", "256", "16M"};
    for (std::size_t i = 0; i < allColorDepths.size(); ++i) {
        EXPECT_EQ(rawValue(allColorDepths[i]), raws[i]);
        EXPECT_EQ(label(allColorDepths[i]), labels[i]);
        EXPECT_EQ(decodeColorDepth(raws[i]), allColorDepths[i]);
    }
    EXPECT_EQ(decodeColorDepth("c24"), ColorDepth::c16);
    EXPECT_EQ(decodeColorDepth("Mono"), ColorDepth::c16);
    EXPECT_EQ(decodeColorDepth(""), ColorDepth::c16);
    EXPECT_FALSE(colorDepthFromRawValue("c16 ").has_value());
}

TEST(MonoTint, RawValuesLabelsAndUnknownStrings) {
    const char* raws[] = {"white", "green", "amber", "inverse"};
    const char* labels[] = {"White", "Green", "Amber", "Inverse"};
    for (std::size_t i = 0; i < allMonoTints.size(); ++i) {
        EXPECT_EQ(rawValue(allMonoTints[i]), raws[i]);
        EXPECT_EQ(label(allMonoTints[i]), labels[i]);
        EXPECT_EQ(decodeMonoTint(raws[i]), allMonoTints[i]);
    }
    EXPECT_EQ(decodeMonoTint("purple"), MonoTint::white);
    EXPECT_EQ(backgroundModeRawValue(true), "blinkingText");
    EXPECT_EQ(backgroundModeRawValue(false), "brightBackgrounds");
    EXPECT_EQ(blinkingTextFromRawValue("blinkingText"), true);
    EXPECT_EQ(blinkingTextFromRawValue("brightBackgrounds"), false);
    EXPECT_FALSE(blinkingTextFromRawValue("ice").has_value());
}

TEST(MonoTint, DisplayColoursOfEveryTintAndTone) {
    struct Case {
        MonoTint tint;
        C dark, normal, intense;
    };
    const Case cases[] = {
        {MonoTint::white, tc(10, 10, 10), tc(134, 135, 131), tc(235, 237, 230)},
        {MonoTint::green, tc(10, 10, 10), tc(45, 145, 63), tc(74, 255, 107)},
        {MonoTint::amber, tc(10, 10, 10), tc(145, 104, 35), tc(255, 181, 56)},
        {MonoTint::inverse, tc(237, 237, 232), tc(115, 115, 113), tc(15, 15, 15)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(displayColor(c.tint, C::ansi16(0)), c.dark) << label(c.tint);
        EXPECT_EQ(displayColor(c.tint, C::ansi16(7)), c.normal) << label(c.tint);
        EXPECT_EQ(displayColor(c.tint, C::ansi16(15)), c.intense) << label(c.tint);
        // Any colour is drawn by its tone, whatever its kind.
        EXPECT_EQ(displayColor(c.tint, tc(128, 128, 128)), c.normal) << label(c.tint);
        EXPECT_EQ(displayColor(c.tint, C::ansi256(231)), c.intense) << label(c.tint);
    }
}

TEST(Tone, LuminanceThresholds) {
    struct Case {
        C color;
        int tone;
    };
    const Case cases[] = {
        {tc(128, 128, 128), 7},  {tc(200, 200, 200), 15}, {C::ansi16(8), 7},     {C::ansi16(1), 0},
        {tc(255, 0, 0), 0},      {tc(0, 255, 0), 7},      {tc(84, 84, 84), 0},   {tc(85, 85, 85), 7},
        {tc(191, 191, 191), 7},  {tc(192, 192, 192), 15}, {C::ansi16(7), 7},     {C::ansi16(15), 15},
        {C::ansi16(16), 0},      {C::ansi256(232), 0},    {C::ansi256(255), 15}, {C::ansi16(3), 7},
        // Luminance exactly 84.15 and exactly 191.25: the upper tone, whatever the rounding
        // of a floating-point sum would say.
        {tc(4, 109, 74), 7},     {tc(4, 109, 73), 0},     {tc(4, 243, 230), 15}, {tc(4, 243, 229), 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clampMono(c.color), c.tone) << c.color.label();
    }
}

TEST(Nearest16, KeepsClassicIndicesAndSearchesTheRest) {
    EXPECT_EQ(nearest16(C::ansi16(12)), 12);
    EXPECT_EQ(nearest16(C::ansi16(40)), 15);
    EXPECT_EQ(nearest16(C::ansi16(-3)), 0);
    EXPECT_EQ(nearest16(C::ansi256(9)), 9);
    EXPECT_EQ(nearest16(C::ansi256(196)), 1);  // (255,0,0): 7225 to dark red, 14450 to bright
    EXPECT_EQ(nearest16(tc(128, 128, 128)), 7);
    EXPECT_EQ(nearest16(tc(85, 0, 0)), 0);     // tie with 1 goes low
}

TEST(ClampToDepth, EachDepth) {
    EXPECT_EQ(clampToDepth(tc(128, 128, 128), ColorDepth::mono), C::ansi16(7));
    EXPECT_EQ(clampToDepth(C::ansi16(4), ColorDepth::mono), C::ansi16(0));
    EXPECT_EQ(clampToDepth(tc(250, 90, 80), ColorDepth::c16), C::ansi16(9));
    EXPECT_EQ(clampToDepth(C::ansi256(46), ColorDepth::c16), C::ansi16(2));
    EXPECT_EQ(clampToDepth(tc(1, 2, 3), ColorDepth::c256), tc(1, 2, 3));
    EXPECT_EQ(clampToDepth(C::ansi256(46), ColorDepth::truecolor), C::ansi256(46));
}

// Every depth in both background modes, on one cell that breaks every rule it can.
TEST(ConformCell, EveryDepthInBothModes) {
    const ANSICell input = cell(tc(255, 0, 0), C::ansi16(12), true, "é");
    struct Case {
        ColorDepth depth;
        bool blinkingText;
        ANSICell expected;
    };
    const Case cases[] = {
        {ColorDepth::mono, true, cell(C::ansi16(0), C::ansi16(7), true, "é")},  // bg L≈97: normal
        {ColorDepth::mono, false, cell(C::ansi16(0), C::ansi16(7), false, "é")},
        {ColorDepth::c16, true, cell(C::ansi16(1), C::ansi16(4), true, "é")},
        {ColorDepth::c16, false, cell(C::ansi16(1), C::ansi16(12), false, "é")},
        {ColorDepth::c256, true, cell(tc(255, 0, 0), C::ansi16(4), true, "é")},
        {ColorDepth::c256, false, cell(tc(255, 0, 0), C::ansi16(12), false, "é")},
        {ColorDepth::truecolor, true, cell(tc(255, 0, 0), C::ansi16(4), true, "é")},
        {ColorDepth::truecolor, false, cell(tc(255, 0, 0), C::ansi16(12), false, "é")},
    };
    for (const Case& c : cases) {
        const ANSICell out = conformCell(input, c.depth, c.blinkingText);
        EXPECT_EQ(out.character, c.expected.character);
        EXPECT_EQ(out.foreground, c.expected.foreground) << label(c.depth) << " blinking " << c.blinkingText;
        EXPECT_EQ(out.background, c.expected.background) << label(c.depth) << " blinking " << c.blinkingText;
        EXPECT_EQ(out.blink, c.expected.blink) << label(c.depth) << " blinking " << c.blinkingText;
        // Conforming is idempotent.
        EXPECT_EQ(conformCell(out, c.depth, c.blinkingText), out) << label(c.depth);
    }
}

TEST(ConformCell, BlinkingModeDimsOnlyClassicBrightBackgrounds) {
    // A white mono background is intense, then dimmed to normal by the blink mode.
    EXPECT_EQ(conformCell(cell(C::ansi16(7), tc(255, 255, 255)), ColorDepth::mono, true).background, C::ansi16(7));
    // 256-colour and 24-bit backgrounds are not classic colours and are left alone.
    EXPECT_EQ(conformCell(cell(C::ansi16(7), C::ansi256(12)), ColorDepth::c256, true).background, C::ansi256(12));
    EXPECT_EQ(conformCell(cell(C::ansi16(7), C::ansi16(7)), ColorDepth::c16, true).background, C::ansi16(7));
    EXPECT_EQ(conformCell(cell(C::ansi16(7), C::ansi16(15)), ColorDepth::c256, true).background, C::ansi16(7));
    // The painting rule is the same one.
    EXPECT_EQ(backgroundForMode(C::ansi16(9), true), C::ansi16(1));
    EXPECT_EQ(backgroundForMode(C::ansi16(9), false), C::ansi16(9));
    EXPECT_EQ(backgroundForMode(C::ansi16(3), true), C::ansi16(3));
    EXPECT_EQ(backgroundForMode(C::ansi16(16), true), C::ansi16(16));
    // Foregrounds keep their brightness in both modes.
    EXPECT_EQ(conformCell(cell(C::ansi16(14), C::ansi16(0)), ColorDepth::c16, true).foreground, C::ansi16(14));
}

TEST(OutOfSpecCount, CountsChangedCellsAcrossLayersAndReachesZeroAfterConforming) {
    CellGrid top(2, 3);
    top.set(0, 0, cell(C::ansi16(2), C::ansi16(12), true));  // bright bg + blink
    top.set(1, 2, cell(tc(10, 200, 10), C::ansi16(0)));      // 24-bit fg
    CellGrid bottom(std::vector<CellGrid::Row>{{cell(C::ansi256(46), C::ansi16(0))}, {}});
    std::vector<Layer> layers = {Layer("top", top), Layer("bottom", bottom)};

    struct Case {
        ColorDepth depth;
        bool blinkingText;
        int count;
    };
    const Case cases[] = {
        {ColorDepth::c16, true, 3},          {ColorDepth::c16, false, 3},
        {ColorDepth::c256, true, 1},         {ColorDepth::c256, false, 1},
        {ColorDepth::truecolor, false, 1},   {ColorDepth::mono, false, 3},  // blank cells (15 on 0) are already tones
    };
    for (const Case& c : cases) {
        EXPECT_EQ(outOfSpecCount(layers, c.depth, c.blinkingText), c.count) << label(c.depth) << c.blinkingText;
        std::vector<Layer> conformed = layers;
        for (Layer& layer : conformed) {
            for (int r = 0; r < layer.cells.rowCount(); ++r) {
                for (ANSICell& x : layer.cells.mutableRow(r)) x = conformCell(x, c.depth, c.blinkingText);
            }
        }
        EXPECT_EQ(outOfSpecCount(conformed, c.depth, c.blinkingText), 0) << label(c.depth);
    }
    EXPECT_EQ(outOfSpecCount({}, ColorDepth::mono, false), 0);
}

}  // namespace color_depth_test
}  // namespace glyphloom
