// The fill tool on the largest canvas: one click filling a whole blank 320 × 200 layer
// (64 000 cells), in gradient mode and in solid mode with colour and character cycles, each
// including its undo snapshot. Exits 1 if a median misses its target.
#include <cstdio>

#include "bench_timing.hpp"
#include "tui/tools/fill_tool.hpp"

using namespace glyphloom;

namespace {

constexpr int kRows = 200;
constexpr int kCols = 320;
constexpr int kRuns = 21;
constexpr double kFillTargetMillis = 10.0;

// Median milliseconds of one fill click on a fresh blank layer.
double fillMillis(AppState& state) {
    const CellGrid blank(kRows, kCols);
    return bench::medianSeconds(kRuns, [&] {
               state.layers[0].cells = blank;  // shares rows: cheap, and every row is copied on write
               state.undoStack.clear();
               applyFloodFill({kRows / 2, kCols / 2}, state);
           }) * 1000.0;
}

}  // namespace

int main() {
    AppState::docRows = kRows;
    AppState::docCols = kCols;
    AppState state;
    bool ok = true;

    state.fillMode = FillMode::gradient(GradientDirection::radial);
    state.fg = ANSIColorValue::ansi256(196);
    state.penBg = ANSIColorValue::ansi256(21);
    const double gradient = fillMillis(state);
    std::printf("fill 320x200 gradient (radial): median %.2f ms (target <= %.0f ms)\n", gradient, kFillTargetMillis);
    ok = ok && gradient <= kFillTargetMillis;

    state.fillMode = FillMode::solid();
    state.fgCycle = true;
    state.fgCyclePool = {ANSIColorValue::ansi256(196), ANSIColorValue::ansi256(202), ANSIColorValue::ansi256(226)};
    state.fgCycleStep = 2;
    state.charCycle = true;
    state.charCyclePool = {"░", "▒", "▓"};
    const double cycle = fillMillis(state);
    std::printf("fill 320x200 solid with cycles: median %.2f ms (target <= %.0f ms)\n", cycle, kFillTargetMillis);
    ok = ok && cycle <= kFillTargetMillis;

    return ok ? 0 : 1;
}
