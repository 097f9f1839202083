#include "tui/actions/palette.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glyphloom {
namespace palette_test {

ANSIColorValue c256(int n) { return ANSIColorValue::ansi256(n); }

TEST(PalettePicker, GroupNotes) {
    const std::pair<int, const char*> cases[] = {
        {-3, "grays: all"}, {-2, "base 16: all"}, {-1, "cube: all"}, {0, "cube group 1"}, {5, "cube group 6"}};
    for (const auto& [group, note] : cases) {
        AppState state;
        paletteGroupTapped(group, true, state);
        EXPECT_EQ(state.statusNote.value_or(""), note);
    }
}

TEST(PalettePicker, GreyGroupTogglesInACyclePool) {
    AppState state;
    state.tools.fgCycle = true;
    state.tools.fgCyclePool = {c256(9)};
    state.cycles.fg.index = 5;
    state.cycles.fg.count = 3;
    paletteGroupTapped(-3, true, state);
    EXPECT_EQ(state.tools.fgCyclePool.size(), 25u);
    EXPECT_EQ(state.tools.fgCyclePool[1], c256(232));
    EXPECT_EQ(state.cycles.fg.index, 0);
    EXPECT_EQ(state.cycles.fg.count, 0);
    paletteGroupTapped(-3, true, state);
    EXPECT_EQ(state.tools.fgCyclePool, std::vector<ANSIColorValue>{c256(9)});
}

TEST(PalettePicker, PartlyPresentGroupAppendsOnlyTheMissing) {
    AppState state;
    state.tools.bgRandom = true;
    state.tools.bgRandomPool = {c256(240), c256(3)};
    paletteGroupTapped(-3, false, state);
    EXPECT_EQ(state.tools.bgRandomPool.size(), 25u);
    EXPECT_EQ(state.tools.bgRandomPool[0], c256(240));
    EXPECT_EQ(state.tools.bgRandomPool[2], c256(232));
    EXPECT_TRUE(state.tools.fgRandomPool.empty());
}

TEST(PalettePicker, SolidChannelIgnoresGroups) {
    AppState state;
    state.tools.fgCyclePool = {c256(1)};
    paletteGroupTapped(2, true, state);
    EXPECT_EQ(state.tools.fgCyclePool, std::vector<ANSIColorValue>{c256(1)});
    EXPECT_TRUE(state.tools.fgRandomPool.empty());
    EXPECT_EQ(state.tools.fg, ANSIColorValue::ansi16(15));
    EXPECT_EQ(state.statusNote.value_or(""), "cube group 3");
}

TEST(PalettePicker, SliderValueAtBothEndsAndBeyond) {
    struct Case {
        PaletteChannel channel;
        int column;
        int expected;
    };
    using enum PaletteChannel;
    // A 17-column bar starting at column 10: columns 10 … 26.
    const Case cases[] = {
        {tcR, 10, 0},    {tcR, 26, 255}, {tcG, 18, 127}, {tcB, 5, 0},
        {tcB, 40, 255}, {tcL, 10, -128}, {tcL, 26, 128}, {tcL, 18, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paletteSliderValue(c.channel, c.column, 10, 17), c.expected) << controlName(c.channel) << " @" << c.column;
    // A one-column bar still maps without dividing by zero.
    EXPECT_EQ(paletteSliderValue(tcR, 3, 3, 1), 0);
    EXPECT_EQ(paletteSliderValue(tcR, 4, 3, 0), 255);
}

TEST(PalettePicker, SliderSetClampsStoresAndAppliesToTheTarget) {
    AppState state;
    state.paletteTargetFg = false;
    state.tools.bgCycle = state.tools.bgRandom = state.tools.bgNull = true;
    state.tools.fgCycle = true;
    state.tcDraft = {0, 0, 0, 0};
    paletteSliderSet(PaletteChannel::tcR, 300, state);
    EXPECT_EQ(state.tcDraft.r, 255);
    paletteSliderSet(PaletteChannel::tcL, -999, state);
    EXPECT_EQ(state.tcDraft.l, -128);
    paletteSliderSet(PaletteChannel::tcL, 10, state);
    EXPECT_EQ(state.tools.penBg, ANSIColorValue::truecolor(255, 10, 10));
    EXPECT_FALSE(state.tools.bgCycle);
    EXPECT_FALSE(state.tools.bgRandom);
    EXPECT_FALSE(state.tools.bgNull);
    EXPECT_TRUE(state.tools.fgCycle) << "the other channel is untouched";
    EXPECT_EQ(paletteSliderCurrent(PaletteChannel::tcL, state.tcDraft), 10);

    // A cycle-repeat channel is no part of the mix.
    paletteSliderSet(PaletteChannel::fg, 5, state);
    EXPECT_EQ(state.tcDraft, (TrueColorDraft{255, 0, 0, 10}));
}

TEST(PalettePicker, GridSwatchTurnsOffPools) {
    AppState state;
    state.paletteTargetFg = true;
    state.tools.fgRandom = true;
    paletteSwatchTapped(200, state);
    EXPECT_EQ(state.tools.fg, c256(200));
    EXPECT_FALSE(state.tools.fgRandom);
    paletteSwatchTapped(256, state);
    EXPECT_EQ(state.tools.fg, c256(200));
}

}  // namespace palette_test
}  // namespace glyphloom
