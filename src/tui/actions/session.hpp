// The editing session as a whole: quitting (with a second request needed while changes are
// unsaved) and following the terminal window's size, with a frame of static while the user
// keeps dragging its edge.
#pragma once

#include <chrono>

#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom {

// Ctrl-C / Ctrl-Q: quits at once on a saved document; with unsaved changes the first
// request only arms the quit and the second one quits.
void requestQuit(AppState& state);
// Any deliberate input other than another quit request takes the armed quit back.
void disarmQuit(AppState& state);
// The input has ended: nothing can confirm anything any more.
void quitAtEndOfInput(AppState& state);

// Changes of the window size closer together than this form one resize streak.
inline constexpr auto resizeStreakGap = std::chrono::milliseconds(350);

// Takes the new terminal size and keeps the resize streak that triggers the static effect.
void handleResize(AppState& state, Screen& screen, TimeStamp now, RandomSource& random);

}  // namespace glyphloom
