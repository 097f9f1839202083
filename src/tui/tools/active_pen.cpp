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
    return state.charCyclePool.empty() ? CP437Characters::allCharacters() : state.charCyclePool;
}

// The cycles' positions, stepped on a copy when frames are simulated.
struct CycleCounters {
    CyclePosition fg, bg, chars;
};

CycleCounters countersOf(const AppState& state) {
    return {{state.fgCycleIndex, state.fgCycleCount},
            {state.bgCycleIndex, state.bgCycleCount},
            {state.charCycleIndex, state.charCycleCount}};
}

void advanceCounters(const AppState& state, CycleCounters& c) {
    if (state.fgCycle) c.fg = advancedCycle(c.fg, state.fgCyclePool.size(), {state.fgCycleStep, true, true});
    if (state.bgCycle) c.bg = advancedCycle(c.bg, state.bgCyclePool.size(), {state.bgCycleStep, true, true});
    if (state.charCycle)
        c.chars = advancedCycle(c.chars, charCycleList(state).size(),
                                {state.charCycleStep, state.charCycleForward, state.charCycleWrap});
}

std::optional<std::string> charAt(const AppState& state, int cycleIndex, RandomSource& random) {
    if (state.charNull) return std::nullopt;
    if (state.charRandom && !state.charRandomPool.empty()) return pick(state.charRandomPool, random);
    if (state.charCycle) {
        const auto& list = charCycleList(state);
        if (!list.empty()) return list[wrappedIndex(cycleIndex, list.size())];
    }
    return state.penChar;
}

}  // namespace

ANSIColorValue activeFg(const AppState& state, RandomSource& random) {
    return activeColor(state.fgRandom, state.fgRandomPool, state.fgCycle, state.fgCyclePool, state.fgCycleIndex,
                       state.fg, random);
}

ANSIColorValue activeBg(const AppState& state, RandomSource& random) {
    return activeColor(state.bgRandom, state.bgRandomPool, state.bgCycle, state.bgCyclePool, state.bgCycleIndex,
                       state.penBg, random);
}

std::optional<std::string> activeCharOpt(const AppState& state, RandomSource& random) {
    return charAt(state, state.charCycleIndex, random);
}

void advanceCycle(AppState& state) {
    CycleCounters counters = countersOf(state);
    advanceCounters(state, counters);
    state.fgCycleIndex = counters.fg.index;
    state.fgCycleCount = counters.fg.count;
    state.bgCycleIndex = counters.bg.index;
    state.bgCycleCount = counters.bg.count;
    state.charCycleIndex = counters.chars.index;
    state.charCycleCount = counters.chars.count;
}

std::vector<CycleFrame> simulatedCycleFrames(int count, const AppState& state, RandomSource& random) {
    std::vector<CycleFrame> frames;
    frames.reserve(static_cast<std::size_t>(std::max(count, 0)));
    CycleCounters counters = countersOf(state);
    for (int k = 0; k < count; ++k) {
        CycleFrame frame;
        frame.fg = activeColor(state.fgRandom, state.fgRandomPool, state.fgCycle, state.fgCyclePool, counters.fg.index,
                               state.fg, random);
        frame.bg = activeColor(state.bgRandom, state.bgRandomPool, state.bgCycle, state.bgCyclePool, counters.bg.index,
                               state.penBg, random);
        frame.character = charAt(state, counters.chars.index, random);
        if (state.fgNull) frame.fg.reset();
        if (state.bgNull) frame.bg.reset();
        frames.push_back(std::move(frame));
        advanceCounters(state, counters);
    }
    return frames;
}

void resetCharCycleToSelected(AppState& state) {
    if (!state.charCycle) return;
    state.charCycleCount = 0;
    if (state.charCyclePool.empty()) {
        const auto& all = CP437Characters::allCharacters();
        const auto at = std::find(all.begin(), all.end(), state.penChar);
        state.charCycleIndex = at == all.end() ? 0 : static_cast<int>(at - all.begin());
    } else {
        state.charCycleIndex = 0;
    }
}

}  // namespace glyphloom
