// The Select tool's actions: copy, cut and fill of the selected rectangle, floating a paste of
// the copied block and placing it, typing the system clipboard's text into the canvas, and
// the blink flip of the selection.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/model/cell_grid.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/control_ids.hpp"

namespace glyphloom {

// Where the system clipboard's text comes from; tests hand in their own.
using ClipboardReader = std::function<std::optional<std::string>()>;

void performSelectAction(SelectAction action, AppState& state);
void performSelectAction(SelectAction action, AppState& state, const ClipboardReader& readClipboard);
// The same by button label; an unknown label does nothing.
void performSelectAction(const std::string& action, AppState& state);

// Writes every clipboard cell whose place (at + its offset) is inside the document into the
// active layer, all fields included. The caller takes the undo snapshot.
void stampClipboard(const CellGrid& clip, GridKey at, AppState& state);
// Puts the floating paste down with its top-left at `at` as one undo step; the float ends
// (also when the clipboard has gone).
void placeFloatingPaste(GridKey at, AppState& state);
// The clipboard placed with its top-left at `at`, clipped to the document; blank cells
// included, so the floating block hides what is under it.
std::unordered_map<GridKey, ANSICell> floatPreviewOverlay(const Document& doc, const CellGrid& clip, GridKey at);

// Flips the blink attribute of every cell in the selection on the active layer; turns on
// blinking-text mode first, since blink costs the bright backgrounds.
void blinkSelection(AppState& state);

}  // namespace glyphloom
