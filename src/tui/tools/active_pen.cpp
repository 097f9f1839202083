#include "tui/tools/active_pen.hpp"

#include <algorithm>
#include <vector>

#include "core/text/cp437_characters.hpp"

namespace glyphloom {

namespace {

template <typename T>
const T& pick(const std::vector<T>& pool, RandomSource& random) {
    return pool[static_cast<std::size_t>(random.uniformInt(0, static_cast<int>(pool.size()) - 1))];
}

// Index within 0…count-1 whatever a preset or an older state left in it.
std::size_t wrapped(int index, std::size_t count) {
    const long long n = static_cast<long long>(count);
    return static_cast<std::size_t>(((static_cast<long long>(index) % n) + n) % n);
}

ANSIColorValue activeColor(bool randomOn, const std::vector<ANSIColorValue>& randomPool, bool cycleOn,
                           const std::vector<ANSIColorValue>& cyclePool, int cycleIndex,
                           ANSIColorValue plain, RandomSource& random) {
    if (randomOn && !randomPool.empty()) return pick(randomPool, random);
    if (cycleOn && !cyclePool.empty()) return cyclePool[wrapped(cycleIndex, cyclePool.size())];
    return plain;
}

const std::vector<std::string>& charCycleList(const AppState& state) {
    return state.charCyclePool.empty() ? CP437Characters::allCharacters() : state.charCyclePool;
}

void advanceColorCycle(bool on, std::size_t poolSize, int step, int& index, int& count) {
    if (!on || poolSize == 0) return;
    if (++count >= step) {
        count = 0;
        index = static_cast<int>((wrapped(index, poolSize) + 1) % poolSize);
    }
}

// The cycles' positions, stepped on a copy when frames are simulated.
struct CycleCounters {
    int fgIndex, fgCount, bgIndex, bgCount, charIndex, charCount;
};

void advanceCounters(const AppState& state, CycleCounters& c) {
    advanceColorCycle(state.fgCycle, state.fgCyclePool.size(), state.fgCycleStep, c.fgIndex, c.fgCount);
    advanceColorCycle(state.bgCycle, state.bgCyclePool.size(), state.bgCycleStep, c.bgIndex, c.bgCount);
    if (!state.charCycle) return;
    const auto& list = charCycleList(state);
    if (list.empty()) return;
    if (++c.charCount < state.charCycleStep) return;
    c.charCount = 0;
    const int count = static_cast<int>(list.size());
    const int index = static_cast<int>(wrapped(c.charIndex, list.size()));
    if (state.charCycleForward) {
        c.charIndex = index + 1 < count ? index + 1 : (state.charCycleWrap ? 0 : index);
    } else {
        c.charIndex = index > 0 ? index - 1 : (state.charCycleWrap ? count - 1 : 0);
    }
}

std::optional<std::string> charAt(const AppState& state, int cycleIndex, RandomSource& random) {
    if (state.charNull) return std::nullopt;
    if (state.charRandom && !state.charRandomPool.empty()) return pick(state.charRandomPool, random);
    if (state.charCycle) {
        const auto& list = charCycleList(state);
        if (!list.empty()) return list[wrapped(cycleIndex, list.size())];
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
    CycleCounters counters{state.fgCycleIndex, state.fgCycleCount, state.bgCycleIndex,
                           state.bgCycleCount, state.charCycleIndex, state.charCycleCount};
    advanceCounters(state, counters);
    state.fgCycleIndex = counters.fgIndex;
    state.fgCycleCount = counters.fgCount;
    state.bgCycleIndex = counters.bgIndex;
    state.bgCycleCount = counters.bgCount;
    state.charCycleIndex = counters.charIndex;
    state.charCycleCount = counters.charCount;
}

std::vector<CycleFrame> simulatedCycleFrames(int count, const AppState& state, RandomSource& random) {
    std::vector<CycleFrame> frames;
    frames.reserve(static_cast<std::size_t>(std::max(count, 0)));
    CycleCounters counters{state.fgCycleIndex, state.fgCycleCount, state.bgCycleIndex,
                           state.bgCycleCount, state.charCycleIndex, state.charCycleCount};
    for (int k = 0; k < count; ++k) {
        CycleFrame frame;
        frame.fg = activeColor(state.fgRandom, state.fgRandomPool, state.fgCycle, state.fgCyclePool, counters.fgIndex,
                               state.fg, random);
        frame.bg = activeColor(state.bgRandom, state.bgRandomPool, state.bgCycle, state.bgCyclePool, counters.bgIndex,
                               state.penBg, random);
        frame.character = charAt(state, counters.charIndex, random);
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
