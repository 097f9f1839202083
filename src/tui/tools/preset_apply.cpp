#include "tui/tools/preset_apply.hpp"

#include "core/color/color_depth.hpp"
#include "tui/state/tool_settings.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

void applyPreset(const TUIPreset& preset, AppState& state) {
    applyToolSettings(preset, state);
    // Blinking text takes the bright half of the classic backgrounds.
    if (preset.background && state.doc.blinkingText) state.penBg = backgroundForMode(state.penBg, true);
    resetCharCycleToSelected(state);
}

TUIPreset makeCurrentPreset(const AppState& state) {
    TUIPreset preset;
    captureToolSettings(state, preset);
    return preset;
}

}  // namespace glyphloom
