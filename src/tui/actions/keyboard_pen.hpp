// Drawing from the keyboard: the arrows move the document cursor, which carries the pen, an
// anchored shape or a floating paste with it; Space puts the pen down and lifts it, anchors
// and commits a shape, or picks with Panspect; Esc lets go of all of these.
#pragma once

#include "tui/layout/layout.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Moves the document cursor by whole cells inside the document, scrolls the view to keep it
// visible, and carries a keyboard stroke, an anchored shape or a floating paste along.
void moveDocumentCursor(int dRow, int dCol, AppState& state, const Layout& layout);

// Space outside text entry: anchors or commits a shape, picks with Panspect, or puts the
// keyboard pen down and lifts it.
void kbSpaceToggle(AppState& state);

// Esc with no box to close: drops an anchored shape, a floating paste and the keyboard pen.
void cancelCanvasGesture(AppState& state);

}  // namespace glyphloom
