// Brush geometry: which cells one imprint covers (square, 2:1 for even sizes so they look
// round on a terminal, or elliptic), the union a sample covers along its path, and the
// quadrant glyphs of the sub-cell brushes. Pure functions of positions and sizes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

// The size a `cells(n)` brush stamps with: n itself, or n scaled by the pressure factor
// (rounded half away from zero, never below 1) when pressure controls the size.
int pressuredBrushSize(int n, bool velocityControlsSize, double pressure);

// The cells of one imprint of size `size` centred on `at`, clipped to the document, rows top
// to bottom and columns left to right. Sizes below 1 count as 1.
std::vector<GridKey> brushImprint(GridKey at, int size, bool rounded, int rows, int columns);

// Every cell the brush covers on the way from `lastPaint` to `to`, in first-visit order without
// repeats. Always the full size (pressure does not shrink it); sub-cell brushes count as 1.
std::vector<GridKey> brushFootprint(std::optional<GridKey> lastPaint, GridKey to, BrushSize brush, bool rounded,
                                    int rows, int columns);

// Quadrant bits of a cell: upper-left 8, upper-right 4, lower-left 2, lower-right 1.
namespace quadrant {
inline constexpr std::uint8_t upperLeft = 8;
inline constexpr std::uint8_t upperRight = 4;
inline constexpr std::uint8_t lowerLeft = 2;
inline constexpr std::uint8_t lowerRight = 1;
}  // namespace quadrant

// The block glyph showing exactly these quadrants (bits 0…15; a space for none).
std::string_view quadrantChars(std::uint8_t bits);
// The quadrants a glyph shows; any other character shows none.
std::uint8_t charToQuadrant(std::string_view glyph);

// The part of a cell a `quarter` or `half` brush paints when moving by (dRow, dCol); for other
// brushes, the whole cell.
std::uint8_t subCellPart(BrushSize brush, int dRow, int dCol);

}  // namespace glyphloom
