#include "tui/tools/painting.hpp"

namespace glyphloom {

void beginStroke(AppState&) { }
void paint(GridKey, AppState&) { }

}  // namespace glyphloom
