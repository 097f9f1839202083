// Routes one input event to what it means for the editor.
#pragma once

#include "core/random_source.hpp"
#include "tui/app_state.hpp"
#include "tui/input_event.hpp"
#include "tui/layout.hpp"
#include "tui/screen.hpp"
#include "tui/terminal.hpp"

namespace glyphloom {

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen);

// Changes of the window size closer together than this form one resize streak.
inline constexpr auto resizeStreakGap = std::chrono::milliseconds(350);

// Takes the new terminal size and keeps the resize streak that triggers the static effect.
void handleResize(AppState& state, Screen& screen, TimeStamp now, RandomSource& random);

// Ctrl-C / Ctrl-Q: quits at once on a saved document; with unsaved changes the first
// request only arms the quit and the second one quits.
void requestQuit(AppState& state);

}  // namespace glyphloom
