// Art-like layers for the frame benchmarks: mostly opaque coloured glyphs with transparent
// holes, each layer shifted a little against the one above.
#pragma once

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/cell_grid.hpp"
#include "core/model/layer.hpp"

namespace glyphloom::bench {

inline ANSICell artCell(std::mt19937& rng) {
    static const char* glyphs[] = {"█", "▓", "▒", "░", "▄", "▀", "a", "#"};
    if (rng() % 4 == 0) return ANSICell::blank();
    return {CellChar(glyphs[rng() % 8]), ANSIColorValue::ansi256(static_cast<int>(rng() % 256)),
            ANSIColorValue::ansi16(static_cast<int>(rng() % 16)), false};
}

inline std::vector<Layer> artLayers(int count, int rows, int cols, std::mt19937& rng) {
    std::vector<Layer> layers;
    for (int i = 0; i < count; ++i) {
        CellGrid grid(rows, cols);
        for (int r = 0; r < rows; ++r)
            for (auto& cell : grid.mutableRow(r)) cell = artCell(rng);
        Layer layer("L" + std::to_string(i), std::move(grid));
        layer.rowOffset = i * 3 - 9;
        layer.colOffset = 7 - i * 2;
        layers.push_back(std::move(layer));
    }
    return layers;
}

}  // namespace glyphloom::bench
