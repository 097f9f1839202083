// The interior of a filled box or oval. With the shape fill style on, each channel (character,
// foreground, background) is kept, set, cycled or drawn at random per interior cell; with it
// off, the interior takes the current character and colours.
#pragma once

#include <unordered_map>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// The cells the interior `cells` (inside the document, drawing order) receive.
std::unordered_map<GridKey, ANSICell> shapeInteriorCells(const std::vector<GridKey>& cells, const AppState& state,
                                                         RandomSource& random = defaultRandomSource());

}  // namespace glyphloom
