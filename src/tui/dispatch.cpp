#include "tui/dispatch.hpp"

namespace glyphloom {

void requestQuit(AppState& state) {
    if (state.dirty && !state.quitArmed) {
        state.quitArmed = true;
        state.statusNote = "unsaved changes — Ctrl-C again to quit";
        return;
    }
    state.shouldQuit = true;
}

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

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen) {
    (void)layout;
    (void)terminal;
    const bool quitKey = event.kind == InputEvent::Kind::key && (event.byte == 3 || event.byte == 17);
    // Any deliberate input other than another quit request disarms the confirmation;
    // merely moving the mouse does not.
    if (!quitKey && event.kind != InputEvent::Kind::mouseMove) state.quitArmed = false;

    switch (event.kind) {
        case InputEvent::Kind::eof:
            state.shouldQuit = true;
            break;
        case InputEvent::Kind::resize:
            handleResize(state, screen, std::chrono::steady_clock::now(), defaultRandomSource());
            break;
        case InputEvent::Kind::key:
            if (quitKey) requestQuit(state);
            break;
        default:
            break;
    }
}

}  // namespace glyphloom
