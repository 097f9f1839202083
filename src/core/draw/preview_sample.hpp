// The fixed ingredients of the tool preview strip: its height, the stroke the sample draws
// (a short diagonal climb, then along the second row to the end) and the striped art laid
// down first for the tools that need something to work on.
#pragma once

#include <vector>

#include "core/model/cell.hpp"
#include "core/model/cell_grid.hpp"

namespace glyphloom {

inline constexpr int previewStripRows = 7;

// The pointer samples of the sample stroke on a strip `cols` wide: (5,0), (4,1), (3,2), (2,3),
// (1,4), then (1,5) … (1,cols−1). Points beyond a narrow strip are left out.
std::vector<GridKey> sampleStrokePath(int cols);

// A blank strip whose rows are "█" in red, yellow, green and cyan by turns, over the whole
// width or over its left two thirds.
CellGrid seededPreviewStrip(int cols, bool fullWidth);

}  // namespace glyphloom
