// Reading and writing the active layer's cells by document position. A layer may be shifted
// by its offsets or smaller than the document; positions it has no cell for read as nothing
// and ignore writes, which is how every tool clips silently.
#pragma once

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Nothing when there is no valid active layer.
Layer* activeLayer(AppState& state);
const Layer* activeLayer(const AppState& state);

// The active layer's cell at a document position, or nullptr where it has none.
const ANSICell* activeCellAt(const AppState& state, GridKey at);
// Stores a cell at a document position; false (and no change) where the layer has none.
bool setActiveCell(AppState& state, GridKey at, const ANSICell& cell);

inline bool insideDocument(GridKey at) {
    return at.row >= 0 && at.row < AppState::docRows && at.col >= 0 && at.col < AppState::docCols;
}

}  // namespace glyphloom
