#include "tui/tools/active_pen.hpp"

#include <algorithm>
#include <vector>

#include "core/draw/cycle.hpp"
#include "core/text/cp437_characters.hpp"

namespace glyphloom {

namespace {

template <typename T>
const T& pick(const std::vector<T>& pool, RandomSource& random) {
    return pool[static_cast<std::size_t>(random.uniformInt(0, static_cast<int>(pool.size()) - 1))];
}

ANSIColorValue activeColor(bool randomOn, const std::vector<ANSIColorValue>& randomPool, bool cycleOn,
                           const std::vector<ANSIColorValue>& cyclePool, int cycleIndex,
                           ANSIColorValue plain, RandomSource& random) {
    if (randomOn && !randomPool.empty()) return pick(randomPool, random);
    if (cycleOn && !cyclePool.empty()) return cyclePool[wrappedIndex(cycleIndex, cyclePool.size())];
    return plain;
}

const std::vector<std::string>& charCycleList(const AppState& state) {
    return state.tools.charCyclePool.empty() ? CP437Characters::allCharacters() : state.tools.charCyclePool;
}

// The cycles' positions are stepped on a copy when frames are simulated.
void advanceCounters(const AppState& state, CyclePositions& c) {
    if (state.tools.fgCycle)
        c.fg = advancedCycle(c.fg, state.tools.fgCyclePool.size(), {state.tools.fgCycleStep, true, true});
    if (state.tools.bgCycle)
        c.bg = advancedCycle(c.bg, state.tools.bgCyclePool.size(), {state.tools.bgCycleStep, true, true});
    if (state.tools.charCycle)
        c.chars = advancedCycle(c.chars, charCycleList(state).size(),
                                {state.tools.charCycleStep, state.tools.charCycleForward, state.tools.charCycleWrap});
}

std::optional<std::string> charAt(const AppState& state, int cycleIndex, RandomSource& random) {
    if (state.tools.charNull) return std::nullopt;
    if (state.tools.charRandom && !state.tools.charRandomPool.empty()) return pick(state.tools.charRandomPool, random);
    if (state.tools.charCycle) {
        const auto& list = charCycleList(state);
        if (!list.empty()) return list[wrappedIndex(cycleIndex, list.size())];
    }
    return state.tools.penChar;
}

}  // namespace

ANSIColorValue activeFg(const AppState& state, RandomSource& random) {
    return activeColor(state.tools.fgRandom, state.tools.fgRandomPool, state.tools.fgCycle, state.tools.fgCyclePool,
                       state.cycles.fg.index, state.tools.fg, random);
}

ANSIColorValue activeBg(const AppState& state, RandomSource& random) {
    return activeColor(state.tools.bgRandom, state.tools.bgRandomPool, state.tools.bgCycle, state.tools.bgCyclePool,
                       state.cycles.bg.index, state.tools.penBg, random);
}

std::optional<std::string> activeCharOpt(const AppState& state, RandomSource& random) {
    return charAt(state, state.cycles.chars.index, random);
}

void advanceCycle(AppState& state) { advanceCounters(state, state.cycles); }

std::vector<CycleFrame> simulatedCycleFrames(int count, const AppState& state, RandomSource& random) {
    std::vector<CycleFrame> frames;
    frames.reserve(static_cast<std::size_t>(std::max(count, 0)));
    CyclePositions counters = state.cycles;
    for (int k = 0; k < count; ++k) {
        CycleFrame frame;
        frame.fg = activeColor(state.tools.fgRandom, state.tools.fgRandomPool, state.tools.fgCycle,
                               state.tools.fgCyclePool, counters.fg.index, state.tools.fg, random);
        frame.bg = activeColor(state.tools.bgRandom, state.tools.bgRandomPool, state.tools.bgCycle,
                               state.tools.bgCyclePool, counters.bg.index, state.tools.penBg, random);
        frame.character = charAt(state, counters.chars.index, random);
        if (state.tools.fgNull) frame.fg.reset();
        if (state.tools.bgNull) frame.bg.reset();
        frames.push_back(std::move(frame));
        advanceCounters(state, counters);
    }
    return frames;
}

void restartCyclesForStroke(AppState& state) {
    if (state.tools.colorCycleResetPerStroke) state.cycles.fg = state.cycles.bg = {};
    if (state.tools.charCycleResetPerStroke) {
        state.cycles.chars = {};
        resetCharCycleToSelected(state);
    }
}

void resetCharCycleToSelected(AppState& state) {
    if (!state.tools.charCycle) return;
    state.cycles.chars.count = 0;
    if (state.tools.charCyclePool.empty()) {
        const auto& all = CP437Characters::allCharacters();
        const auto at = std::find(all.begin(), all.end(), state.tools.penChar);
        state.cycles.chars.index = at == all.end() ? 0 : static_cast<int>(at - all.begin());
    } else {
        state.cycles.chars.index = 0;
    }
}

}  // namespace glyphloom
