#include "tui/tools/fill_tool.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/draw/fill.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

namespace {

// The character and colours the next `count` stamps would take, without moving the live
// cycles: the pen's own rules run on a scratch state holding only the pen settings.
struct CycleFrame {
    std::optional<CellChar> character;  // nothing: the cell keeps its character
    ANSIColorValue fg;
    ANSIColorValue bg;
};

std::vector<CycleFrame> fillFrames(const AppState& state, int count, RandomSource& random) {
    AppState pen;
    pen.fg = state.fg;
    pen.penBg = state.penBg;
    pen.penChar = state.penChar;
    pen.charNull = state.charNull;
    pen.fgCycle = state.fgCycle, pen.fgCyclePool = state.fgCyclePool, pen.fgCycleStep = state.fgCycleStep;
    pen.fgCycleIndex = state.fgCycleIndex, pen.fgCycleCount = state.fgCycleCount;
    pen.bgCycle = state.bgCycle, pen.bgCyclePool = state.bgCyclePool, pen.bgCycleStep = state.bgCycleStep;
    pen.bgCycleIndex = state.bgCycleIndex, pen.bgCycleCount = state.bgCycleCount;
    pen.charCycle = state.charCycle, pen.charCyclePool = state.charCyclePool, pen.charCycleStep = state.charCycleStep;
    pen.charCycleIndex = state.charCycleIndex, pen.charCycleCount = state.charCycleCount;
    pen.charCycleForward = state.charCycleForward, pen.charCycleWrap = state.charCycleWrap;
    pen.fgRandom = state.fgRandom, pen.fgRandomPool = state.fgRandomPool;
    pen.bgRandom = state.bgRandom, pen.bgRandomPool = state.bgRandomPool;
    pen.charRandom = state.charRandom, pen.charRandomPool = state.charRandomPool;
    std::vector<CycleFrame> frames;
    frames.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const auto ch = activeCharOpt(pen, random);
        frames.push_back({ch ? std::optional<CellChar>(*ch) : std::nullopt, activeFg(pen, random), activeBg(pen, random)});
        advanceCycle(pen);
    }
    return frames;
}

// The pressed cell first, then its mirror images across the whole document.
std::vector<GridKey> fillSeeds(GridKey at, SymmetryMode mode) {
    const GridKey h{at.row, AppState::docCols - 1 - at.col};
    const GridKey v{AppState::docRows - 1 - at.row, at.col};
    const GridKey hv{v.row, h.col};
    switch (mode) {
        case SymmetryMode::none: return {at};
        case SymmetryMode::horizontal: return {at, h};
        case SymmetryMode::vertical: return {at, v};
        case SymmetryMode::both: return {at, h, v, hv};
    }
    return {at};
}

// What the region's cells become in solid mode: the pen's character and colours as the next
// stamps would take them, so cycles run along the region in visiting order.
std::vector<ANSICell> solidCells(const std::vector<GridKey>& region, const CellGrid& grid, const AppState& state,
                                 RandomSource& random) {
    std::vector<ANSICell> cells;
    cells.reserve(region.size());
    const auto frames = fillFrames(state, static_cast<int>(region.size()), random);
    for (std::size_t k = 0; k < region.size(); ++k) {
        ANSICell cell = *grid.cellAt(region[k].row, region[k].col);
        const CycleFrame& frame = frames[k];
        if (frame.character) cell.character = *frame.character;
        cell.foreground = frame.fg;
        cell.background = frame.bg;
        cell.blink = false;
        cells.push_back(cell);
    }
    return cells;
}

bool contains(const std::vector<GridKey>& region, GridKey key) {
    return std::find(region.begin(), region.end(), key) != region.end();
}

}  // namespace

void applyFloodFill(GridKey at, AppState& state, RandomSource& random) {
    if (!validLayer(state, state.activeLayerIndex)) return;
    const auto layerIndex = static_cast<std::size_t>(state.activeLayerIndex);
    bool snapshotTaken = false;
    // A mirror seed that lands in a region already filled by this click leaves it alone, so
    // random pools and cycles are not laid down twice over the same cells.
    std::vector<std::vector<GridKey>> filled;

    for (const GridKey seed : fillSeeds(at, state.symmetryMode)) {
        const Layer& layer = state.layers[layerIndex];
        const GridKey local{seed.row - layer.rowOffset, seed.col - layer.colOffset};
        if (std::any_of(filled.begin(), filled.end(), [&](const auto& region) { return contains(region, local); }))
            continue;
        std::vector<GridKey> region = floodFillCells(layer.cells, local.row, local.col);
        if (region.empty()) continue;

        const std::vector<ANSICell> cells =
            state.fillMode.kind == FillMode::Kind::gradient
                ? gradientCells(region, state.fillMode.direction, state.fg, state.penBg, 2.0)
                : solidCells(region, layer.cells, state, random);
        bool changes = false;
        for (std::size_t k = 0; k < region.size() && !changes; ++k)
            changes = !(*layer.cells.cellAt(region[k].row, region[k].col) == cells[k]);
        if (!changes) {
            filled.push_back(std::move(region));
            continue;
        }

        if (!snapshotTaken) {
            state.snapshotForUndo();
            snapshotTaken = true;
        }
        CellGrid& grid = state.layers[layerIndex].cells;
        for (std::size_t k = 0; k < region.size(); ++k) grid.set(region[k].row, region[k].col, cells[k]);
        filled.push_back(std::move(region));
    }
}

}  // namespace glyphloom
