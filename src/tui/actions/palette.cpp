#include "tui/actions/palette.hpp"

#include <algorithm>

#include "core/color/color_depth.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace {

std::string groupNote(int group) {
    switch (group) {
        case paletteGroupGrays: return "grays: all";
        case paletteGroupBase16: return "base 16: all";
        case paletteGroupCube: return "cube: all";
        default: return "cube group " + std::to_string(group + 1);
    }
}

// The whole solid-colour change of one channel: no pool, not left alone.
void makeSolid(const ANSIColorValue& color, bool forFg, AppState& state) {
    if (forFg) {
        state.tools.fg = color;
        state.tools.fgCycle = state.tools.fgRandom = state.tools.fgNull = false;
    } else {
        state.tools.penBg = backgroundForMode(color, state.doc.blinkingText);
        state.tools.bgCycle = state.tools.bgRandom = state.tools.bgNull = false;
    }
}

}  // namespace

void paletteGroupTapped(int group, bool forFg, AppState& state) {
    const std::vector<ANSIColorValue> colors = paletteBulkColors(group);
    if (colors.empty()) return;
    std::vector<ANSIColorValue>* pool = nullptr;
    if (forFg ? state.tools.fgCycle : state.tools.bgCycle) {
        pool = forFg ? &state.tools.fgCyclePool : &state.tools.bgCyclePool;
        (forFg ? state.cycles.fg : state.cycles.bg) = {};
    } else if (forFg ? state.tools.fgRandom : state.tools.bgRandom) {
        pool = forFg ? &state.tools.fgRandomPool : &state.tools.bgRandomPool;
    }
    if (pool) {
        auto present = [&](const ANSIColorValue& c) { return std::find(pool->begin(), pool->end(), c) != pool->end(); };
        if (std::all_of(colors.begin(), colors.end(), present)) {
            std::erase_if(*pool, [&](const ANSIColorValue& c) {
                return std::find(colors.begin(), colors.end(), c) != colors.end();
            });
        } else {
            for (const ANSIColorValue& c : colors)
                if (!present(c)) pool->push_back(c);
        }
    }
    state.statusNote = groupNote(group);
}

void paletteSwatchTapped(int index, AppState& state) {
    if (index < 0 || index > 255) return;
    makeSolid(ANSIColorValue::ansi256(index), state.paletteTargetFg, state);
}

int paletteSliderValue(PaletteChannel channel, int atColumn, int col0, int width) {
    const int w = std::max(1, width - 1);
    const int p = std::clamp(atColumn - col0, 0, w);
    if (channel == PaletteChannel::tcL) return p * 256 / w - 128;
    return p * 255 / w;
}

void paletteSliderSet(PaletteChannel channel, int value, AppState& state) {
    int* field = draftChannel(channel, state.tcDraft);
    if (!field) return;
    *field = channel == PaletteChannel::tcL ? std::clamp(value, -128, 128) : std::clamp(value, 0, 255);
    applyTcDraft(state);
}

void paletteButtonTapped(bool forFg, AppState& state) {
    if (state.overlay == Overlay::palettePicker && state.paletteTargetFg == forFg) {
        closeOverlay(Overlay::palettePicker, state);
    } else {
        openOverlay(Overlay::palettePicker, state);
        state.paletteTargetFg = forFg;
    }
}

void retargetPalettePicker(bool forFg, AppState& state) { state.paletteTargetFg = forFg; }

void startPaletteSliderDrag(PaletteChannel channel, int col0, int width, int x, AppState& state) {
    state.paletteSliderDrag = PaletteSliderDrag{channel, col0, width};
    paletteSliderDragTo(x, state);
}

void paletteSliderDragTo(int x, AppState& state) {
    if (!state.paletteSliderDrag) return;
    const PaletteSliderDrag& drag = *state.paletteSliderDrag;
    paletteSliderSet(drag.channel, paletteSliderValue(drag.channel, x, drag.col0, drag.width), state);
}

void endPaletteSliderDrag(AppState& state) { state.paletteSliderDrag.reset(); }

void applyTcDraft(AppState& state) { makeSolid(tcDraftColor(state.tcDraft), state.paletteTargetFg, state); }

void startStepEntry(PaletteChannel channel, AppState& state) {
    openPrompt(Prompt::forStepValue(channel), state);
    if (!isMixChannel(channel)) state.statusNote = "type a repeat number, Enter to set";
    else if (channel == PaletteChannel::tcL) state.statusNote = "type a value −128…128, Enter to set";
    else state.statusNote = "type a value 0–255, Enter to set";
}

void commitStepEntry(AppState& state) {
    const auto channel = state.prompt ? state.prompt->stepChannel() : std::nullopt;
    if (!channel) return;
    const std::string text = state.prompt->text();
    cancelPrompt(state);
    int value = 0;
    try {
        value = std::stoi(text);
    } catch (...) {
        return;  // nothing typed: the value stays
    }
    if (isMixChannel(*channel)) paletteSliderSet(*channel, value, state);  // clamps and applies the mixed colour
    else setCycleRepeat(*channel == PaletteChannel::fg, value, state);
}

}  // namespace glyphloom
