// The save-options box: the document name, whether a SAUCE record is written, and the
// companion files a save also writes. These toggles belong to the user's identity, so each
// change is kept on disk at once.
#pragma once

#include "tui/state/app_state.hpp"
#include "tui/state/control_ids.hpp"

namespace glyphloom {

void saveOptionTapped(SaveOption option, AppState& state);

}  // namespace glyphloom
