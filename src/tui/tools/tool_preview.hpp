// The live sample of the current tool and of a hovered preset in the sidebar preview box.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"
#include "tui/layout/layout.hpp"

namespace glyphloom {

enum class PreviewPhase { press, drag, release };

void updateToolPreview(AppState& state);
void updatePresetHoverPreview(AppState& state, const Layout& layout);
void previewScratchApply(GridKey at, PreviewPhase phase, AppState& state);

}  // namespace glyphloom
