// The fill tool: flood fill with solid colours, gradients and cycles.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

void applyFloodFill(GridKey at, AppState& state);

}  // namespace glyphloom
