#include "tui/main_loop.hpp"

#include "tui/chrome.hpp"
#include "tui/dispatch.hpp"

namespace glyphloom {

Layout drawFrame(AppState& state, Screen& screen) {
    Layout layout = Chrome::compose(state, screen);
    screen.flush();
    return layout;
}

void runMainLoop(AppState& state, Terminal& terminal, Screen& screen, Layout& layout) {
    while (!state.shouldQuit) {
        const std::vector<InputEvent> events = terminal.readEvents();
        if (events.empty()) continue;
        for (const InputEvent& event : events) handle(event, state, layout, terminal, screen);
        layout = drawFrame(state, screen);
    }
}

}  // namespace glyphloom
