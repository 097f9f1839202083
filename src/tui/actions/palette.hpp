// The palette picker's operations: loading whole groups of the 256-colour palette into a
// channel's pool, picking a palette colour, and mixing a 24-bit colour with the R, G, B and
// brightness sliders. The picker edits the channel named by AppState::paletteTargetFg.
#pragma once

#include "core/model/color.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/control_ids.hpp"
#include "tui/state/palette_mix.hpp"

namespace glyphloom {

// Toggles a group in the channel's cycle or random pool; a solid channel keeps its pool.
// The note names the group either way.
void paletteGroupTapped(int group, bool forFg, AppState& state);
// A grid swatch: ansi256(index) becomes the channel's solid colour.
void paletteSwatchTapped(int index, AppState& state);

// The slider value under a column of a bar that starts at col0 and is `width` columns wide.
int paletteSliderValue(PaletteChannel channel, int atColumn, int col0, int width);
// Clamps, stores into the draft and applies it; a cycle-repeat channel changes nothing.
void paletteSliderSet(PaletteChannel channel, int value, AppState& state);

// The "▦" button of a colour row: opens the picker for that row's channel, or closes the
// picker when it is open for that channel already.
void paletteButtonTapped(bool forFg, AppState& state);
// While the picker is open, a row's "▦" button only points the picker at that channel.
void retargetPalettePicker(bool forFg, AppState& state);

// A press on a slider bar starts a drag there and sets the value under the pointer; the
// drag follows column `x` until the button comes up.
void startPaletteSliderDrag(PaletteChannel channel, int col0, int width, int x, AppState& state);
void paletteSliderDragTo(int x, AppState& state);
void endPaletteSliderDrag(AppState& state);

// The mixed colour becomes the target channel's solid colour.
void applyTcDraft(AppState& state);

// Typing a number for a channel: a mix slider's value or a colour row's cycle repeat.
void startStepEntry(PaletteChannel channel, AppState& state);
// Applies the typed number to its channel (clamped) and ends the entry; an empty field
// leaves the value as it was.
void commitStepEntry(AppState& state);

}  // namespace glyphloom
