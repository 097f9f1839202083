// The preset row: applying a slot to the editor and capturing the editor's settings into one,
// saving, adding and deleting slots, the cycle and random preset modes, resetting the bank to
// the built-in one (with a one-step undo), and exporting and importing bank files.
#pragma once

#include <optional>
#include <string>

#include "core/format/preset.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"
#include "tui/tools/preset_apply.hpp"

namespace glyphloom {

// Writes the slot's settings into the editor; an empty slot or one outside the bank does
// nothing.
void applyPreset(int index, AppState& state);

// Stores the current settings in the slot, keeping the slot's old name, and writes the bank.
void savePresetAt(int index, AppState& state);
// Saves into the first empty slot, if there is one.
void addPreset(AppState& state);
// Empties a filled slot and writes the bank.
void deletePreset(int index, AppState& state);

// A left click on a slot: while a preset mode is on it adds the slot to the mode's pool or
// takes it out; otherwise it applies the slot. On an empty slot (its "+") it saves the
// current set-up there.
void clickPresetSlot(int index, AppState& state);
// A right click on a slot: the first arms the deletion, a second one in a row on the same
// slot deletes it. `armedHere`: this slot was armed before the click.
void rightClickPresetSlot(int index, bool armedHere, AppState& state);
// Every click past the boxes disarms a pending deletion; this tells which slot was armed.
std::optional<int> takePresetDeleteArm(AppState& state);

// Each canvas press: with a preset mode on, applies the next slot of the pool (cycle) or a
// random one (random mode wins when both are on).
void advancePresetMode(AppState& state, RandomSource& random = defaultRandomSource());
// The "⟳" (cycle) and "⤨" (random) controls; the two modes exclude each other.
void togglePresetMode(bool cycle, AppState& state);

// The "↺" control: installs the built-in bank, or, right after such a reset, brings back the
// bank it replaced.
void resetPresetsToDefault(AppState& state);
// Writes the bank to <document name>.ansipresets in the current directory.
void exportPresetBank(AppState& state);
void openPresetLoadBrowser(AppState& state);
// The "↥" control opens and closes the menu with the two rows above; any click closes it.
void togglePresetFileMenu(AppState& state);
// A click while the menu is open: it closes, and a click on a row exports (true) or opens
// the browser to load a bank (false).
void presetFileMenuClicked(std::optional<bool> exportRow, AppState& state);
// Replaces the bank with the one in the file (a name in the browse folder, or a full path).
void importPresetFile(const std::string& named, AppState& state);

}  // namespace glyphloom
