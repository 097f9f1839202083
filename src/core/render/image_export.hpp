// The VGA-look picture of a flattened canvas: every cell an 8 × 16 glyph of the built-in
// font in its foreground on its background, as PNG data or scaled into a 1920 × 1080 video
// frame. Blink is not drawn and the monitor tint is not applied: the stored colours show.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/cell_grid.hpp"

namespace glyphloom {

struct RenderedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width × height × 3, row-major
};

// Columns come from the first row; cells past them in a longer row are cut off, a shorter
// row leaves black. An empty document (no rows, or an empty first row) renders to 0 × 0.
RenderedImage renderDocRGB(const std::vector<std::vector<ANSICell>>& doc);
RenderedImage renderDocRGB(const CellGrid& doc);

// The render as a PNG file; empty when the render is empty.
std::vector<std::uint8_t> exportPNGData(const std::vector<std::vector<ANSICell>>& doc);
std::vector<std::uint8_t> exportPNGData(const CellGrid& doc);

// The render scaled into a black 1920 × 1080 frame (whole-number enlargement, or
// shrinking to fit) as a PNG file; nothing when the render is empty.
std::optional<std::vector<std::uint8_t>> exportVideoFramePNGData(const std::vector<std::vector<ANSICell>>& doc);
std::optional<std::vector<std::uint8_t>> exportVideoFramePNGData(const CellGrid& doc);

// The frame itself, before PNG encoding.
RenderedImage videoFrameRGB(const RenderedImage& render);

}  // namespace glyphloom
