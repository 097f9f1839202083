// The preset row: applying, saving, adding and deleting slots, the preset modes, the bank file menu.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include <string>
#include "core/format/preset.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

void applyPreset(int index, AppState& state);
void savePresetAt(int index, AppState& state);
void addPreset(AppState& state);
void deletePreset(int index, AppState& state);
void advancePresetMode(AppState& state);
void togglePresetMode(bool cycle, AppState& state);
void resetPresetsToDefault(AppState& state);
void exportPresetBank(AppState& state);
void openPresetLoadBrowser(AppState& state);
void importPresetFile(const std::string& named, AppState& state);

}  // namespace glyphloom
