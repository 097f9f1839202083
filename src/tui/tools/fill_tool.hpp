// The fill tool: floods the region of like cells under the pointer (and its mirror images)
// with a dithered gradient of the selected colours, or with the pen's character and colours
// running their cycles along the region; and the interior fill of boxes and ovals. The
// algorithms live in core/draw/fill; this file wires them to the editor state.
#pragma once

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// One click with the fill tool at document cell `at`. Takes one undo snapshot, and only
// when some cell actually changes.
void applyFloodFill(GridKey at, AppState& state, RandomSource& random = defaultRandomSource());

// Interior cell k (drawing order) of a filled box or oval over `existing`, by the shape fill
// style; a cycled or random channel with an empty pool takes the pen's active colour.
ANSICell shapeInteriorCell(int k, const ANSICell& existing, const AppState& state,
                           RandomSource& random = defaultRandomSource());

}  // namespace glyphloom
