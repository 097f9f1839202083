// The fill tool on the largest canvas: one click filling a whole blank 320 × 200 layer
// (64 000 cells), in gradient mode and in solid mode with colour and character cycles, each
// including its undo snapshot. Exits 1 if a fill median misses its target. Also reports one
// dodge drag sample with a 10-cell brush on 256-colour art.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench_timing.hpp"
#include "tui/tools/effects.hpp"
#include "tui/tools/fill_tool.hpp"

using namespace glyphloom;

namespace {

constexpr int kRows = 200;
constexpr int kCols = 320;
constexpr int kRuns = 21;
constexpr double kFillTargetMillis = 10.0;

struct Millis {
    double wall;
    double cpu;  // this process's processor time: what the click costs on a busy machine
};

// Medians of one fill click on a fresh blank layer.
Millis fillMillis(AppState& state) {
    const CellGrid blank(kRows, kCols);
    std::vector<double> cpu;
    const double wall = bench::medianSeconds(kRuns, [&] {
        state.doc.layers[0].cells = blank;  // shares rows: cheap, and every row is copied on write
        state.undoStack.clear();
        const std::clock_t start = std::clock();
        applyFloodFill({kRows / 2, kCols / 2}, state);
        cpu.push_back(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    });
    std::sort(cpu.begin(), cpu.end());
    return {wall * 1000.0, cpu[cpu.size() / 2] * 1000.0};
}

bool report(const char* what, Millis m) {
    std::printf("fill 320x200 %s: median %.2f ms wall, %.2f ms cpu (target <= %.0f ms)\n", what, m.wall, m.cpu,
                kFillTargetMillis);
    return m.cpu <= kFillTargetMillis;
}

// One dodge sample one column on from the last: a 10-cell brush is 10 rows by 20 columns,
// and the move sweeps one more column.
double dodgeSampleMicros(AppState& state) {
    CellGrid art(kRows, kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            ANSICell cell;
            cell.character = "▒";
            cell.foreground = ANSIColorValue::ansi256((r * 7 + c * 13) % 256);
            cell.background = ANSIColorValue::ansi256((r * 11 + c * 3) % 256);
            art.set(r, c, cell);
        }
    state.doc.layers[0].cells = art;
    state.tools.tool = Tool::dodge;
    state.doc.colorDepth = ColorDepth::c256;
    state.tools.brush = BrushSize::cells(10);
    const GridKey at{kRows / 2, kCols / 2};
    EngineRandomSource random(1);
    const double wall = bench::medianSeconds(kRuns * 10, [&] {
        state.stroke.lastPaint = GridKey{at.row, at.col - 1};
        applyEffect(at, state, std::chrono::steady_clock::now(), random);
    });
    return wall * 1e6;
}

}  // namespace

int main() {
    AppState::defaultDocRows = kRows;
    AppState::defaultDocCols = kCols;
    AppState state;
    bool ok = true;

    state.tools.fillMode = FillMode::gradient(GradientDirection::radial);
    state.tools.fg = ANSIColorValue::ansi256(196);
    state.tools.penBg = ANSIColorValue::ansi256(21);
    ok = report("gradient (radial)", fillMillis(state)) && ok;

    state.tools.fillMode = FillMode::solid();
    state.tools.fgCycle = true;
    state.tools.fgCyclePool = {ANSIColorValue::ansi256(196), ANSIColorValue::ansi256(202),
                               ANSIColorValue::ansi256(226)};
    state.tools.fgCycleStep = 2;
    state.tools.charCycle = true;
    state.tools.charCyclePool = {"░", "▒", "▓"};
    ok = report("solid with cycles", fillMillis(state)) && ok;

    std::printf("dodge sample, brush 10 on 256-colour art: median %.1f us wall\n", dodgeSampleMicros(state));
    return ok ? 0 : 1;
}
