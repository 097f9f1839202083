#include "tui/tools/selection_tool.hpp"

namespace glyphloom {

void performSelectAction(const std::string&, AppState&) { }
void stampClipboard(const CellGrid&, GridKey, AppState&) { }
std::unordered_map<GridKey, ANSICell> floatPreviewOverlay(const CellGrid&, GridKey) { return {}; }

}  // namespace glyphloom
