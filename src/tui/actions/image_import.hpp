// Turning a PNG picture into a new layer of cells.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include "core/render/image_import_mode.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

void importImageAsLayer(ImageImportMode mode, AppState& state);

}  // namespace glyphloom
