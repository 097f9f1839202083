#include <gtest/gtest.h>

#include "core/text/cp437_characters.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {
namespace active_pen_test {

TEST(ActivePen, ColourCycleMovesEveryStepStampsAndWraps) {
    AppState state;
    state.fgCycle = true;
    state.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    state.fgCycleStep = 2;
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) {
        seen.push_back(activeFg(state).n);
        advanceCycle(state);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 2, 2, 3, 3, 1}));
}

TEST(ActivePen, EmptyPoolsFallBackToThePlainColourAndCharacter) {
    AppState state;
    state.fgRandom = true;  // random on, pool empty
    state.bgCycle = true;   // cycle on, pool empty
    state.charRandom = true;
    state.fg = ANSIColorValue::ansi16(4);
    state.penBg = ANSIColorValue::ansi16(5);
    state.penChar = "x";
    advanceCycle(state);
    EXPECT_EQ(activeFg(state), ANSIColorValue::ansi16(4));
    EXPECT_EQ(activeBg(state), ANSIColorValue::ansi16(5));
    EXPECT_EQ(activeCharOpt(state), "x");
    state.charNull = true;
    EXPECT_EQ(activeCharOpt(state), std::nullopt);
}

TEST(ActivePen, CharacterCycleBackwardStopsOrWraps) {
    for (const bool wrap : {false, true}) {
        AppState state;
        state.charCycle = true;
        state.charCyclePool = {"a", "b", "c"};
        state.charCycleForward = false;
        state.charCycleWrap = wrap;
        advanceCycle(state);
        EXPECT_EQ(activeCharOpt(state), wrap ? "c" : "a") << wrap;
    }
}

TEST(ActivePen, ResetWithoutPoolStartsAtTheSelectedCharacter) {
    AppState state;
    state.charCycle = true;
    state.penChar = "░";
    state.charCycleIndex = 5;
    resetCharCycleToSelected(state);
    EXPECT_EQ(activeCharOpt(state), "░");
}

}  // namespace active_pen_test
}  // namespace glyphloom
