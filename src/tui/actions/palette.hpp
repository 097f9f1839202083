// The palette picker's operations: loading whole groups of the 256-colour palette into a
// channel's pool, picking a palette colour, and mixing a 24-bit colour with the R, G, B and
// brightness sliders. The picker edits the channel named by AppState::paletteTargetFg.
#pragma once

#include <string_view>
#include <vector>

#include "core/model/color.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Colour groups of the palette: the grey ramp, the classic 16, the whole cube, and the six
// 36-colour slices of the cube (0 … 5, one per red level).
inline constexpr int paletteGroupGrays = -3;
inline constexpr int paletteGroupBase16 = -2;
inline constexpr int paletteGroupCube = -1;

// The colours of a group; empty for a number that names none.
std::vector<ANSIColorValue> paletteBulkColors(int group);
// Toggles a group in the channel's cycle or random pool; a solid channel keeps its pool.
// The note names the group either way.
void paletteGroupTapped(int group, bool forFg, AppState& state);
// A grid swatch: ansi256(index) becomes the channel's solid colour.
void paletteSwatchTapped(int index, AppState& state);

// The slider value under a column of a bar that starts at col0 and is `width` columns wide.
// Channels are "R", "G", "B", "L", optionally prefixed "tc".
int paletteSliderValue(std::string_view channel, int atColumn, int col0, int width);
// Clamps, stores into the draft and applies it.
void paletteSliderSet(std::string_view channel, int value, AppState& state);
// The draft's current value of a channel.
int paletteSliderCurrent(std::string_view channel, const TrueColorDraft& draft);

// The colour a draft mixes: each of r, g, b raised by l, clamped to 0 … 255.
ANSIColorValue tcDraftColor(const TrueColorDraft& mix);
// The mixed colour becomes the target channel's solid colour.
void applyTcDraft(AppState& state);

}  // namespace glyphloom
