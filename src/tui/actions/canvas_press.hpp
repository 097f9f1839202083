// What a press, a drag and a release of the pointer on the canvas do: placing a floating
// paste, anchoring a layer-shift drag, or the current tool's stroke, shape, fill, text origin
// or pan. The dispatcher finds the document cell; everything after that happens here.
#pragma once

#include <optional>

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// A press on a document cell; button 2 (right) paints with the colours swapped.
void pressCanvas(GridKey cell, int button, AppState& state);
// The pointer moved to a document cell with a button down (or a paste floating).
void dragCanvas(GridKey at, AppState& state);
// The button came up, over a document cell or outside the canvas: a shape is committed
// (where it was last dragged, when outside) and a stroke ends with its cell count.
void releaseCanvas(std::optional<GridKey> cell, AppState& state);

}  // namespace glyphloom
