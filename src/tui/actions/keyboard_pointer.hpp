// The pointer as the editor tracks it: where a real press landed, and the keyboard pointer
// that the arrows move over an open box or panel, whose Space or Enter asks the main loop
// for a click at its cell.
#pragma once

#include "tui/layout/layout.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// A real press at screen column `x`, row `y`: the pointer is there, the keyboard pointer goes
// away and the last status note is cleared.
void pointerPressed(int x, int y, AppState& state);

// Starts the keyboard pointer where the mouse was last seen, kept on the screen.
void startKeyboardPointer(AppState& state, const Layout& layout);
// Moves the keyboard pointer by whole cells, stopping at the screen's edges.
void moveKeyboardPointer(int dRow, int dCol, AppState& state, const Layout& layout);
// Space or Enter: a click at the keyboard pointer, played by the main loop.
void clickAtKeyboardPointer(AppState& state);
void dropKeyboardPointer(AppState& state);

}  // namespace glyphloom
