#include "core/draw/preview_sample.hpp"

#include <array>

namespace glyphloom {

std::vector<GridKey> sampleStrokePath(int cols) {
    std::vector<GridKey> path;
    for (int step = 0; step < 5 && step < cols; ++step) path.push_back({5 - step, step});
    for (int col = 5; col < cols; ++col) path.push_back({1, col});
    return path;
}

CellGrid seededPreviewStrip(int cols, bool fullWidth) {
    static constexpr std::array<int, 4> stripes{1, 3, 2, 6};
    CellGrid strip(previewStripRows, cols);
    const int seeded = fullWidth ? cols : 2 * cols / 3;
    for (int r = 0; r < previewStripRows; ++r) {
        const ANSICell cell{CellChar("█"), ANSIColorValue::ansi16(stripes[static_cast<std::size_t>(r % 4)]),
                            ANSIColorValue::ansi16(0), false};
        for (int c = 0; c < seeded; ++c) strip.set(r, c, cell);
    }
    return strip;
}

}  // namespace glyphloom
