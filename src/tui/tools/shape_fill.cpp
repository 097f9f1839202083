#include "tui/tools/shape_fill.hpp"

#include "tui/tools/active_layer.hpp"

namespace glyphloom {

std::unordered_map<GridKey, ANSICell> shapeInteriorCells(const std::vector<GridKey>& cells, const AppState& state) {
    std::unordered_map<GridKey, ANSICell> filled;
    filled.reserve(cells.size());
    for (const GridKey at : cells) {
        const ANSICell* existing = activeCellAt(state, at);
        ANSICell cell = existing ? *existing : ANSICell::blank();
        if (!state.charNull) cell.character = state.penChar;
        if (!state.fgNull) cell.foreground = state.fg;
        if (!state.bgNull) cell.background = state.penBg;
        cell.blink = false;
        filled[at] = cell;
    }
    return filled;
}

}  // namespace glyphloom
