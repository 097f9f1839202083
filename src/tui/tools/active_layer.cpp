#include "tui/tools/active_layer.hpp"

namespace glyphloom {

Layer* activeLayer(AppState& state) {
    if (state.activeLayerIndex < 0 || state.activeLayerIndex >= static_cast<int>(state.layers.size())) return nullptr;
    return &state.layers[static_cast<std::size_t>(state.activeLayerIndex)];
}

const Layer* activeLayer(const AppState& state) { return activeLayer(const_cast<AppState&>(state)); }

const ANSICell* activeCellAt(const AppState& state, GridKey at) {
    const Layer* layer = activeLayer(state);
    if (!layer) return nullptr;
    return layer->cells.cellAt(at.row - layer->rowOffset, at.col - layer->colOffset);
}

bool setActiveCell(AppState& state, GridKey at, const ANSICell& cell) {
    Layer* layer = activeLayer(state);
    if (!layer) return false;
    return layer->cells.set(at.row - layer->rowOffset, at.col - layer->colOffset, cell);
}

}  // namespace glyphloom
