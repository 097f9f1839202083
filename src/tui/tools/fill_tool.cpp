#include "tui/tools/fill_tool.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/draw/fill.hpp"
#include "core/draw/mirror_points.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

namespace {

// The character and colours the next stamps would take, one cell at a time, without moving
// the live cycles: the pen's own rules run on a scratch state holding only the pen settings.
class PenFrames {
public:
    PenFrames(const AppState& state, RandomSource& random) : random_(random) {
        pen_.fg = state.fg;
        pen_.penBg = state.penBg;
        pen_.penChar = state.penChar;
        pen_.charNull = state.charNull;
        pen_.fgCycle = state.fgCycle, pen_.fgCyclePool = state.fgCyclePool, pen_.fgCycleStep = state.fgCycleStep;
        pen_.fgCycleIndex = state.fgCycleIndex, pen_.fgCycleCount = state.fgCycleCount;
        pen_.bgCycle = state.bgCycle, pen_.bgCyclePool = state.bgCyclePool, pen_.bgCycleStep = state.bgCycleStep;
        pen_.bgCycleIndex = state.bgCycleIndex, pen_.bgCycleCount = state.bgCycleCount;
        pen_.charCycle = state.charCycle, pen_.charCyclePool = state.charCyclePool;
        pen_.charCycleStep = state.charCycleStep;
        pen_.charCycleIndex = state.charCycleIndex, pen_.charCycleCount = state.charCycleCount;
        pen_.charCycleForward = state.charCycleForward, pen_.charCycleWrap = state.charCycleWrap;
        pen_.fgRandom = state.fgRandom, pen_.fgRandomPool = state.fgRandomPool;
        pen_.bgRandom = state.bgRandom, pen_.bgRandomPool = state.bgRandomPool;
        pen_.charRandom = state.charRandom, pen_.charRandomPool = state.charRandomPool;
        pen_.layers.clear();
    }

    // `existing` as the next stamp leaves it.
    ANSICell next(ANSICell existing) {
        if (const auto ch = activeCharOpt(pen_, random_)) existing.character = *ch;
        existing.foreground = activeFg(pen_, random_);
        existing.background = activeBg(pen_, random_);
        existing.blink = false;
        advanceCycle(pen_);
        return existing;
    }

private:
    AppState pen_;
    RandomSource& random_;
};

// The pressed cell first, then its mirror images.
std::vector<GridKey> fillSeeds(GridKey at, SymmetryMode mode) {
    std::vector<GridKey> seeds{at};
    for (const GridKey p : mirrorPoints(at, AppState::docRows, AppState::docCols, mode)) seeds.push_back(p);
    return seeds;
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

        // The snapshot is taken just before the first cell that actually changes.
        auto write = [&](std::size_t k, const ANSICell& cell) {
            const GridKey key = region[k];
            if (*state.layers[layerIndex].cells.cellAt(key.row, key.col) == cell) return;
            if (!snapshotTaken) {
                state.snapshotForUndo();
                snapshotTaken = true;
            }
            state.layers[layerIndex].cells.set(key.row, key.col, cell);
        };
        if (state.fillMode.kind == FillMode::Kind::gradient) {
            const auto cells = gradientCells(region, state.fillMode.direction, state.fg, state.penBg, 2.0);
            for (std::size_t k = 0; k < region.size(); ++k) write(k, cells[k]);
        } else {
            PenFrames frames(state, random);
            for (std::size_t k = 0; k < region.size(); ++k)
                write(k, frames.next(*state.layers[layerIndex].cells.cellAt(region[k].row, region[k].col)));
        }
        filled.push_back(std::move(region));
    }
}

ANSICell shapeInteriorCell(int k, const ANSICell& existing, const AppState& state, RandomSource& random) {
    return shapeFillCell(state.shapeFill, k, existing, {activeFg(state, random), activeBg(state, random)}, random);
}

}  // namespace glyphloom
