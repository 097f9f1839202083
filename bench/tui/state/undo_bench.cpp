// Undo on the largest canvas (320 × 200, 7 layers): the time of one snapshot, the extra
// memory of 50 snapshot-then-stroke edits, and a check that undoing and redoing all of them
// lands exactly on the original and the final document. Exits 1 if a figure misses its target.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tui/state/app_state.hpp"

using namespace glyphloom;

namespace {

constexpr int kRows = 200;
constexpr int kCols = 320;
constexpr int kLayers = 7;
constexpr int kEdits = 50;
constexpr double kSnapshotTargetMicros = 50.0;
constexpr double kMemoryTargetMB = 64.0;

// Resident set size in bytes, from /proc (Linux).
long long residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    }
    return -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void fillDocument(AppState& state, std::mt19937& rng) {
    state.doc.layers.clear();
    for (int l = 0; l < kLayers; ++l) {
        CellGrid grid(kRows, kCols);
        for (int r = 0; r < kRows; ++r) {
            auto& row = grid.mutableRow(r);
            for (auto& cell : row) {
                cell.character = CellChar::fromScalar(U'A' + static_cast<char32_t>(rng() % 26));
                cell.foreground = ANSIColorValue::ansi256(static_cast<int>(rng() % 256));
            }
        }
        state.doc.layers.emplace_back("Layer " + std::to_string(l + 1), std::move(grid));
    }
}

// One stroke: up to 10 consecutive rows of one layer get a few new cells each.
void stroke(AppState& state, std::mt19937& rng) {
    Layer& layer = state.doc.layers[rng() % state.doc.layers.size()];
    const int top = static_cast<int>(rng() % (kRows - 10));
    for (int r = top; r < top + 10; ++r) {
        for (int k = 0; k < 5; ++k) {
            ANSICell cell;
            cell.character = "█";
            cell.foreground = ANSIColorValue::truecolor(static_cast<std::uint8_t>(rng()), 0, 0);
            layer.cells.set(r, static_cast<int>(rng() % kCols), cell);
        }
    }
}

}  // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    AppState::defaultDocRows = kRows;
    AppState::defaultDocCols = kCols;
    std::mt19937 rng(20261207);
    bool ok = true;

    AppState state;
    fillDocument(state, rng);
    const double documentMB = static_cast<double>(kRows) * kCols * kLayers * sizeof(ANSICell) / (1 << 20);
    std::printf("document: %d x %d x %d layers = %.1f MB of cells; undo depth %d\n", kCols, kRows, kLayers,
                documentMB, AppState::undoDepthLimit(std::int64_t{kRows} * kCols));

    // Memory of 50 edits, each preceded by a snapshot, over the document alone.
    const std::vector<Layer> original = state.doc.layers;
    const long long before = residentBytes();
    for (int i = 0; i < kEdits; ++i) {
        state.snapshotForUndo();
        stroke(state, rng);
    }
    const long long after = residentBytes();
    // The same figure counted instead of measured: row copies the history holds apart from the
    // live document (each distinct row storage once).
    std::set<const CellGrid::Row*> heldRows;
    for (const UndoSnapshot& snapshot : state.undoStack)
        for (std::size_t l = 0; l < snapshot.layers.size(); ++l)
            for (int r = 0; r < snapshot.layers[l].cells.rowCount(); ++r)
                if (!snapshot.layers[l].cells.sharesRowWith(state.doc.layers[l].cells, r))
                    heldRows.insert(&snapshot.layers[l].cells.row(r));
    const double heldMB = static_cast<double>(heldRows.size()) * kCols * sizeof(ANSICell) / (1 << 20);
    const double extraMB = static_cast<double>(after - before) / (1 << 20);
    std::printf("%d snapshot+stroke edits: extra RSS %.2f MB (target <= %.0f MB; %zu undo steps; full copies would "
                "take %.0f MB)\n",
                kEdits, extraMB, kMemoryTargetMB, state.undoStack.size(), documentMB * kEdits);
    std::printf("  rows held only by the history: %zu (%.2f MB of cells)\n", heldRows.size(), heldMB);
    ok = ok && before > 0 && extraMB <= kMemoryTargetMB;

    // Undo and redo all the way, timing each step and checking where they land.
    const std::vector<Layer> final = state.doc.layers;
    std::vector<double> undoMicros;
    std::vector<double> redoMicros;
    for (int i = 0; i < kEdits; ++i) {
        const auto start = Clock::now();
        state.undo();
        undoMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    const bool backToOriginal = state.doc.layers == original;
    for (int i = 0; i < kEdits; ++i) {
        const auto start = Clock::now();
        state.redo();
        redoMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    const bool forwardToFinal = state.doc.layers == final;
    std::printf("undo: median %.2f us, redo: median %.2f us\n", median(undoMicros), median(redoMicros));
    std::printf("undo all -> original: %s; redo all -> final: %s\n", backToOriginal ? "yes" : "NO",
                forwardToFinal ? "yes" : "NO");
    ok = ok && backToOriginal && forwardToFinal;

    // Snapshot time, on a full stack too (so trimming the oldest step is included).
    std::vector<double> micros;
    for (int i = 0; i < 2000; ++i) {
        const auto start = Clock::now();
        state.snapshotForUndo();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    const double snapshotMedian = median(micros);
    std::printf("snapshotForUndo: median %.2f us over %zu runs (target <= %.0f us)\n", snapshotMedian, micros.size(),
                kSnapshotTargetMicros);
    ok = ok && snapshotMedian <= kSnapshotTargetMicros;

    std::printf("%s\n", ok ? "all targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
