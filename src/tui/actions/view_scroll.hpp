// Moving the view over a document larger than the viewport (wheel, paging keys) and the
// sidebar's own scrolling when the tools and their options do not all fit. Offsets are kept
// within what the frame's layout can show.
#pragma once

#include "tui/layout/layout.hpp"
#include "tui/state/app_state.hpp"
#include "tui/terminal/input_event.hpp"

namespace glyphloom {

// Rows (or, sideways, columns) one wheel notch moves.
inline constexpr int wheelStep = 3;

// Moves the view by whole cells, clamped to the document.
void scrollView(int dRows, int dCols, AppState& state, const Layout& layout);
// Page Up / Page Down by a viewport less one row; Home / End to the first or last rows.
void pageView(NavKey key, AppState& state, const Layout& layout);

void scrollSidebar(int delta, AppState& state, const Layout& layout);
// ▲ / ▼: a page at a time, stopping where the current tool's options begin on the way.
void pageSidebar(bool down, AppState& state, const Layout& layout);

}  // namespace glyphloom
