// Panspect, the pan-and-inspect tool: dragging on the canvas moves the view, and a press
// released where it started picks that cell's character and colours into the pen.
#pragma once

#include "tui/state/app_state.hpp"

namespace glyphloom {

void startPanDrag(AppState& state);
// Moves the view with the pointer, kept inside the document.
void panDragTo(int x, int y, AppState& state);
// Ends the drag; `cell` is the document cell under the release, if any.
void endPanDrag(int x, int y, std::optional<GridKey> cell, AppState& state);

// Takes the composited cell's character and colours as the pen; with blinking text on, a
// bright background comes back as its dark twin.
void pickCell(GridKey at, AppState& state);

}  // namespace glyphloom
