// The block-letter faces the Text tool can type with: the built-in ones followed by those
// imported this session. Choosing a face and typing with it are the text tool's.
#pragma once

#include "core/fonts/block_font.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// The built-in faces followed by the imported ones; the text tool's font index points here.
int availableFontCount(const AppState& state);
const BlockFont* availableFont(const AppState& state, int index);
// The face the Text tool types with, when one is chosen and still exists.
const BlockFont* currentTextFont(const AppState& state);

}  // namespace glyphloom
