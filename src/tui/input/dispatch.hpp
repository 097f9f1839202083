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
void handleScroll(int x, int y, bool up, AppState& state, const Layout& layout);
void handleArrow(Arrow arrow, AppState& state, const Layout& layout);
void handleMouseDown(int x, int y, int button, AppState& state, const Layout& layout);
void handleMouseMove(int x, int y, AppState& state, const Layout& layout);
void handleMouseUp(int x, int y, AppState& state, const Layout& layout);

}  // namespace glyphloom
