#include "tui/actions/preset_actions.hpp"

#include <cstddef>
#include <vector>

#include "core/format/builtin_presets.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace {

// Bigger than any bank a person would keep, small enough to read whole.
constexpr std::size_t maxPresetFileBytes = 16 * 1024 * 1024;

const TUIPreset* presetAt(const AppState& state, int index) {
    if (index < 0 || index >= static_cast<int>(state.presets.size())) return nullptr;
    const auto& slot = state.presets[static_cast<std::size_t>(index)];
    return slot ? &*slot : nullptr;
}

std::string slotLabel(int index) { return std::string(Chrome::presetSlotLabels[static_cast<std::size_t>(index)]); }

void persistBank(const AppState& state) {
    // Keeping the bank on disk is a convenience; the editor carries on with its copy in memory.
    persistPresetBank(state.presets);
}

}  // namespace

void applyPreset(int index, AppState& state) {
    const TUIPreset* preset = presetAt(state, index);
    if (preset == nullptr) return;
    state.selectedPreset = index;
    // A copy: the preset lives in the state that applying changes.
    applyPreset(TUIPreset(*preset), state);
}

void savePresetAt(int index, AppState& state) {
    if (index < 0 || index >= static_cast<int>(presetSlotCount)) return;
    if (state.presets.size() != presetSlotCount) state.presets = padBank(std::move(state.presets));
    auto& slot = state.presets[static_cast<std::size_t>(index)];
    TUIPreset preset = makeCurrentPreset(state);
    if (slot) preset.name = slot->name;
    slot = std::move(preset);
    state.selectedPreset = index;
    state.preResetPresets.reset();
    state.preview.presetHoverIndex.reset();
    state.preview.presetHoverCells.reset();
    persistBank(state);
    state.statusNote = "preset " + slotLabel(index) + " saved";
}

void addPreset(AppState& state) {
    for (int i = 0; i < static_cast<int>(presetSlotCount); ++i) {
        if (presetAt(state, i) == nullptr) {
            savePresetAt(i, state);
            return;
        }
    }
    state.statusNote = "preset bank full";
}

void deletePreset(int index, AppState& state) {
    if (presetAt(state, index) == nullptr) return;
    state.presets[static_cast<std::size_t>(index)].reset();
    if (state.selectedPreset == index) state.selectedPreset.reset();
    state.presetDeleteArmed.reset();
    persistBank(state);
    state.statusNote = "preset deleted";
}

void clickPresetSlot(int index, AppState& state) {
    // An empty slot shows a "+": the click saves the current set-up into it.
    if (presetAt(state, index) == nullptr) return savePresetAt(index, state);
    if (!state.presetCycle && !state.presetRandom) {
        applyPreset(index, state);
        return;
    }
    if (state.presetPool.erase(index) == 0) state.presetPool.insert(index);
    state.statusNote = "preset pool: " + std::to_string(state.presetPool.size());
}

void rightClickPresetSlot(int index, bool armedHere, AppState& state) {
    if (presetAt(state, index) == nullptr) return;
    if (armedHere) {
        deletePreset(index, state);
        return;
    }
    state.presetDeleteArmed = index;
    state.statusNote = "right-click again to delete this preset";
}

std::optional<int> takePresetDeleteArm(AppState& state) {
    const std::optional<int> armed = state.presetDeleteArmed;
    state.presetDeleteArmed.reset();
    return armed;
}

void advancePresetMode(AppState& state, RandomSource& random) {
    if (!state.presetCycle && !state.presetRandom) return;
    std::vector<int> candidates;
    for (int i = 0; i < static_cast<int>(presetSlotCount); ++i)
        if (presetAt(state, i) != nullptr && state.presetPool.contains(i)) candidates.push_back(i);
    if (candidates.empty()) return;
    const int count = static_cast<int>(candidates.size());
    if (state.presetRandom) {
        applyPreset(candidates[static_cast<std::size_t>(random.uniformInt(0, count - 1))], state);
        return;
    }
    // The index only grows; a negative one (never written here) must still land in range.
    const int at = ((state.presetCycleIndex % count) + count) % count;
    applyPreset(candidates[static_cast<std::size_t>(at)], state);
    ++state.presetCycleIndex;
}

void togglePresetMode(bool cycle, AppState& state) {
    if (cycle) {
        state.presetCycle = !state.presetCycle;
        if (state.presetCycle) {
            state.presetRandom = false;
            state.presetCycleIndex = 0;
        }
    } else {
        state.presetRandom = !state.presetRandom;
        if (state.presetRandom) state.presetCycle = false;
    }
    if ((state.presetCycle || state.presetRandom) && state.presetPool.empty()) {
        for (int i = 0; i < static_cast<int>(presetSlotCount); ++i)
            if (presetAt(state, i) != nullptr) state.presetPool.insert(i);
    }
}

void resetPresetsToDefault(AppState& state) {
    if (state.preResetPresets) {
        state.presets = padBank(std::move(*state.preResetPresets));
        state.preResetPresets.reset();
        persistBank(state);
        state.statusNote = "presets restored";
        return;
    }
    auto builtin = decodeBankStrictly(builtinPresetBankText());
    if (!builtin) return;
    state.preResetPresets = std::move(state.presets);
    state.presets = padBank(std::move(*builtin));
    persistBank(state);
    state.selectedPreset.reset();
    state.statusNote = "reset to default presets (click ↺ again to undo)";
}

void exportPresetBank(AppState& state) {
    // Only the last part of the name: the file belongs in the current directory, whatever
    // the document's name holds.
    std::string base = state.filename.substr(state.filename.find_last_of('/') + 1);
    if (base.empty() || base == "Untitled") base = "presets";
    const std::string name = base + ".ansipresets";
    const auto text = encodeBank(state.presets);
    if (!text || !writeFileAtomically(name, *text).empty()) {
        state.statusNote = "preset export failed";
        return;
    }
    state.statusNote = "saved " + name;
}

void openPresetLoadBrowser(AppState& state) {
    openOverlay(Overlay::fileBrowser, state);
    state.browseFor = BrowseFor::presets;
    refreshBrowse(state);
    state.statusNote = state.browseDir;
}

void importPresetFile(const std::string& named, AppState& state) {
    const std::string path = named.starts_with("/") ? named : state.browseDir + "/" + named;
    const FileReadResult file = readWholeFile(path, maxPresetFileBytes);
    auto bank = file.data ? decodeBankSalvaging(*file.data, presetSlotCount) : std::nullopt;
    if (!bank) {
        state.statusNote = "couldn't read presets: " + named;
        return;
    }
    state.preResetPresets.reset();
    state.presets = padBank(std::move(*bank));
    persistBank(state);
    state.selectedPreset.reset();
    state.statusNote = "loaded presets from " + named;
}

void togglePresetFileMenu(AppState& state) { toggleOverlay(Overlay::presetFileMenu, state); }

void presetFileMenuClicked(std::optional<bool> exportRow, AppState& state) {
    closeOverlay(Overlay::presetFileMenu, state);
    if (!exportRow) return;
    if (*exportRow) exportPresetBank(state);
    else openPresetLoadBrowser(state);
}

}  // namespace glyphloom
