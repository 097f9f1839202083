// The one way tools reach the active layer's cells: by document position, mapped through the
// layer's offsets and clipped to both the layer's grid and the document, so a shifted or
// smaller layer is drawn where the pointer is and every tool clips silently. It is also the
// gate of every tool edit: view-only art takes none, whatever the input.
#pragma once

#include <optional>

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Nothing when there is no valid active layer.
Layer* activeLayer(AppState& state);
const Layer* activeLayer(const AppState& state);

// The layer's own cell for a document position, or nothing outside the document or the
// layer's grid; and back.
std::optional<GridKey> layerCellOf(const Document& doc, const Layer& layer, GridKey documentCell);
GridKey documentCellOf(const Layer& layer, GridKey layerCell);

// The active layer's cell at a document position, or nullptr where it has none.
const ANSICell* activeCellAt(const AppState& state, GridKey at);
// Stores a cell at a document position; false (and no change) where the layer has none or
// the document is view-only.
bool setActiveCell(AppState& state, GridKey at, const ANSICell& cell);

// Every tool calls this before it changes the document: it takes the undo snapshot, or, on
// view-only art, says so and returns false, and the tool then does nothing.
bool beginToolEdit(AppState& state);
// True, with the note, on view-only art: the caller must leave the document as it is.
bool refusedAsViewOnly(AppState& state);

}  // namespace glyphloom
