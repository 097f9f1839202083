#include "tui/state/palette_mix.hpp"

#include <algorithm>
#include <cstdint>

namespace glyphloom {

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

int* draftChannel(PaletteChannel channel, TrueColorDraft& draft) {
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

int paletteSliderCurrent(PaletteChannel channel, const TrueColorDraft& draft) {
    TrueColorDraft copy = draft;
    const int* field = draftChannel(channel, copy);
    return field ? *field : 0;
}

ANSIColorValue tcDraftColor(const TrueColorDraft& mix) {
    auto channel = [&](int v) {
        return static_cast<std::uint8_t>(std::clamp<long long>(static_cast<long long>(v) + mix.l, 0, 255));
    };
    return ANSIColorValue::truecolor(channel(mix.r), channel(mix.g), channel(mix.b));
}

}  // namespace glyphloom
