// Figures for drawing on a large canvas: one drag sample of a big symmetric brush through to
// the flushed frame, and the oval preview recomputed for a pointer move across the canvas.
#include "bench_timing.hpp"

#include <chrono>
#include <cstdio>

#include "tui/layout/chrome.hpp"
#include "tui/state/app_state.hpp"
#include "tui/terminal/screen.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/shape_tool.hpp"

using namespace glyphloom;

namespace {

double medianMillis(int runs, const auto& body) { return 1e3 * glyphloom::bench::medianSeconds(runs, body); }

}  // namespace

int main() {
    AppState::defaultDocRows = 200;
    AppState::defaultDocCols = 320;
    AppState state;
    std::size_t bytes = 0;
    Screen screen([&bytes](std::string_view out) { bytes += out.size(); }, false);
    screen.resize(60, 200);
    Chrome::compose(state, screen);
    screen.flush();

    // A drag sample: the brush moves a few cells, as a quick hand does between two reports.
    state.tools.tool = Tool::paint;
    state.tools.brush = BrushSize::cells(10);
    state.tools.symmetryMode = SymmetryMode::both;
    state.tools.fgCycle = true;
    state.tools.fgCyclePool = {ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(10), ANSIColorValue::ansi16(12)};
    beginStroke(state);
    int step = 0;
    auto now = std::chrono::steady_clock::now();
    const double sample = medianMillis(201, [&] {
        const int col = 20 + (step * 3) % 120;
        const int row = 10 + (step / 40) % 30;
        ++step;
        now += std::chrono::milliseconds(16);
        paint(GridKey{row, col}, state, now, defaultRandomSource());
        Chrome::compose(state, screen);
        screen.flush();
    });
    std::printf("paint sample, cells(10), symmetry both, %dx%d, paint+compose+flush: %.3f ms median\n",
                state.doc.cols, state.doc.rows, sample);

    // Oval preview: one computeShape per pointer move, the pointer sweeping the whole canvas.
    state.tools.tool = Tool::oval;
    state.tools.symmetryMode = SymmetryMode::none;
    std::size_t cells = 0;
    int move = 0;
    const double oval = medianMillis(101, [&] {
        const GridKey to{199 - move % 20, 319 - move % 37};
        ++move;
        cells += computeShape(GridKey{0, 0}, to, state).size();
    });
    std::printf("oval preview, computeShape across %dx%d: %.3f ms median (%zu cells per move)\n", state.doc.cols,
                state.doc.rows, oval, cells / 101);
    state.tools.ovalOptions.filled = true;
    state.tools.ovalOptions.thickness = 4;
    state.tools.ovalOptions.drawMode = OvalDrawMode::blocks();
    const double filled = medianMillis(51, [&] { cells = computeShape(GridKey{0, 0}, GridKey{199, 319}, state).size(); });
    std::printf("oval preview, filled, 4 rings, blocks, %dx%d: %.3f ms median (%zu cells)\n", state.doc.cols,
                state.doc.rows, filled, cells);
    return bytes == 0;
}
