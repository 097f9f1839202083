// Turning a decoded picture into a grid of cells: scaled to fit the canvas (each cell two
// pixels tall), sampled by area averages, and drawn in one of the import modes with the
// colours the document's depth allows. Transparent areas stay blank cells.
#pragma once

#include "core/codec/png_decode.hpp"
#include "core/color/color_depth.hpp"
#include "core/model/cell_grid.hpp"
#include "core/render/image_import_mode.hpp"

namespace glyphloom {

// Exactly rows × cols cells; the picture keeps its aspect ratio at the top-left corner.
// Even a 1 × 1 picture is scaled up to fill the box, like any other.
CellGrid rasterizeImage(const DecodedImage& image, ImageImportMode mode, int cols, int rows, ColorDepth depth);

}  // namespace glyphloom
