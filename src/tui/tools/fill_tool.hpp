// The fill tool: floods the region of like cells under the pointer (and its mirror images)
// with a dithered gradient of the selected colours, or with the pen's character and colours
// running their cycles along the region. The region and gradient algorithms live in
// core/draw/fill; this file wires them to the active layer and the undo stack.
#pragma once

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// One click with the fill tool at document cell `at`. Takes one undo snapshot, and only
// when some cell actually changes.
void applyFloodFill(GridKey at, AppState& state, RandomSource& random = defaultRandomSource());

}  // namespace glyphloom
