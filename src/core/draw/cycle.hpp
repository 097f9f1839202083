// The arithmetic of the colour and character cycles: a place in a pool of entries that moves
// on one entry every `step` stamps, forwards or back, round the end or stopping there. Which
// pools there are and what a stamp takes from them is the pen's (tui/tools/active_pen).
#pragma once

#include <cstddef>

namespace glyphloom {

// A cycle's place: the entry it is on and the stamps counted towards the next move.
struct CyclePosition {
    int index = 0;
    int count = 0;
    friend bool operator==(const CyclePosition&, const CyclePosition&) = default;
};

// Where the pen's three cycles stand: foreground colour, background colour and character.
struct CyclePositions {
    CyclePosition fg, bg, chars;
    friend bool operator==(const CyclePositions&, const CyclePositions&) = default;
};

// How a cycle moves: every `step` stamps (a step below 1 moves on every stamp), forwards or
// back, and at the end of the pool round to the other end (`wrap`) or staying put.
struct CycleMotion {
    int step = 1;
    bool forward = true;
    bool wrap = true;
};

// `index` brought into 0 … count-1 (count > 0) whatever a preset or an older state left in it.
std::size_t wrappedIndex(int index, std::size_t count);

// The place after one more stamp on a pool of `poolSize` entries; an empty pool never moves.
CyclePosition advancedCycle(CyclePosition at, std::size_t poolSize, CycleMotion motion);

}  // namespace glyphloom
