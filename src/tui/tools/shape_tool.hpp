// Line, box, oval and selection rectangles dragged out from an anchor.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include <unordered_map>
#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

std::unordered_map<GridKey, ANSICell> computeShape(GridKey from, GridKey to, const AppState& state);

}  // namespace glyphloom
