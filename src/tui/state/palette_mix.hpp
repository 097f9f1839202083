// What the palette picker shows: the colour groups of the 256-colour palette and the
// 24-bit mix's channels and colour. Plain readers of values; changing a channel, a pool or
// the mix is the palette actions' work.
#pragma once

#include <vector>

#include "core/model/color.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/control_ids.hpp"

namespace glyphloom {

// Colour groups of the palette: the grey ramp, the classic 16, the whole cube, and the six
// 36-colour slices of the cube (0 … 5, one per red level).
inline constexpr int paletteGroupGrays = -3;
inline constexpr int paletteGroupBase16 = -2;
inline constexpr int paletteGroupCube = -1;

// The colours of a group; empty for a number that names none.
std::vector<ANSIColorValue> paletteBulkColors(int group);

// The draft's field a mix channel edits; nothing for a cycle-repeat channel.
int* draftChannel(PaletteChannel channel, TrueColorDraft& draft);
// The draft's current value of a mix channel (0 for a cycle-repeat channel).
int paletteSliderCurrent(PaletteChannel channel, const TrueColorDraft& draft);
// The colour a draft mixes: each of r, g, b raised by l, clamped to 0 … 255.
ANSIColorValue tcDraftColor(const TrueColorDraft& mix);

}  // namespace glyphloom
