// Where the mirror modes repeat a document cell: across the vertical centre line, the
// horizontal one, or both. Mirroring always spans the whole document, not the view.
#pragma once

#include <vector>

#include "core/model/cell.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

// The extra points for `p` in a rows × columns document, in the order (r, c'), (r', c), (r', c').
inline std::vector<GridKey> mirrorPoints(GridKey p, int rows, int columns, SymmetryMode mode) {
    const GridKey h{p.row, columns - 1 - p.col};
    const GridKey v{rows - 1 - p.row, p.col};
    switch (mode) {
        case SymmetryMode::none: return {};
        case SymmetryMode::horizontal: return {h};
        case SymmetryMode::vertical: return {v};
        case SymmetryMode::both: return {h, v, {v.row, h.col}};
    }
    return {};
}

}  // namespace glyphloom
