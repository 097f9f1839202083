// Routes each input event to what it means for the editor: which control, which mode,
// which document cell. Hit tests use the layout of the frame the user saw. Never draws.
#pragma once

#include <cstdint>

#include "tui/state/app_state.hpp"
#include "tui/terminal/input_event.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"
#include "tui/terminal/terminal.hpp"

namespace glyphloom {

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen);

void handleKey(std::uint8_t byte, AppState& state);
// The wheel: an open browser's list, else the sidebar or the canvas under the pointer
// (sideways with Shift or a sideways wheel).
void handleScroll(int x, int y, bool up, bool sideways, AppState& state, const Layout& layout);
// Page Up / Down, Home / End: an open browser's list, else the view of the document.
void handleNavKey(NavKey key, AppState& state, const Layout& layout);
void handleArrow(Arrow arrow, AppState& state, const Layout& layout);
void handleMouseDown(int x, int y, int button, AppState& state, const Layout& layout);
void handleMouseMove(int x, int y, AppState& state, const Layout& layout);
void handleMouseUp(int x, int y, AppState& state, const Layout& layout);

}  // namespace glyphloom
