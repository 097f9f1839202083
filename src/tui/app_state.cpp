#include "tui/app_state.hpp"

namespace glyphloom {

AppState::AppState() { layers.emplace_back("Layer 1", CellGrid(docRows, docCols)); }

CellGrid AppState::composited() const { return compositeLayers(layers, docRows, docCols); }

}  // namespace glyphloom
