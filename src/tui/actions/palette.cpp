#include "tui/actions/palette.hpp"

#include <algorithm>

#include "core/color/color_depth.hpp"

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
    if (state.palettePickerOpen && state.paletteTargetFg == forFg) {
        state.palettePickerOpen = false;
    } else {
        state.palettePickerOpen = true;
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

}  // namespace glyphloom
