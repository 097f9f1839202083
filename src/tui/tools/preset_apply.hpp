// A preset's settings written into the editor, and the editor's settings taken into a
// preset: the tools' side of presets, which the preset row and the hover preview share.
#pragma once

#include "core/format/preset.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Writes every setting the preset holds into the editor.
void applyPreset(const TUIPreset& preset, AppState& state);
// Every setting applyPreset reads, as the editor has it now. No name.
TUIPreset makeCurrentPreset(const AppState& state);

}  // namespace glyphloom
