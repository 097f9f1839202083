#include "tui/tools/preset_apply.hpp"

#include "core/color/color_depth.hpp"
#include "tui/state/tool_settings.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

void applyPreset(const TUIPreset& preset, AppState& state) {
    applyToolSettings(preset, state.tools);
    // Blinking text takes the bright half of the classic backgrounds.
    if (preset.background && state.doc.blinkingText) state.tools.penBg = backgroundForMode(state.tools.penBg, true);
    resetCharCycleToSelected(state);
}

TUIPreset makeCurrentPreset(const AppState& state) {
    TUIPreset preset;
    captureToolSettings(state.tools, preset);
    return preset;
}

}  // namespace glyphloom
