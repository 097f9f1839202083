#include "tui/tools/selection_tool.hpp"

#include <algorithm>

#include "tui/actions/toolbar.hpp"

namespace glyphloom {

void performSelectAction(SelectAction, AppState&) { }
void stampClipboard(const CellGrid&, GridKey, AppState&) { }
std::unordered_map<GridKey, ANSICell> floatPreviewOverlay(const CellGrid&, GridKey) { return {}; }

void blinkSelection(AppState& state) {
    if (!state.selection) {
        state.statusNote = "select something first";
        return;
    }
    state.snapshotForUndo();
    if (!state.blinkingText) {
        state.blinkingText = true;
        if (state.penBg.isANSI16() && state.penBg.n >= 8) state.penBg = ANSIColorValue::ansi16(state.penBg.n - 8);
    }
    int flipped = 0;
    if (validLayer(state, state.activeLayerIndex)) {
        Layer& layer = state.layers[static_cast<std::size_t>(state.activeLayerIndex)];
        const CellRect rect = *state.selection;
        for (int r = std::min(rect.r1, rect.r2); r <= std::max(rect.r1, rect.r2); ++r) {
            for (int c = std::min(rect.c1, rect.c2); c <= std::max(rect.c1, rect.c2); ++c) {
                const ANSICell* cell = layer.cells.cellAt(r, c);
                if (cell == nullptr) continue;
                ANSICell flippedCell = *cell;
                flippedCell.blink = !flippedCell.blink;
                layer.cells.set(r, c, flippedCell);
                ++flipped;
            }
        }
    }
    state.statusNote = "blink on " + std::to_string(flipped) + " cell" + (flipped == 1 ? "" : "s") + " — backgrounds now 8";
}

}  // namespace glyphloom
