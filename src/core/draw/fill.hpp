// Flood-fill regions, two-colour dithered gradients and the interior fill of boxes and ovals.
// Pure functions over grids and values; the fill tool in tui/tools wires them to the active
// layer, the pen's cycles and the undo stack.
#pragma once

#include <vector>

#include "core/model/cell.hpp"
#include "core/model/cell_grid.hpp"
#include "core/model/random_source.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

// The 4-connected region of cells equal to the seed cell in character, both colours and
// blink, in visiting order (the right neighbour is explored first). Empty when the seed lies
// outside the grid. Ragged rows end where they end.
std::vector<GridKey> floodFillCells(const CellGrid& doc, int row, int col);

// One cell per position, same order, shading from `from` to `to` across the positions'
// bounding box. `cellAspect` is how much taller than wide a cell is (radial only).
std::vector<ANSICell> gradientCells(const std::vector<GridKey>& toFill, GradientDirection direction,
                                    ANSIColorValue from, ANSIColorValue to, double cellAspect);

// The cell at position t (0…1) of a five-step shade ramp between two colours.
ANSICell ditherCell(double t, ANSIColorValue from, ANSIColorValue to);

// Stand-ins for a channel whose pool is empty: the pen's current colours.
struct ShapeFillFallback {
    ANSIColorValue fg;
    ANSIColorValue bg;
};

// The k-th interior cell (drawing order) of a filled shape over `existing`.
ANSICell shapeFillCell(const ShapeFillStyle& style, int k, const ANSICell& existing,
                       const ShapeFillFallback& fallback, RandomSource& random = defaultRandomSource());

}  // namespace glyphloom
