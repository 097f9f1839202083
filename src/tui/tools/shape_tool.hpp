// Lines, boxes and ovals dragged out from an anchor (and the selection rectangle's outline):
// the cells a drag would draw, shown as the preview overlay, and their commit on release as
// one undo step. The geometry comes from core/draw.
#pragma once

#include <unordered_map>

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// The cells the current shape tool draws from `from` to `to`, with cycles, interior fill and
// mirror copies, clipped to the document. Nothing for tools that are not shapes.
std::unordered_map<GridKey, ANSICell> computeShape(GridKey from, GridKey to, const AppState& state);
std::unordered_map<GridKey, ANSICell> computeShape(GridKey from, GridKey to, const AppState& state,
                                                   RandomSource& random);

// Ends an anchored shape at `at`: a selection for the select tool, otherwise the shape is
// written into the active layer as one undo step. The preview and the anchor are cleared.
void finishShape(GridKey at, AppState& state);

}  // namespace glyphloom
