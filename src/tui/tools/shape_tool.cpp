#include "tui/tools/shape_tool.hpp"

namespace glyphloom {

std::unordered_map<GridKey, ANSICell> computeShape(GridKey, GridKey, const AppState&) { return {}; }

}  // namespace glyphloom
