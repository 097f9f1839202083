// Clicks on the tool options, the colour row and the panels that float over the canvas
// (palette picker, fades panel, tool panel, character picker and its set menu).
#pragma once

#include "tui/state/app_state.hpp"
#include "tui/layout/layout.hpp"

namespace glyphloom {

// The floating panels' controls; a click inside an open panel that hits nothing is
// swallowed. True when the click was taken.
bool floatingPanelClick(int x, int y, int button, AppState& state, const Layout& layout);
// The sidebar's option rows and the colour row. True when the click was taken.
bool optionsAndColorRowClick(int x, int y, int button, AppState& state, const Layout& layout);

}  // namespace glyphloom
