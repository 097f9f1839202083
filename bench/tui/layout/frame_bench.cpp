// Figures for the per-frame path: compositing a full layer stack, the bytes and time of
// flushing a whole screen versus a single changed cell, a whole frame (compose + flush) after
// a one-cell edit on a large layered document, and adding a layer to it.
#include "bench_timing.hpp"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "core/model/layer.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/state/app_state.hpp"
#include "tui/terminal/screen.hpp"
#include "tui/layout/art_layers.hpp"

using namespace glyphloom;
using Clock = std::chrono::steady_clock;

namespace {


double medianMicros(int runs, const auto& body) { return 1e6 * glyphloom::bench::medianSeconds(runs, body); }
double medianCpuMicros(int runs, const auto& body) { return 1e6 * glyphloom::bench::medianCpuSeconds(runs, body); }

// One frame as the main loop makes it after a stroke touched one cell of the top layer.
void frameAfterOneEdit(const char* label, std::vector<Layer> layers) {
    AppState state;
    state.doc.layers = std::move(layers);
    state.activeLayerIndex = 0;
    std::size_t bytes = 0;
    Screen screen([&bytes](std::string_view out) { bytes += out.size(); }, false);
    screen.resize(70, 240);
    Chrome::compose(state, screen);
    screen.flush();
    int step = 0;
    auto frame = [&] {
        ++step;
        const ANSICell cell{CellChar(step % 2 ? "x" : "o"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(4), false};
        state.doc.layers.front().cells.set(20 + step % 5, 40 + step % 7, cell);
        Chrome::compose(state, screen);
        screen.flush();
    };
    bytes = 0;
    const double wall = medianMicros(201, frame);
    const double cpu = medianCpuMicros(201, frame);
    std::printf("frame after a one-cell edit, 240x70, %s: %.0f us median wall, %.0f us median cpu (%zu bytes/frame)\n",
                label, wall, cpu, bytes / 402);
}

}  // namespace

int main() {
    std::mt19937 rng(42);
    const int rows = 200, cols = 320;
    const std::vector<Layer> layers = bench::artLayers(7, rows, cols, rng);
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

    AppState::defaultDocRows = rows;
    AppState::defaultDocCols = cols;
    frameAfterOneEdit("320x200 x 7 layers with offsets (target <= 500 us)", layers);
    frameAfterOneEdit("320x200 x 1 layer", {layers.front()});

    // Adding a layer to a full-size document, undone between runs so the stack stays at 6 + 1.
    {
        AppState state;
        state.doc.layers.assign(layers.begin(), layers.begin() + 6);
        auto add = [&] { addLayer(state); };
        const double addWall = medianMicros(51, [&] {
            add();
            state.doc.layers.erase(state.doc.layers.begin());
        });
        const double addCpu = medianCpuMicros(51, [&] {
            add();
            state.doc.layers.erase(state.doc.layers.begin());
        });
        std::printf("addLayer at 320x200 (target <= 1000 us, includes removing it again): %.0f us median wall, "
                    "%.0f us median cpu\n",
                    addWall, addCpu);
    }
    return sink == 0 ? 1 : 0;
}
