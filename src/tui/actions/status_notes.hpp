// How long a status note takes the status line's place of the hints. The note itself lives
// in AppState (and its history there); this decides, each frame, whether it is still news.
#pragma once

#include <chrono>
#include <optional>

#include "tui/state/app_state.hpp"

namespace glyphloom {

inline constexpr auto noteOnStatusLineFor = std::chrono::seconds(4);

// A note set since the last call starts its time on the status line now; one older than
// noteOnStatusLineFor goes back to the history alone.
void refreshStatusLineNote(AppState& state, TimeStamp now);

// How long until the note on the status line is due to leave it, so the main loop can wake
// for that; nothing when no note is showing.
std::optional<std::chrono::milliseconds> statusNoteTimeLeft(const AppState& state, TimeStamp now);

}  // namespace glyphloom
