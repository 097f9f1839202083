#include "tui/actions/toolbar.hpp"

#include <algorithm>

#include "core/model/canvas_size.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/actions/save_options.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/state/symmetry_label.hpp"
#include "tui/tools/active_layer.hpp"

namespace glyphloom {
namespace {

CellGrid blankLayerCells(const Document& doc) { return CellGrid(doc.rows, doc.cols); }

// Where the layer with this id sits now, if it is still in the stack.
std::optional<int> indexOfLayer(const AppState& state, const Uuid& id) {
    for (std::size_t i = 0; i < state.doc.layers.size(); ++i)
        if (state.doc.layers[i].id == id) return static_cast<int>(i);
    return std::nullopt;
}

void noteShift(AppState& state, const Layer& layer) {
    state.statusNote = layer.name + " shift " + std::to_string(layer.colOffset) + "," + std::to_string(layer.rowOffset);
}

void clearCanvas(AppState& state) {
    state.snapshotForUndo();
    state.viewOnly = false;
    // A cleared canvas no longer carries anyone's SAUCE record.
    state.doc.sauce = SauceFields{};
    state.doc.writeSauce = false;
    Layer* layer = activeLayer(state);
    if (layer == nullptr) return;
    layer->cells = blankLayerCells(state.doc);
    state.statusNote = state.doc.layers.size() >= 2 ? "cleared " + layer->name + " (^Z to undo)" : "cleared (^Z to undo)";
}

void openFileBrowser(AppState& state, bool imageMode) {
    openOverlay(Overlay::fileBrowser, state);
    state.browseFor = imageMode ? BrowseFor::image : BrowseFor::documents;
    state.browseScroll = 0;
    state.browseSel = 0;
    refreshBrowse(state);
}

}  // namespace

bool validLayer(const AppState& state, int index) {
    return index >= 0 && index < static_cast<int>(state.doc.layers.size());
}

void perform(BarAction action, AppState& state) {
    switch (action) {
        case BarAction::undo:
            state.undo();
            return;
        case BarAction::redo:
            state.redo();
            return;
        case BarAction::save:
            if (!state.ownedPath) {
                // Naming and saving happen from the box; pressed again, it saves under the
                // name the box shows.
                if (state.overlay == Overlay::saveOptions) saveFromOptions(state);
                else openOverlay(Overlay::saveOptions, state);
            } else if (state.dirty) {
                saveDocument(state);
            } else {
                toggleOverlay(Overlay::saveOptions, state);
            }
            return;
        case BarAction::clear:
            clearCanvas(state);
            return;
        case BarAction::load:
            openFileBrowser(state, false);
            return;
        case BarAction::refImage:
            openFileBrowser(state, true);
            return;
        case BarAction::layers:
            if (state.shiftingLayer) {
                state.shiftingLayer = false;
                state.statusNote = "layer-shift off";
            } else {
                toggleOverlay(Overlay::layersPanel, state);
            }
            return;
        case BarAction::layerShift:
            toggleLayerShift(state);
            return;
        case BarAction::canvasSize:
            openOverlay(Overlay::sizePicker, state);
            return;
        case BarAction::colorDepth:
            openOverlay(Overlay::depthPicker, state);
            return;
        case BarAction::mirror: {
            const int next = (static_cast<int>(state.tools.symmetryMode) + 1) % 4;
            state.tools.symmetryMode = static_cast<SymmetryMode>(next);
            state.statusNote = "symmetry: " + std::string(symmetryLabel(state.tools.symmetryMode));
            return;
        }
        case BarAction::help:
            openOverlay(Overlay::help, state);
            return;
    }
}

void clearButtonClicked(bool wasArmed, AppState& state) {
    if (wasArmed) {
        perform(BarAction::clear, state);
        return;
    }
    state.clearArmed = true;
    state.statusNote = "click Clear again to wipe the canvas";
}

bool takeClearArm(AppState& state) {
    const bool wasArmed = state.clearArmed;
    state.clearArmed = false;
    return wasArmed;
}

void closeLayersPanel(AppState& state) { closeOverlay(Overlay::layersPanel, state); }

void closeDepthPicker(AppState& state) { closeOverlay(Overlay::depthPicker, state); }

void closeSizePicker(AppState& state) { closeOverlay(Overlay::sizePicker, state); }

void addLayer(AppState& state) {
    if (static_cast<int>(state.doc.layers.size()) >= maxLayers) {
        state.statusNote = "layer limit (7)";
        return;
    }
    state.snapshotForUndo();
    state.doc.layers.insert(state.doc.layers.begin(),
                        Layer("Layer " + std::to_string(state.doc.layers.size() + 1), blankLayerCells(state.doc)));
    state.activeLayerIndex = 0;
    state.statusNote = "layer added";
}

void moveLayer(int at, bool up, AppState& state) {
    const int target = up ? at - 1 : at + 1;
    if (!validLayer(state, at) || !validLayer(state, target) || refusedAsViewOnly(state)) return;
    const std::optional<Uuid> activeId =
        validLayer(state, state.activeLayerIndex) ? std::optional(state.doc.layers[static_cast<std::size_t>(state.activeLayerIndex)].id)
                                                  : std::nullopt;
    state.snapshotForUndo();
    std::swap(state.doc.layers[static_cast<std::size_t>(at)], state.doc.layers[static_cast<std::size_t>(target)]);
    if (activeId) state.activeLayerIndex = indexOfLayer(state, *activeId).value_or(state.activeLayerIndex);
}

void deleteLayer(int at, AppState& state) {
    if (state.doc.layers.size() < 2 || !validLayer(state, at) || refusedAsViewOnly(state)) return;
    const int oldActive = state.activeLayerIndex;
    const std::optional<Uuid> activeId =
        validLayer(state, oldActive) ? std::optional(state.doc.layers[static_cast<std::size_t>(oldActive)].id) : std::nullopt;
    state.snapshotForUndo();
    state.doc.layers.erase(state.doc.layers.begin() + at);
    const auto followed = activeId ? indexOfLayer(state, *activeId) : std::nullopt;
    state.activeLayerIndex = followed.value_or(std::min(oldActive, static_cast<int>(state.doc.layers.size()) - 1));
    state.activeLayerIndex = std::max(state.activeLayerIndex, 0);
    state.statusNote = "layer deleted";
}

void flattenLayers(AppState& state) {
    if (state.doc.layers.size() < 2 || refusedAsViewOnly(state)) return;
    state.snapshotForUndo();
    Layer flat("Layer 1", compositeLayers(state.doc.layers, state.doc.rows, state.doc.cols));
    state.doc.layers = {std::move(flat)};
    state.activeLayerIndex = 0;
    state.statusNote = "flattened";
}

void toggleLayerVisible(int at, AppState& state) {
    if (!validLayer(state, at)) return;
    Layer& layer = state.doc.layers[static_cast<std::size_t>(at)];
    layer.visible = !layer.visible;
}

void selectLayer(int at, AppState& state) {
    if (!validLayer(state, at)) return;
    state.activeLayerIndex = at;
    state.statusNote = "editing " + state.doc.layers[static_cast<std::size_t>(at)].name;
}

void toggleLayerShift(AppState& state) {
    state.shiftingLayer = !state.shiftingLayer;
    if (state.shiftingLayer) {
        closeOverlay(Overlay::layersPanel, state);
        state.statusNote = "layer-shift on — arrows nudge the layer, 0 resets";
    } else {
        state.statusNote = "layer-shift off";
    }
}

void nudgeActiveLayer(int dRows, int dCols, AppState& state) {
    Layer* layer = activeLayer(state);
    if (layer == nullptr || refusedAsViewOnly(state)) return;
    layer->rowOffset = clampedLayerOffset(static_cast<long long>(layer->rowOffset) + dRows);
    layer->colOffset = clampedLayerOffset(static_cast<long long>(layer->colOffset) + dCols);
    noteShift(state, *layer);
}

void startLayerShiftDrag(GridKey at, AppState& state) {
    if (const Layer* layer = activeLayer(state)) state.layerShiftDrag = LayerShiftDrag{at, GridKey{layer->rowOffset, layer->colOffset}};
}

void layerShiftDragTo(GridKey at, AppState& state) {
    Layer* layer = activeLayer(state);
    if (layer == nullptr || !state.layerShiftDrag || refusedAsViewOnly(state)) return;
    layer->rowOffset = clampedLayerOffset(static_cast<long long>(state.layerShiftDrag->off.row) + at.row -
                                          state.layerShiftDrag->anchor.row);
    layer->colOffset = clampedLayerOffset(static_cast<long long>(state.layerShiftDrag->off.col) + at.col -
                                          state.layerShiftDrag->anchor.col);
    noteShift(state, *layer);
}

void resetActiveLayerShift(AppState& state) {
    Layer* layer = activeLayer(state);
    if (layer == nullptr || refusedAsViewOnly(state)) return;
    layer->rowOffset = 0;
    layer->colOffset = 0;
    state.statusNote = layer->name + " shift reset";
}

void setDocumentColorDepth(ColorDepth depth, AppState& state) {
    state.doc.colorDepth = depth;
    state.tools.fg = clampToDepth(state.tools.fg, depth);
    state.tools.penBg = clampToDepth(state.tools.penBg, depth);
    if (depth == ColorDepth::mono || depth == ColorDepth::c16) closeOverlay(Overlay::palettePicker, state);
    const int outOfSpec = outOfSpecCount(state.doc.layers, depth, state.doc.blinkingText);
    if (outOfSpec > 0)
        state.statusNote = "color depth: " + std::string(label(depth)) + " — " + std::to_string(outOfSpec) +
                           " cells out of spec";
}

void setMonoTint(MonoTint tint, AppState& state) {
    state.doc.monoTint = tint;
    state.statusNote = "monitor: " + std::string(label(tint));
}

void toggleBlinkingTextFromDepthPicker(AppState& state) {
    state.doc.blinkingText = !state.doc.blinkingText;
    if (state.doc.blinkingText) {
        state.tools.penBg = backgroundForMode(state.tools.penBg, true);
        state.statusNote = "blinking text — costs the bright backgrounds, terminals vary";
    } else {
        state.statusNote = "bright backgrounds on";
    }
}

void applyCanvasSizePreset(int cols, int rows, AppState& state) {
    state.resizeCanvas(cols, rows);
    closeOverlay(Overlay::sizePicker, state);
}

void applyTypedCanvasSize(const std::string& text, AppState& state) {
    if (const auto size = parseCanvasSize(text)) state.resizeCanvas(size->cols, size->rows);
    else state.statusNote = "bad size — wanted COLSxROWS";
}

void startCanvasSizeEntry(AppState& state) {
    closeOverlay(Overlay::sizePicker, state);
    openPrompt(Prompt(PromptKind::canvasSize), state);
    state.statusNote = "type COLSxROWS (e.g. 132x40), Enter to apply";
}

void toggleStatusHistory(AppState& state) {
    toggleOverlay(Overlay::history, state);
    if (state.overlay == Overlay::history) state.historyOpenedAt = std::chrono::steady_clock::now();
}

void endLayerShiftDrag(AppState& state) { state.layerShiftDrag.reset(); }

}  // namespace glyphloom
