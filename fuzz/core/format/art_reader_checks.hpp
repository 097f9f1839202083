// What every picture reader promises on any input: a picture within the cap it was given,
// rectangular, with flags that match its cells, or a reason why there is none.
#pragma once

#include <cstdlib>

#include "core/format/art_cells.hpp"

namespace glyphloom::fuzz {

inline void check(bool condition) {
    if (!condition) std::abort();
}

// Small enough that a hostile header's far corner costs little per input, large enough that
// the 80-column formats are not cut.
constexpr ANSGridCap artCap{100, 40};

inline void checkArt(const ArtReadResult& result) {
    if (!result.art) {
        check(!result.failure.empty());
        return;
    }
    const CellGrid& cells = result.art->cells;
    check(cells.rowCount() >= ANSLimits::minRows && cells.rowCount() <= artCap.maxRows);
    const int width = cells.rowLength(0);
    check(width >= ANSLimits::minColumns && width <= artCap.maxColumns);
    bool blink = false, truecolor = false;
    for (int r = 0; r < cells.rowCount(); ++r) {
        check(cells.rowLength(r) == width);
        for (const ANSICell& cell : cells.row(r)) {
            blink = blink || cell.blink;
            truecolor = truecolor || cell.foreground.isTruecolor() || cell.background.isTruecolor();
        }
    }
    check(blink == result.art->blinkingText);
    check(truecolor == result.art->truecolor);
}

}  // namespace glyphloom::fuzz
