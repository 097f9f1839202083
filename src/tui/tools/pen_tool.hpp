// The smart pen: a freehand line of box-drawing glyphs whose corners and tees follow the
// stroke as it turns and which joins box-drawing art already on the canvas. The whole stroke
// is redrawn after every sample from its connection map.
#pragma once

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// One pointer sample of a pen stroke: every cell of the path joins the stroke, then it redraws.
void penStroke(GridKey at, AppState& state, RandomSource& random = defaultRandomSource());

// Adds one cell to the stroke and links it with the previous one.
void penAddCell(GridKey at, AppState& state, RandomSource& random = defaultRandomSource());

// Redraws the stroke (with its thickness and mirror copies) into the active layer. Joins are
// read from the canvas as it was before the stroke, so the stroke never joins its own copies.
void renderPenStroke(AppState& state);

}  // namespace glyphloom
