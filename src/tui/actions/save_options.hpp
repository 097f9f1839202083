// The save-options box: the document name (and saving under it), whether a SAUCE record is
// written, and the companion files a save also writes. These toggles belong to the user's identity, so each
// change is kept on disk at once.
#pragma once

#include "tui/state/app_state.hpp"
#include "tui/state/control_ids.hpp"

namespace glyphloom {

void saveOptionTapped(SaveOption option, AppState& state);
// The box's save: a name being typed in its row is taken first (with any folder in it),
// then the document is saved; the box closes once the work is safe.
void saveFromOptions(AppState& state);

}  // namespace glyphloom
