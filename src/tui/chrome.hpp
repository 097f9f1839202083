// Draws a whole frame of the interface from the editor state into the screen's back buffer
// and reports the layout it used.
#pragma once

#include "tui/app_state.hpp"
#include "tui/layout.hpp"
#include "tui/screen.hpp"

namespace glyphloom {

struct Chrome {
    static Layout compose(AppState& state, Screen& screen);
};

}  // namespace glyphloom
