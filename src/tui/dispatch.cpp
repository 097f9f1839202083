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
        case InputEvent::Kind::resize: {
            const TerminalSize size = Terminal::size();
            screen.resize(size.rows, size.cols);
            break;
        }
        case InputEvent::Kind::key:
            if (quitKey) requestQuit(state);
            break;
        default:
            break;
    }
}

}  // namespace glyphloom
