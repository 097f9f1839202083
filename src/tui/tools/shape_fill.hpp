// The interior of a filled box or oval. For now a plain fill with the current character and
// colours; the shape-fill styles (solid, cycle and random channels) replace this function.
#pragma once

#include <unordered_map>
#include <vector>

#include "core/model/cell.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// The cells the interior `cells` (inside the document, drawing order) receive.
std::unordered_map<GridKey, ANSICell> shapeInteriorCells(const std::vector<GridKey>& cells, const AppState& state);

}  // namespace glyphloom
