// Figures for the per-frame path: compositing a full layer stack, and the bytes and time
// of flushing a whole screen versus a single changed cell.
#include "bench_timing.hpp"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "core/model/layer.hpp"
#include "tui/terminal/screen.hpp"

using namespace glyphloom;
using Clock = std::chrono::steady_clock;

namespace {


// Art-like content: mostly opaque coloured glyphs with transparent holes.
ANSICell randomCell(std::mt19937& rng) {
    static const char* glyphs[] = {"█", "▓", "▒", "░", "▄", "▀", "a", "#"};
    if (rng() % 4 == 0) return ANSICell::blank();
    return {CellChar(glyphs[rng() % 8]), ANSIColorValue::ansi256(static_cast<int>(rng() % 256)),
            ANSIColorValue::ansi16(static_cast<int>(rng() % 16)), false};
}

double medianMicros(int runs, const auto& body) { return 1e6 * glyphloom::bench::medianSeconds(runs, body); }

}  // namespace

int main() {
    std::mt19937 rng(42);
    const int rows = 200, cols = 320;
    std::vector<Layer> layers;
    for (int i = 0; i < 7; ++i) {
        CellGrid grid(rows, cols);
        for (int r = 0; r < rows; ++r) {
            auto& row = grid.mutableRow(r);
            for (auto& cell : row) cell = randomCell(rng);
        }
        Layer layer("L" + std::to_string(i), std::move(grid));
        layer.rowOffset = i * 3 - 9;
        layer.colOffset = 7 - i * 2;
        layers.push_back(std::move(layer));
    }
    std::size_t sink = 0;
    const double composite = medianMicros(51, [&] { sink += compositeLayers(layers, rows, cols).rowCount(); });
    std::printf("compositeLayers 7 x %dx%d with offsets: %.0f us median\n", cols, rows, composite);

    std::size_t bytes = 0;
    Screen screen([&bytes](std::string_view out) { bytes = out.size(); }, false);
    const CellGrid frame = compositeLayers(layers, rows, cols);
    auto paint = [&] {
        for (int r = 0; r < 70; ++r)
            for (int c = 0; c < 240; ++c) screen.put(*frame.cellAt(r, c), r, c);
    };
    const double full = medianMicros(51, [&] {
        screen.resize(70, 240);
        paint();
        screen.flush();
    });
    std::printf("full flush 240x70: %zu bytes, %.0f us median\n", bytes, full);

    screen.resize(70, 240);
    paint();
    screen.flush();
    bytes = 0;
    screen.put({CellChar("x"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(4), false}, 35, 120);
    const auto start = Clock::now();
    screen.flush();
    const double one = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    std::printf("flush after one changed cell: %zu bytes (target <= 32), %.0f us\n", bytes, one);
    return sink == 0 ? 1 : 0;
}
