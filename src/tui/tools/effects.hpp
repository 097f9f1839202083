// The effect tools (spray, smudge, dodge, burn, prism, scatter): one pointer sample of an
// effect stroke on the active layer, built on the freehand stroke machinery.
#pragma once

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

void applyEffect(GridKey at, AppState& state);
// The same with the sample's time and the source of random picks given, for repeatable strokes.
void applyEffect(GridKey at, AppState& state, TimeStamp now, RandomSource& random);

}  // namespace glyphloom
