// The editor's frame loop: read a batch of input, dispatch every event against the last
// frame's layout, redraw once, flush only what changed. No timer: it sleeps in the read.
#pragma once

#include "tui/app_state.hpp"
#include "tui/layout.hpp"
#include "tui/screen.hpp"
#include "tui/terminal.hpp"

namespace glyphloom {

// Composes and flushes one frame; returns its layout.
Layout drawFrame(AppState& state, Screen& screen);

// Runs until state.shouldQuit; the terminal session must already be entered.
void runMainLoop(AppState& state, Terminal& terminal, Screen& screen, Layout& layout);

}  // namespace glyphloom
