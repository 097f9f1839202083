// Freehand painting tools (paint, draw, pen, eraser, effects): strokes and brush imprints.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

void beginStroke(AppState& state);
void paint(GridKey at, AppState& state);

}  // namespace glyphloom
