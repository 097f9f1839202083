#include "tui/tools/tool_preview.hpp"

namespace glyphloom {

void updateToolPreview(AppState&) { }
void updatePresetHoverPreview(AppState&, const Layout&) { }
void previewScratchApply(GridKey, PreviewPhase, AppState&) { }

}  // namespace glyphloom
