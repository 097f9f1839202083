// Routes each input event to what it means for the editor: which control, which mode,
// which document cell. Hit tests use the layout of the frame the user saw. Never draws.
#pragma once

#include <chrono>
#include <cstdint>

#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"
#include "tui/terminal/input_event.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"
#include "tui/terminal/terminal.hpp"

namespace glyphloom {

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen);

void handleKey(std::uint8_t byte, AppState& state, const Layout& layout);
void handleScroll(int x, int y, bool up, AppState& state, const Layout& layout);
void handleArrow(Arrow arrow, AppState& state, const Layout& layout);
void handleMouseDown(int x, int y, int button, AppState& state, const Layout& layout);
void handleMouseMove(int x, int y, AppState& state, const Layout& layout);
void handleMouseUp(int x, int y, AppState& state, const Layout& layout);

// Space outside text entry: anchors or commits a shape, picks with Panspect, or puts the
// keyboard pen down and lifts it.
void kbSpaceToggle(AppState& state, const Layout& layout);

// Changes of the window size closer together than this form one resize streak.
inline constexpr auto resizeStreakGap = std::chrono::milliseconds(350);

// Takes the new terminal size and keeps the resize streak that triggers the static effect.
void handleResize(AppState& state, Screen& screen, TimeStamp now, RandomSource& random);

// Ctrl-C / Ctrl-Q: quits at once on a saved document; with unsaved changes the first
// request only arms the quit and the second one quits.
void requestQuit(AppState& state);

}  // namespace glyphloom
