#include "tui/actions/preset_actions.hpp"

namespace glyphloom {

void applyPreset(int, AppState&) { }
void savePresetAt(int, AppState&) { }
void addPreset(AppState&) { }
void deletePreset(int, AppState&) { }
void advancePresetMode(AppState&) { }
void togglePresetMode(bool, AppState&) { }
void resetPresetsToDefault(AppState&) { }
void exportPresetBank(AppState&) { }
void openPresetLoadBrowser(AppState&) { }
void importPresetFile(const std::string&, AppState&) { }

}  // namespace glyphloom
