#include "tui/actions/preset_actions.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <set>
#include <vector>

#include "core/format/builtin_presets.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "core/text/cp437_characters.hpp"
#include "core/text/utf8.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/tools/active_pen.hpp"

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

// Rounds half away from zero into lo…hi. Clamping before rounding keeps huge values from
// overflowing; with whole-number bounds the result is the same as rounding first.
int roundedInto(double value, int lo, int hi) {
    if (std::isnan(value)) return lo;
    return static_cast<int>(std::lround(std::clamp(value, static_cast<double>(lo), static_cast<double>(hi))));
}

template <class T>
void setIfPresent(const std::optional<T>& from, T& to) {
    if (from) to = *from;
}

void setClampedIfPresent(const std::optional<int>& from, int& to, int lo, int hi) {
    if (from) to = std::clamp(*from, lo, hi);
}

std::vector<std::string> scalarsOf(const std::string& text) {
    std::vector<std::string> chars;
    for (char32_t scalar : utf8::decode(text)) chars.push_back(utf8::encode(scalar));
    return chars;
}

void persistBank(const AppState& state) {
    // Keeping the bank on disk is a convenience; the editor carries on with its copy in memory.
    persistPresetBank(state.presets);
}

void applyColours(const TUIPreset& p, AppState& state) {
    setIfPresent(p.character, state.penChar);
    setIfPresent(p.foreground, state.fg);
    if (p.background) {
        ANSIColorValue bg = *p.background;
        // Blinking text takes the bright half of the classic backgrounds.
        if (state.blinkingText && bg.isANSI16() && bg.n >= 8) bg = ANSIColorValue::ansi16(bg.n - 8);
        state.penBg = bg;
    }
}

void applyBrushAndShapes(const TUIPreset& p, AppState& state) {
    if (p.tool) state.tool = toolForPresetID(*p.tool);
    setIfPresent(p.penLineStyle, state.penLineStyle);
    if (p.brushSize) {
        BrushSize brush = *p.brushSize;
        if (brush.kind == BrushSize::Kind::cells) brush.n = std::clamp(brush.n, 1, 10);
        state.brush = brush;
    }
    setIfPresent(p.paintSimulatedPressureControlsSize, state.velocityControlsSize);
    setIfPresent(p.lineDrawStyle, state.lineStyle);
    setIfPresent(p.lineStitchMode, state.lineStitchMode);
    if (p.lineThickness && p.lineThickness->kind == BrushSize::Kind::cells)
        state.lineThickness = std::clamp(p.lineThickness->n, 1, 4);
    else
        setClampedIfPresent(p.lineThicknessCells, state.lineThickness, 1, 4);

    setIfPresent(p.boxFilled, state.boxOptions.filled);
    setIfPresent(p.boxOutline, state.boxOptions.outline);
    setIfPresent(p.boxPenLine, state.boxOptions.penLine);
    setIfPresent(p.boxStyle, state.boxOptions.style);
    setClampedIfPresent(p.boxThickness, state.boxOptions.thickness, 1, 4);
    setIfPresent(p.ovalFilled, state.ovalOptions.filled);
    setIfPresent(p.ovalOutline, state.ovalOptions.outline);
    setIfPresent(p.ovalDrawMode, state.ovalOptions.drawMode);
    if (p.ovalThickness) state.ovalThickness = state.ovalOptions.thickness = std::clamp(*p.ovalThickness, 1, 4);

    if (p.gradientFill) {
        state.fillMode = *p.gradientFill ? FillMode::gradient(p.gradientDirection.value_or(GradientDirection::vertical))
                                         : FillMode::solid();
    }
    state.shapeFill = p.shapeFillTUI.value_or(ShapeFillStyle{});
    setIfPresent(p.symmetryMode, state.symmetryMode);
    setIfPresent(p.brushRounded, state.brushRounded);
    setClampedIfPresent(p.fontScale, state.textScale, 1, 3);
    setIfPresent(p.textTypeDirection, state.textDirection);
}

void applyEffects(const TUIPreset& p, AppState& state) {
    setClampedIfPresent(p.sprayRadius, state.sprayRadius, 1, 8);
    setClampedIfPresent(p.sprayDensity, state.sprayDensity, 1, 20);
    setIfPresent(p.sprayTargetBG, state.sprayTargetBG);
    setIfPresent(p.simulatedPressureControlsSpray, state.velSprayDensity);
    if (p.sprayVariance)
        state.sprayVariance = roundedInto(std::clamp(*p.sprayVariance, 0.0, 1.0) * 100.0, 0, 100);
    else
        setClampedIfPresent(p.sprayVariancePct, state.sprayVariance, 0, 100);

    if (p.dodgeBurnStrength) state.dodgeBurnStrength = roundedInto(*p.dodgeBurnStrength * 100.0, 1, 100);
    setIfPresent(p.dodgeBurnTargetFG, state.dodgeBurnFG);
    setIfPresent(p.dodgeBurnTargetBG, state.dodgeBurnBG);
    setIfPresent(p.simulatedPressureControlsDodgeBurn, state.velDodgeBurn);
    if (p.prismAngle) state.prismSteps = roundedInto(std::clamp(*p.prismAngle, 0.0, 360.0) / 60.0, 1, 3);
    setIfPresent(p.prismTargetFG, state.prismFG);
    setIfPresent(p.prismTargetBG, state.prismBG);
    setIfPresent(p.simulatedPressureControlsPrism, state.velPrism);
    if (p.scatterVariance) state.scatterVariance = roundedInto(*p.scatterVariance * 100.0, 0, 100);
    setIfPresent(p.scatterTargetFG, state.scatterFG);
    setIfPresent(p.scatterTargetBG, state.scatterBG);
    setIfPresent(p.simulatedPressureControlsScatter, state.velScatter);
}

// The cycles and random pools are always written: a preset without them switches them off,
// so a slot never inherits the previous slot's fades.
void applyCyclesAndPools(const TUIPreset& p, AppState& state) {
    setIfPresent(p.colorCycleResetPerStroke, state.colorCycleResetPerStroke);
    setIfPresent(p.charCycleForward, state.charCycleForward);
    setIfPresent(p.charCycleWrap, state.charCycleWrap);
    setIfPresent(p.charCycleResetPerStroke, state.charCycleResetPerStroke);

    state.fgCycle = p.foregroundCycle.value_or(false);
    state.fgCyclePool = p.fgCycleColors.value_or(std::vector<ANSIColorValue>{});
    state.fgCycleStep = std::max(1, p.fgCycleStep.value_or(1));
    state.bgCycle = p.backgroundCycle.value_or(false);
    state.bgCyclePool = p.bgCycleColors.value_or(std::vector<ANSIColorValue>{});
    state.bgCycleStep = std::max(1, p.bgCycleStep.value_or(1));
    state.fgRandom = p.foregroundRandom.value_or(false);
    state.fgRandomPool = p.fgRandomColors.value_or(std::vector<ANSIColorValue>{});
    state.bgRandom = p.backgroundRandom.value_or(false);
    state.bgRandomPool = p.bgRandomColors.value_or(std::vector<ANSIColorValue>{});

    if (p.charCycleChars)
        state.charCyclePool = *p.charCycleChars;
    else if (p.charCycleSequence)
        state.charCyclePool = scalarsOf(*p.charCycleSequence);
    else
        state.charCyclePool.clear();
    state.charCycle = p.characterCycle.value_or(false);
    resetCharCycleToSelected(state);
    state.charCycleStep = std::max(1, p.charCycleStep.value_or(1));

    // The group names are kept too, so the fades panel shows which groups feed the pool.
    const std::vector<std::string> groups = p.charRandomGroups.value_or(std::vector<std::string>{});
    state.charRandomGroups = std::set<std::string>(groups.begin(), groups.end());
    state.charRandomPool = p.charRandomChars ? *p.charRandomChars : CP437Characters::charactersOfGroups(groups);
    state.charRandom = p.characterRandom.value_or(false);
}

}  // namespace

void applyPreset(const TUIPreset& preset, AppState& state) {
    applyColours(preset, state);
    applyBrushAndShapes(preset, state);
    applyEffects(preset, state);
    applyCyclesAndPools(preset, state);
}

void applyPreset(int index, AppState& state) {
    const TUIPreset* preset = presetAt(state, index);
    if (preset == nullptr) return;
    state.selectedPreset = index;
    // A copy: the preset lives in the state that applying changes.
    applyPreset(TUIPreset(*preset), state);
}

TUIPreset makeCurrentPreset(const AppState& state) {
    TUIPreset p;
    p.character = state.penChar;
    p.foreground = state.fg;
    p.background = state.penBg;
    p.tool = presetIDForTool(state.tool);
    p.penLineStyle = state.penLineStyle;

    p.foregroundCycle = state.fgCycle;
    p.fgCycleColors = state.fgCyclePool;
    p.fgCycleStep = state.fgCycleStep;
    p.foregroundRandom = state.fgRandom;
    p.fgRandomColors = state.fgRandomPool;
    p.backgroundCycle = state.bgCycle;
    p.bgCycleColors = state.bgCyclePool;
    p.bgCycleStep = state.bgCycleStep;
    p.backgroundRandom = state.bgRandom;
    p.bgRandomColors = state.bgRandomPool;
    p.characterCycle = state.charCycle;
    // The explicit list rather than one string: pool entries may be clusters of several scalars.
    p.charCycleChars = state.charCyclePool;
    p.charCycleStep = state.charCycleStep;
    p.characterRandom = state.charRandom;
    if (!state.charRandomGroups.empty())
        p.charRandomGroups = std::vector<std::string>(state.charRandomGroups.begin(), state.charRandomGroups.end());
    p.charRandomChars = state.charRandomPool;

    p.brushSize = state.brush;
    p.paintSimulatedPressureControlsSize = state.velocityControlsSize;
    p.colorCycleResetPerStroke = state.colorCycleResetPerStroke;
    p.charCycleForward = state.charCycleForward;
    p.charCycleWrap = state.charCycleWrap;
    p.charCycleResetPerStroke = state.charCycleResetPerStroke;
    p.lineDrawStyle = state.lineStyle;
    p.lineStitchMode = state.lineStitchMode;
    p.lineThickness = BrushSize::cells(state.lineThickness);
    p.lineThicknessCells = state.lineThickness;
    p.boxFilled = state.boxOptions.filled;
    p.boxOutline = state.boxOptions.outline;
    p.boxPenLine = state.boxOptions.penLine;
    p.boxThickness = state.boxOptions.thickness;
    p.boxStyle = state.boxOptions.style;
    p.ovalFilled = state.ovalOptions.filled;
    p.ovalOutline = state.ovalOptions.outline;
    p.ovalDrawMode = state.ovalOptions.drawMode;
    p.ovalThickness = state.ovalOptions.thickness;

    p.sprayRadius = state.sprayRadius;
    p.sprayDensity = state.sprayDensity;
    p.sprayTargetBG = state.sprayTargetBG;
    p.simulatedPressureControlsSpray = state.velSprayDensity;
    p.sprayVariance = state.sprayVariance / 100.0;
    p.sprayVariancePct = state.sprayVariance;
    p.gradientFill = state.fillMode.kind == FillMode::Kind::gradient;
    if (*p.gradientFill) p.gradientDirection = state.fillMode.direction;
    p.shapeFillTUI = state.shapeFill;
    p.symmetryMode = state.symmetryMode;
    p.brushRounded = state.brushRounded;
    p.dodgeBurnStrength = state.dodgeBurnStrength / 100.0;
    p.dodgeBurnTargetFG = state.dodgeBurnFG;
    p.dodgeBurnTargetBG = state.dodgeBurnBG;
    p.simulatedPressureControlsDodgeBurn = state.velDodgeBurn;
    p.prismAngle = state.prismSteps * 60.0;
    p.prismTargetFG = state.prismFG;
    p.prismTargetBG = state.prismBG;
    p.simulatedPressureControlsPrism = state.velPrism;
    p.scatterVariance = state.scatterVariance / 100.0;
    p.scatterTargetFG = state.scatterFG;
    p.scatterTargetBG = state.scatterBG;
    p.simulatedPressureControlsScatter = state.velScatter;
    p.fontScale = state.textScale;
    p.textTypeDirection = state.textDirection;
    return p;
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
    state.presetHoverIndex.reset();
    state.presetHoverCells.reset();
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
    state.fontBrowserMode = false;
    state.imageBrowserMode = false;
    state.presetBrowserMode = true;
    refreshBrowse(state);
    state.fileBrowserOpen = true;
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

void togglePresetFileMenu(AppState& state) { state.presetFileMenuOpen = !state.presetFileMenuOpen; }

void presetFileMenuClicked(std::optional<bool> exportRow, AppState& state) {
    state.presetFileMenuOpen = false;
    if (!exportRow) return;
    if (*exportRow) exportPresetBank(state);
    else openPresetLoadBrowser(state);
}

}  // namespace glyphloom
