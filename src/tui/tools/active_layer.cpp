#include "tui/tools/active_layer.hpp"

namespace glyphloom {

Layer* activeLayer(AppState& state) {
    if (state.activeLayerIndex < 0 || state.activeLayerIndex >= static_cast<int>(state.doc.layers.size())) return nullptr;
    return &state.doc.layers[static_cast<std::size_t>(state.activeLayerIndex)];
}

const Layer* activeLayer(const AppState& state) { return activeLayer(const_cast<AppState&>(state)); }

std::optional<GridKey> layerCellOf(const Document& doc, const Layer& layer, GridKey documentCell) {
    if (!doc.contains(documentCell)) return std::nullopt;
    const GridKey local{documentCell.row - layer.rowOffset, documentCell.col - layer.colOffset};
    if (layer.cells.cellAt(local.row, local.col) == nullptr) return std::nullopt;
    return local;
}

GridKey documentCellOf(const Layer& layer, GridKey layerCell) {
    return {layerCell.row + layer.rowOffset, layerCell.col + layer.colOffset};
}

const ANSICell* activeCellAt(const AppState& state, GridKey at) {
    const Layer* layer = activeLayer(state);
    if (!layer) return nullptr;
    const auto local = layerCellOf(state.doc, *layer, at);
    return local ? layer->cells.cellAt(local->row, local->col) : nullptr;
}

bool setActiveCell(AppState& state, GridKey at, const ANSICell& cell) {
    if (state.viewOnly) return false;
    Layer* layer = activeLayer(state);
    if (!layer) return false;
    const auto local = layerCellOf(state.doc, *layer, at);
    return local && layer->cells.set(local->row, local->col, cell);
}

bool refusedAsViewOnly(AppState& state) {
    if (state.viewOnly) state.statusNote = "view only — re-save to edit";
    return state.viewOnly;
}

bool beginToolEdit(AppState& state) {
    if (refusedAsViewOnly(state)) return false;
    state.snapshotForUndo();
    return true;
}

}  // namespace glyphloom
