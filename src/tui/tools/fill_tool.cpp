#include "tui/tools/fill_tool.hpp"

#include <algorithm>
#include <vector>

#include "core/draw/fill.hpp"
#include "core/draw/stroke.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

namespace {

// The pressed cell first, then its mirror images.
std::vector<GridKey> fillSeeds(GridKey at, SymmetryMode mode, const Document& doc) {
    std::vector<GridKey> seeds{at};
    for (const MirrorPoint& p : symmetryPoints(at, mode, doc.rows, doc.cols)) seeds.push_back(p.at);
    return seeds;
}

bool contains(const std::vector<GridKey>& region, GridKey key) {
    return std::find(region.begin(), region.end(), key) != region.end();
}

}  // namespace

void applyFloodFill(GridKey at, AppState& state, RandomSource& random) {
    bool snapshotTaken = false;
    // A mirror seed that lands in a region already filled by this click leaves it alone, so
    // random pools and cycles are not laid down twice over the same cells.
    std::vector<std::vector<GridKey>> filled;

    for (const GridKey seed : fillSeeds(at, state.tools.symmetryMode, state.doc)) {
        const Layer* layer = activeLayer(state);
        const auto local = layer ? layerCellOf(state.doc, *layer, seed) : std::nullopt;
        if (!local) continue;
        if (std::any_of(filled.begin(), filled.end(), [&](const auto& region) { return contains(region, seed); }))
            continue;
        // The region is found on the layer's own grid and filled where the document shows it.
        std::vector<GridKey> region;
        for (const GridKey cell : floodFillCells(layer->cells, local->row, local->col)) {
            const GridKey shown = documentCellOf(*layer, cell);
            if (state.doc.contains(shown)) region.push_back(shown);
        }
        if (region.empty()) continue;

        // The snapshot is taken just before the first cell that actually changes.
        auto write = [&](std::size_t k, const ANSICell& cell) {
            if (*activeCellAt(state, region[k]) == cell) return;
            if (!snapshotTaken && !(snapshotTaken = beginToolEdit(state))) return;
            setActiveCell(state, region[k], cell);
        };
        if (state.tools.fillMode.kind == FillMode::Kind::gradient) {
            const auto cells =
                gradientCells(region, state.tools.fillMode.direction, state.tools.fg, state.tools.penBg, 2.0);
            for (std::size_t k = 0; k < region.size(); ++k) write(k, cells[k]);
        } else {
            // Cycles run along the region in visiting order; the live cycles stay where they are.
            const auto frames = simulatedCycleFrames(static_cast<int>(region.size()), state, random);
            for (std::size_t k = 0; k < region.size(); ++k) {
                ANSICell cell = *activeCellAt(state, region[k]);
                const CycleFrame& frame = frames[k];
                if (frame.character) cell.character = *frame.character;
                if (frame.fg) cell.foreground = *frame.fg;
                if (frame.bg) cell.background = *frame.bg;
                cell.blink = false;
                write(k, cell);
            }
        }
        filled.push_back(std::move(region));
    }
}

}  // namespace glyphloom
