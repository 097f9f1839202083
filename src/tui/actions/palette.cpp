#include "tui/actions/palette.hpp"

#include <algorithm>

#include "core/color/color_depth.hpp"

namespace glyphloom {
namespace {

int* draftField(PaletteChannel channel, TrueColorDraft& draft) {
    switch (channel) {
        case PaletteChannel::tcR: return &draft.r;
        case PaletteChannel::tcG: return &draft.g;
        case PaletteChannel::tcB: return &draft.b;
        case PaletteChannel::tcL: return &draft.l;
        case PaletteChannel::fg:
        case PaletteChannel::bg: return nullptr;
    }
    return nullptr;
}

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
        state.fg = color;
        state.fgCycle = state.fgRandom = state.fgNull = false;
    } else {
        state.penBg = backgroundForMode(color, state.blinkingText);
        state.bgCycle = state.bgRandom = state.bgNull = false;
    }
}

}  // namespace

std::vector<ANSIColorValue> paletteBulkColors(int group) {
    int first = 0, count = 0;
    if (group == paletteGroupGrays) {
        first = 232, count = 24;
    } else if (group == paletteGroupBase16) {
        std::vector<ANSIColorValue> colors;
        for (int n = 0; n < 16; ++n) colors.push_back(ANSIColorValue::ansi16(n));
        return colors;
    } else if (group == paletteGroupCube) {
        first = 16, count = 216;
    } else if (group >= 0 && group <= 5) {
        first = 16 + 36 * group, count = 36;
    }
    std::vector<ANSIColorValue> colors;
    for (int n = first; n < first + count; ++n) colors.push_back(ANSIColorValue::ansi256(n));
    return colors;
}

void paletteGroupTapped(int group, bool forFg, AppState& state) {
    const std::vector<ANSIColorValue> colors = paletteBulkColors(group);
    if (colors.empty()) return;
    std::vector<ANSIColorValue>* pool = nullptr;
    if (forFg ? state.fgCycle : state.bgCycle) {
        pool = forFg ? &state.fgCyclePool : &state.bgCyclePool;
        (forFg ? state.fgCycleIndex : state.bgCycleIndex) = 0;
        (forFg ? state.fgCycleCount : state.bgCycleCount) = 0;
    } else if (forFg ? state.fgRandom : state.bgRandom) {
        pool = forFg ? &state.fgRandomPool : &state.bgRandomPool;
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
    int* field = draftField(channel, state.tcDraft);
    if (!field) return;
    *field = channel == PaletteChannel::tcL ? std::clamp(value, -128, 128) : std::clamp(value, 0, 255);
    applyTcDraft(state);
}

int paletteSliderCurrent(PaletteChannel channel, const TrueColorDraft& draft) {
    TrueColorDraft copy = draft;
    const int* field = draftField(channel, copy);
    return field ? *field : 0;
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

ANSIColorValue tcDraftColor(const TrueColorDraft& mix) {
    auto channel = [&](int v) {
        return static_cast<std::uint8_t>(std::clamp<long long>(static_cast<long long>(v) + mix.l, 0, 255));
    };
    return ANSIColorValue::truecolor(channel(mix.r), channel(mix.g), channel(mix.b));
}

void applyTcDraft(AppState& state) { makeSolid(tcDraftColor(state.tcDraft), state.paletteTargetFg, state); }

}  // namespace glyphloom
