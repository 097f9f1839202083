// Routes one input event to what it means for the editor.
#pragma once

#include "tui/app_state.hpp"
#include "tui/input_event.hpp"
#include "tui/layout.hpp"
#include "tui/screen.hpp"
#include "tui/terminal.hpp"

namespace glyphloom {

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen);

// Ctrl-C / Ctrl-Q: quits at once on a saved document; with unsaved changes the first
// request only arms the quit and the second one quits.
void requestQuit(AppState& state);

}  // namespace glyphloom
