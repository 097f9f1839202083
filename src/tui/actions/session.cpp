#include "tui/actions/session.hpp"

#include "tui/terminal/terminal.hpp"

namespace glyphloom {

void requestQuit(AppState& state) {
    if (state.dirty && !state.quitArmed) {
        state.quitArmed = true;
        state.statusNote = quitWarning;
        return;
    }
    state.shouldQuit = true;
}

void disarmQuit(AppState& state) { state.quitArmed = false; }

void quitAtEndOfInput(AppState& state) { state.shouldQuit = true; }

void handleResize(AppState& state, Screen& screen, TimeStamp now, RandomSource& random) {
    const TerminalSize size = Terminal::size();
    screen.resize(size.rows, size.cols);
    // While the user keeps dragging the window edge, every second or third change shows a
    // frame of static instead of a half-drawn interface.
    if (now - state.lastResizeAt > resizeStreakGap) {
        state.resizeStep = 0;
        state.resizeThreshold = random.uniformInt(2, 3);
    }
    state.lastResizeAt = now;
    if (++state.resizeStep >= state.resizeThreshold) state.resizeStatic = true;
}

}  // namespace glyphloom
