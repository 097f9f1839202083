// The editor's frame loop: read a batch of input, dispatch every event against the last
// frame's layout, do the loop's own housekeeping, redraw once, flush only what changed.
// It sleeps in the read; only a recovery copy that falls due wakes it without input.
#pragma once

#include <vector>

#include "tui/actions/recovery.hpp"
#include "tui/state/app_state.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"
#include "tui/terminal/terminal.hpp"

namespace glyphloom {

// The history panel opened from the status line closes on the first input after this long.
inline constexpr auto historyAutoClose = std::chrono::milliseconds(4000);

// Composes and flushes one frame; returns its layout.
Layout drawFrame(AppState& state, Screen& screen);

// Dispatches one batch of events and does what the loop does before redrawing: the keyboard
// pointer's click, a full repaint once the last overlay closes, the resize streak, the status
// history's auto-close and the resize static.
void processBatch(const std::vector<InputEvent>& events, AppState& state, const Layout& layout, Terminal& terminal,
                  Screen& screen, TimeStamp now);

// Runs until state.shouldQuit, end of input or a termination signal; the terminal session
// must already be entered. With a keeper, unsaved work is kept in a recovery copy while the
// editor runs and on the way out, except when the user chose to quit.
void runMainLoop(AppState& state, Terminal& terminal, Screen& screen, Layout& layout,
                 RecoveryKeeper* keeper = nullptr);

}  // namespace glyphloom
