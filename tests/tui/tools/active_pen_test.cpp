#include <gtest/gtest.h>

#include "core/text/cp437_characters.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {
namespace active_pen_test {

TEST(ActivePen, ColourCycleMovesEveryStepStampsAndWraps) {
    AppState state;
    state.tools.fgCycle = true;
    state.tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    state.tools.fgCycleStep = 2;
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) {
        seen.push_back(activeFg(state).n);
        advanceCycle(state);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 2, 2, 3, 3, 1}));
}

TEST(ActivePen, EmptyPoolsFallBackToThePlainColourAndCharacter) {
    AppState state;
    state.tools.fgRandom = true;  // random on, pool empty
    state.tools.bgCycle = true;   // cycle on, pool empty
    state.tools.charRandom = true;
    state.tools.fg = ANSIColorValue::ansi16(4);
    state.tools.penBg = ANSIColorValue::ansi16(5);
    state.tools.penChar = "x";
    advanceCycle(state);
    EXPECT_EQ(activeFg(state), ANSIColorValue::ansi16(4));
    EXPECT_EQ(activeBg(state), ANSIColorValue::ansi16(5));
    EXPECT_EQ(activeCharOpt(state), "x");
    state.tools.charNull = true;
    EXPECT_EQ(activeCharOpt(state), std::nullopt);
}

TEST(ActivePen, CharacterCycleBackwardStopsOrWraps) {
    for (const bool wrap : {false, true}) {
        AppState state;
        state.tools.charCycle = true;
        state.tools.charCyclePool = {"a", "b", "c"};
        state.tools.charCycleForward = false;
        state.tools.charCycleWrap = wrap;
        advanceCycle(state);
        EXPECT_EQ(activeCharOpt(state), wrap ? "c" : "a") << wrap;
    }
}

TEST(ActivePen, ResetWithoutPoolStartsAtTheSelectedCharacter) {
    AppState state;
    state.tools.charCycle = true;
    state.tools.penChar = "░";
    state.cycles.chars.index = 5;
    resetCharCycleToSelected(state);
    EXPECT_EQ(activeCharOpt(state), "░");
}

}  // namespace active_pen_test
}  // namespace glyphloom
