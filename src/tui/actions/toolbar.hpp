// What the menu bar's buttons and the layers panel do to the document: undo and redo, save,
// clear, opening files, the layer stack, layer shifting, canvas size, colour depth, mirror
// and help. Every operation that changes cells takes one undo snapshot first.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "core/color/color_depth.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/bar_action.hpp"

namespace glyphloom {

inline constexpr int maxLayers = 7;

// True when `index` names a layer of the stack.
bool validLayer(const AppState& state, int index);

void perform(BarAction action, AppState& state);

// The status line opens and closes the history of notes.
void toggleStatusHistory(AppState& state);

// The bar's "x": the first click arms, only an immediately repeated click clears.
// `wasArmed` is the armed state before this click disarmed it.
void clearButtonClicked(bool wasArmed, AppState& state);
// Every click past the boxes disarms the clear; this tells whether it was armed.
bool takeClearArm(AppState& state);

void addLayer(AppState& state);
void moveLayer(int at, bool up, AppState& state);
void deleteLayer(int at, AppState& state);
void flattenLayers(AppState& state);
void toggleLayerVisible(int at, AppState& state);
void selectLayer(int at, AppState& state);
void closeLayersPanel(AppState& state);

void toggleLayerShift(AppState& state);
// Moves the active layer by a number of cells (layer-shift mode's arrows and drags).
void nudgeActiveLayer(int dRows, int dCols, AppState& state);
void resetActiveLayerShift(AppState& state);
// A press on the canvas in layer-shift mode anchors a drag; moving drags the active layer
// by as many cells as the pointer moved from the anchor.
void startLayerShiftDrag(GridKey at, AppState& state);
void layerShiftDragTo(GridKey at, AppState& state);
void endLayerShiftDrag(AppState& state);

// The colour-depth picker's rows.
void setDocumentColorDepth(ColorDepth depth, AppState& state);
void setMonoTint(MonoTint tint, AppState& state);
void toggleBlinkingTextFromDepthPicker(AppState& state);
void closeDepthPicker(AppState& state);

// The canvas-size picker: a preset row, or "Custom…" which starts typing a size.
void applyCanvasSizePreset(int cols, int rows, AppState& state);
void startCanvasSizeEntry(AppState& state);
// The typed "COLSxROWS"; anything else only says what was wanted.
void applyTypedCanvasSize(const std::string& text, AppState& state);
void closeSizePicker(AppState& state);

}  // namespace glyphloom
