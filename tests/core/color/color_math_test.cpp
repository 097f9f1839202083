#include "core/color/color_math.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <deque>
#include <random>

#include "core/model/print_values.hpp"

namespace glyphloom {
namespace color_math_test {

using C = ANSIColorValue;

C tc(int r, int g, int b) {
    return C::truecolor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

// Hands out prepared offsets and records the ranges it was asked for, so jitter tests can
// check both what the noise was and how it was drawn.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> values) : values_(std::move(values)) {}
    int uniformInt(int lo, int hi) override {
        ranges.emplace_back(lo, hi);
        if (values_.empty()) {
            ADD_FAILURE() << "more random numbers drawn than scripted";
            return lo;
        }
        const int v = values_.front();
        values_.pop_front();
        EXPECT_GE(v, lo);
        EXPECT_LE(v, hi);
        return v;
    }
    double uniformDouble() override {
        ADD_FAILURE() << "jitter draws integers only";
        return 0.0;
    }
    std::vector<std::pair<int, int>> ranges;

private:
    std::deque<int> values_;
};

TEST(Palette, BoundariesOfEverySection) {
    struct Case {
        int index;
        RGB rgb;
    };
    const Case cases[] = {
        {INT_MIN, {0, 0, 0}},       {-1, {0, 0, 0}},          {0, {0, 0, 0}},          {3, {170, 85, 0}},
        {8, {85, 85, 85}},          {15, {255, 255, 255}},    {16, {0, 0, 0}},         {17, {0, 0, 95}},
        {18, {0, 0, 135}},          {21, {0, 0, 255}},        {22, {0, 95, 0}},        {51, {0, 255, 255}},
        {52, {95, 0, 0}},           {59, {95, 95, 95}},       {196, {255, 0, 0}},      {231, {255, 255, 255}},
        {232, {8, 8, 8}},           {233, {18, 18, 18}},      {255, {238, 238, 238}},  {256, {238, 238, 238}},
        {300, {238, 238, 238}},     {INT_MAX, {238, 238, 238}},
    };
    for (const Case& c : cases) EXPECT_EQ(rgb256(c.index), c.rgb) << c.index;

    // The classic table outside its range is black rather than clamped.
    EXPECT_EQ(rgb16(-1), (RGB{0, 0, 0}));
    EXPECT_EQ(rgb16(16), (RGB{0, 0, 0}));
    EXPECT_EQ(rgb16(12), (RGB{85, 85, 255}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(rgb256(i), rgb16(i)) << i;
}

TEST(NearestSearch, ExactAndTieBreakingCases) {
    struct Case {
        const char* what;
        C (*search)(int, int, int);
        int r, g, b;
        C expected;
    };
    const Case cases[] = {
        {"white is the classic entry", nearestANSI256, 255, 255, 255, C::ansi16(15)},
        {"black is the classic entry", nearestANSI256, 0, 0, 0, C::ansi16(0)},
        {"cube red", nearestANSI256, 255, 0, 0, C::ansi256(196)},
        {"grey ramp", nearestANSI256, 238, 238, 238, C::ansi256(255)},
        {"mid grey picks 7 over 8", nearestANSI16, 128, 128, 128, C::ansi16(7)},
        {"16: tie 0/1 goes low", nearestANSI16, 85, 0, 0, C::ansi16(0)},
        {"cube vs cube tie", nearestANSI256, 195, 110, 216, C::ansi256(134)},
        {"grey vs grey tie", nearestANSI256, 42, 39, 78, C::ansi256(236)},
        {"classic vs cube tie", nearestANSI256, 240, 73, 107, C::ansi16(9)},
        {"classic vs grey tie", nearestANSI256, 192, 158, 157, C::ansi16(7)},
        {"cube vs grey tie", nearestANSI256, 75, 29, 78, C::ansi256(53)},
        {"chromatic: level tie goes to the lower level", nearestChromatic256, 115, 0, 0, C::ansi256(52)},
        {"chromatic never returns a classic entry", nearestChromatic256, 255, 255, 255, C::ansi256(231)},
        {"chromatic never returns a grey", nearestChromatic256, 128, 128, 128, C::ansi256(102)},
        {"chromatic black", nearestChromatic256, 0, 0, 0, C::ansi256(16)},
        {"out-of-range channels are clamped", nearestANSI256, -40, 300, 1000, nearestANSI256(0, 255, 255)},
        {"clamped in the 16-colour search too", nearestANSI16, 999, -1, -1, C::ansi16(1)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.search(c.r, c.g, c.b), c.expected) << c.what;
}

TEST(NearestSearch, EveryPaletteEntryFindsItsFirstTwin) {
    // An exact palette colour maps to the lowest index holding that RGB: 16 → 0, 231 → 15.
    const auto& palette = palette256();
    for (int i = 0; i < 256; ++i) {
        int first = 0;
        while (!(palette[first] == palette[i])) ++first;
        const RGB c = palette[i];
        const C expected = first < 16 ? C::ansi16(first) : C::ansi256(first);
        EXPECT_EQ(nearestANSI256(c.r, c.g, c.b), expected) << i;
    }
}

// The section-wise search must agree with the full scan everywhere. A whole-cube sweep lives
// in the benchmark; here: every channel value on a lattice that includes each level tie point
// (115, 155, 195, 235) and its neighbours, plus a large random sample.
TEST(NearestSearch, FastSearchMatchesLinearScan) {
    std::vector<int> values;
    for (int v = 0; v < 256; v += 9) values.push_back(v);
    for (int tie : {47, 48, 114, 115, 116, 154, 155, 156, 194, 195, 196, 234, 235, 236, 255}) values.push_back(tie);
    for (int r : values)
        for (int g : values)
            for (int b : values) {
                ASSERT_EQ(nearestANSI256(r, g, b), nearestANSI256Scan(r, g, b)) << r << "," << g << "," << b;
            }

    std::mt19937 engine(20261207);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 200000; ++i) {
        const int r = channel(engine), g = channel(engine), b = channel(engine);
        ASSERT_EQ(nearestANSI256(r, g, b), nearestANSI256Scan(r, g, b)) << r << "," << g << "," << b;
    }
}

TEST(NearestSearch, StrictlyShiftedAlwaysMovesOrKeeps) {
    struct Case {
        const char* what;
        int r, g, b, original;
        bool lighten;
        C expected;
    };
    const Case cases[] = {
        {"nothing is brighter than white", 255, 255, 255, 231, true, C::ansi256(231)},
        {"nothing is darker than black", 0, 0, 0, 16, false, C::ansi256(16)},
        {"lightest grey may jump to white (as ansi256)", 255, 255, 255, 255, true, C::ansi256(15)},
        {"target equal to original still moves up", 95, 0, 0, 52, true, C::ansi256(88)},
        {"target equal to original still moves down", 95, 0, 0, 52, false, C::ansi256(234)},
        {"tie between 15 and 231 goes to 15", 245, 179, 17, 195, true, C::ansi256(15)},
        {"tie between 0 and 16 goes to 0", 152, 49, 118, 232, false, C::ansi256(0)},
        {"cube tie goes low", 96, 21, 21, 244, true, C::ansi256(132)},
    };
    for (const Case& c : cases) {
        const C got = nearestANSI256StrictlyShifted(c.r, c.g, c.b, c.original, c.lighten);
        EXPECT_EQ(got, c.expected) << c.what;
        if (got != C::ansi256(c.original)) {
            const RGB was = rgb256(c.original), now = rgb256(got.n);
            const int before = was.r + was.g + was.b, after = now.r + now.g + now.b;
            EXPECT_TRUE(c.lighten ? after > before : after < before) << c.what;
        }
    }
}

TEST(Hsv, EachSectorAndGrey) {
    struct Case {
        double h, s, v;
        RGBUnit expected;
    };
    const Case cases[] = {
        {0.3, 0.0, 0.4, {0.4, 0.4, 0.4}},
        {0.5 / 6, 1, 1, {1, 0.5, 0}},
        {1.5 / 6, 1, 1, {0.5, 1, 0}},
        {2.5 / 6, 1, 1, {0, 1, 0.5}},
        {3.5 / 6, 1, 1, {0, 0.5, 1}},
        {4.5 / 6, 1, 1, {0.5, 0, 1}},
        {5.5 / 6, 1, 1, {1, 0, 0.5}},
        {1.0, 1, 1, {1, 0, 0}},          // a full turn is sector 0 again
        {-1.5 / 6, 1, 1, {1, 0, 1.5}},   // negative sector falls through to the last case
    };
    for (const Case& c : cases) {
        const RGBUnit got = hsvToRGB(c.h, c.s, c.v);
        EXPECT_NEAR(got.r, c.expected.r, 1e-9) << c.h;
        EXPECT_NEAR(got.g, c.expected.g, 1e-9) << c.h;
        EXPECT_NEAR(got.b, c.expected.b, 1e-9) << c.h;
    }
}

TEST(Brightness, ChannelRuleRoundsHalfAwayAndClamps) {
    struct Case {
        int channel;
        bool lighten;
        double strength;
        int expected;
    };
    const Case cases[] = {
        {0, true, 0.5, 128},   {255, false, 0.5, 128}, {1, false, 0.5, 1},   {100, true, 0.0, 100},
        {100, false, 0.0, 100}, {100, true, 1.0, 255}, {100, false, 1.0, 0}, {100, true, 2.0, 255},
        {100, false, 2.0, 0},  {200, true, 0.1, 206},  {200, false, 0.1, 180}, {255, true, 0.7, 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(adjustBrightness(static_cast<std::uint8_t>(c.channel), c.lighten, c.strength), c.expected)
            << c.channel << (c.lighten ? " lighten " : " darken ") << c.strength;
    }
    EXPECT_EQ(adjustBrightness(RGB{0, 100, 255}, true, 0.5), (RGB{128, 178, 255}));
}

TEST(Brightness, ColourStepPerKind) {
    struct Case {
        C color;
        bool lighten;
        C expected;
    };
    const Case cases[] = {
        {C::ansi16(4), true, C::ansi16(12)},      {C::ansi16(12), true, C::ansi16(12)},
        {C::ansi16(12), false, C::ansi16(4)},     {C::ansi16(4), false, C::ansi16(4)},
        {C::ansi16(40), true, C::ansi16(40)},     {C::ansi256(231), true, C::ansi256(231)},
        {C::ansi256(16), false, C::ansi256(16)},  {tc(0, 100, 255), true, tc(128, 178, 255)},
        {tc(0, 100, 255), false, tc(0, 50, 128)},
    };
    for (const Case& c : cases) EXPECT_EQ(adjustBrightness(c.color, c.lighten, 0.5), c.expected) << c.color.label();

    // A 256-colour step moves to a strictly lighter entry even when the nudge is tiny.
    const C up = adjustBrightness(C::ansi256(100), true, 0.01);
    const RGB was = rgb256(100), now = rgb256(up.n);
    EXPECT_TRUE(up.isANSI256());
    EXPECT_GT(now.r + now.g + now.b, was.r + was.g + was.b);
}

TEST(HueShift, SixteenColourRings) {
    struct Case {
        int n, steps, expected;
    };
    const Case cases[] = {
        {1, 1, 3},  {3, 1, 2},  {2, 1, 6},  {6, 1, 4},  {4, 1, 5},   {5, 1, 1},  // dark ring, wrapping
        {9, 1, 11}, {13, 1, 9}, {9, 2, 10}, {13, 0, 9}, {1, -3, 3},             // below one step is one
        {1, 6, 1},  {1, 7, 3},  {3, INT_MAX, 2},                                 // whole turns, no overflow
        {0, 1, 0},  {7, 3, 7},  {8, 1, 8},  {15, 1, 15}, {16, 1, 16}, {-1, 1, -1},  // off the rings
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shiftHue16(C::ansi16(c.n), c.steps), C::ansi16(c.expected)) << c.n << " by " << c.steps;
    }
    EXPECT_EQ(shiftHue16(C::ansi256(1), 1), C::ansi256(1));
    EXPECT_EQ(shiftHue16(tc(255, 0, 0), 1), tc(255, 0, 0));
}

TEST(HueShift, SixteenColourDegreesRoundToSteps) {
    struct Case {
        double degrees;
        int expected;  // from ansi16(1)
    };
    const Case cases[] = {{60, 3}, {120, 2}, {30, 3}, {29, 3}, {0, 3}, {-60, 3}, {360, 1}, {420, 3}, {1e300, -1}};
    for (const Case& c : cases) {
        const C got = shiftHue(C::ansi16(1), c.degrees);
        if (c.expected < 0) {
            EXPECT_TRUE(got.isANSI16()) << "huge angles stay on the ring";
        } else {
            EXPECT_EQ(got, C::ansi16(c.expected)) << c.degrees;
        }
    }
}

TEST(HueShift, TruecolorRotationBranches) {
    struct Case {
        const char* what;
        C color;
        double degrees;
        C expected;
    };
    const Case cases[] = {
        {"max red", tc(255, 0, 0), 60, tc(255, 255, 0)},
        {"max red, negative hue wraps", tc(255, 0, 0), -60, tc(255, 0, 255)},
        {"max red, green below blue", tc(255, 0, 128), 30, tc(255, 0, 0)},
        {"max green", tc(0, 255, 0), 60, tc(0, 255, 255)},
        {"max blue", tc(0, 0, 255), 60, tc(255, 0, 255)},
        {"full turn", tc(10, 200, 90), 360, tc(10, 200, 90)},
        {"grey gets the hue", tc(128, 128, 128), 120, tc(26, 128, 26)},
        {"nearly grey gets the hue too", tc(100, 100, 105), 0, tc(105, 21, 21)},
        {"near-black grey is left alone", tc(25, 25, 25), 120, tc(25, 25, 25)},
        {"first grey bright enough", tc(26, 26, 26), 0, tc(26, 5, 5)},
        {"dark but saturated still rotates", tc(20, 0, 0), 120, tc(0, 20, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(shiftHue(c.color, c.degrees), c.expected) << c.what;
}

TEST(HueShift, PaletteColoursSnapToTheCube) {
    EXPECT_EQ(shiftHue(C::ansi256(196), 120), C::ansi256(46));
    EXPECT_EQ(shiftHue(C::ansi256(1), 0), C::ansi256(124));  // classic red → cube (175,0,0)
    // A grey of the ramp is coloured and lands in the cube.
    const C grey = shiftHue(C::ansi256(244), 120);
    ASSERT_TRUE(grey.isANSI256());
    EXPECT_GE(grey.n, 16);
    EXPECT_LE(grey.n, 231);
    // Near-black entries keep their own index instead of being re-filed as cube black.
    EXPECT_EQ(shiftHue(C::ansi256(232), 60), C::ansi256(232));
    EXPECT_EQ(shiftHue(C::ansi256(0), 60), C::ansi256(0));
}

TEST(Jitter, NoiseIsAddedPerChannelAndClamped) {
    ScriptedRandom random({25, -25, 0});
    EXPECT_EQ(jitterColor(tc(100, 100, 100), 0.1, random), tc(125, 75, 100));
    ASSERT_EQ(random.ranges.size(), 3u);
    for (const auto& range : random.ranges) EXPECT_EQ(range, std::make_pair(-25, 25));

    ScriptedRandom clamping({25, -25, 7});
    EXPECT_EQ(jitterColor(tc(250, 5, 0), 0.1, clamping), tc(255, 0, 7));
}

TEST(Jitter, PaletteKindsMapBackToTheirOwnKind) {
    ScriptedRandom sixteen({85, 85, 85});
    EXPECT_EQ(jitterColor(C::ansi16(1), 0.5, sixteen), C::ansi16(9));  // (255,85,85)
    ScriptedRandom cube({0, 0, 50});
    EXPECT_EQ(jitterColor(C::ansi256(196), 0.5, cube), C::ansi256(197));  // (255,0,50) → (255,0,95)
    ScriptedRandom toClassic({0, 0, 0});
    EXPECT_EQ(jitterColor(C::ansi256(231), 0.5, toClassic), C::ansi16(15));
}

TEST(Jitter, LessThanOneStepReturnsTheInputUntouched) {
    const C inputs[] = {C::ansi256(16), C::ansi256(231), C::ansi256(3), C::ansi16(99), tc(1, 2, 3)};
    for (const C& input : inputs) {
        for (double variance : {0.0, 0.003, -1.0, std::nan("")}) {
            ScriptedRandom none({});
            EXPECT_EQ(jitterColor(input, variance, none), input) << input.label() << " " << variance;
            EXPECT_TRUE(none.ranges.empty());
        }
    }
}

TEST(Jitter, SeededSourceStaysWithinTheAmountAndReachesBothEnds) {
    EngineRandomSource random(42);
    int lowest = 0, highest = 0;
    for (int i = 0; i < 2000; ++i) {
        const C out = jitterColor(tc(128, 128, 128), 4.0 / 255.0, random);
        for (int channel : {out.r, out.g, out.b}) {
            lowest = std::min(lowest, channel - 128);
            highest = std::max(highest, channel - 128);
        }
    }
    EXPECT_EQ(lowest, -4);
    EXPECT_EQ(highest, 4);
    // A huge variance saturates instead of overflowing.
    const C wild = jitterColor(tc(128, 128, 128), 1e12, random);
    EXPECT_TRUE(wild.isTruecolor());
}

}  // namespace color_math_test
}  // namespace glyphloom
