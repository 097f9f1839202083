#include "tui/tools/fill_tool.hpp"

namespace glyphloom {

void applyFloodFill(GridKey, AppState&) { }

}  // namespace glyphloom
