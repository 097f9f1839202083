// Selection actions, the clipboard and floating pastes.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include <string>
#include <unordered_map>
#include "core/model/cell_grid.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

void performSelectAction(SelectAction action, AppState& state);
void stampClipboard(const CellGrid& clip, GridKey at, AppState& state);
std::unordered_map<GridKey, ANSICell> floatPreviewOverlay(const CellGrid& clip, GridKey at);

// Flips the blink attribute of every cell in the selection on the active layer; turns on
// blinking-text mode first, since blink costs the bright backgrounds.
void blinkSelection(AppState& state);

}  // namespace glyphloom
