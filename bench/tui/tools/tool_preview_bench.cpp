// The tool preview's refresh after a settings change, for every tool: the fingerprint, then a
// new sample on a strip as wide as the widest sidebar gives. It runs between input and the
// redraw, so the slowest tool is the figure that counts. Exits 1 if it misses its target.
// Also reports the refresh when nothing changed (the fingerprint alone), paid every frame.
#include <cstdio>

#include "bench_timing.hpp"
#include "tui/tools/tool_preview.hpp"

using namespace glyphloom;

namespace {

constexpr int kRuns = 101;
constexpr int kStripCols = 30;
constexpr double kTargetMillis = 1.0;

// Busy settings: cycles, random pools, a thick brush, filled shapes, mirror on.
AppState busyState() {
    AppState s;
    s.tools.brush = BrushSize::cells(3);
    s.tools.fgCycle = true;
    s.tools.fgCyclePool = {ANSIColorValue::ansi256(196), ANSIColorValue::ansi256(202), ANSIColorValue::ansi256(226)};
    s.tools.charCycle = true;
    s.tools.charCyclePool = {"░", "▒", "▓"};
    s.tools.bgRandom = true;
    s.tools.bgRandomPool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(4)};
    s.tools.symmetryMode = SymmetryMode::horizontal;
    s.tools.boxOptions.filled = true;
    s.tools.ovalOptions.filled = true;
    s.tools.shapeFill.enabled = true;
    s.tools.fillMode = FillMode::gradient(GradientDirection::radial);
    s.tools.sprayDensity = 20;
    return s;
}

}  // namespace

int main() {
    AppState state = busyState();
    state.preview.stripCols = kStripCols;
    double slowest = 0;
    const char* slowestName = "";
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        if (tool == Tool::pans) continue;  // never sampled
        state.tools.tool = tool;
        int flip = 0;
        const double cpu = bench::medianCpuSeconds(kRuns, [&] {
            // A settings change every run, so every refresh makes a new sample.
            state.tools.fg = ANSIColorValue::ansi16(1 + (flip++ % 2));
            state.tools.brush = BrushSize::cells(2 + (flip % 2));
            updateToolPreview(state);
        });
        std::printf("tool preview refresh, %-8s: median %.3f ms cpu\n", std::string(name).c_str(), cpu * 1000.0);
        if (cpu > slowest) {
            slowest = cpu;
            slowestName = name.data();
        }
    }
    state.tools.tool = Tool::paint;
    const double unchanged = bench::medianCpuSeconds(kRuns * 10, [&] { updateToolPreview(state); });
    std::printf("tool preview refresh, nothing changed: median %.1f us cpu\n", unchanged * 1e6);
    std::printf("slowest tool: %s, median %.3f ms cpu (target <= %.1f ms)\n", slowestName, slowest * 1000.0,
                kTargetMillis);
    return slowest * 1000.0 <= kTargetMillis ? 0 : 1;
}
