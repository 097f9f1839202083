#include "tui/tools/shape_fill.hpp"

#include "core/draw/fill.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

std::unordered_map<GridKey, ANSICell> shapeInteriorCells(const std::vector<GridKey>& cells, const AppState& state,
                                                         RandomSource& random) {
    std::unordered_map<GridKey, ANSICell> filled;
    filled.reserve(cells.size());
    // A cycled or random channel whose pool is empty takes the pen's active colour instead.
    const ShapeFillFallback pen{activeFg(state, random), activeBg(state, random)};
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const GridKey at = cells[k];
        const ANSICell* existing = activeCellAt(state, at);
        ANSICell cell = existing ? *existing : ANSICell::blank();
        if (state.tools.shapeFill.enabled) {
            cell = shapeFillCell(state.tools.shapeFill, static_cast<int>(k), cell, pen, random);
        } else {
            if (!state.tools.charNull) cell.character = state.tools.penChar;
            if (!state.tools.fgNull) cell.foreground = state.tools.fg;
            if (!state.tools.bgNull) cell.background = state.tools.penBg;
            cell.blink = false;
        }
        filled[at] = cell;
    }
    return filled;
}

}  // namespace glyphloom
