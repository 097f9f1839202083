#include "tui/actions/toolbar.hpp"
#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace toolbar_test {

ANSICell ink(const char* ch) { return {CellChar(ch), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(0), false}; }

std::vector<std::string> names(const AppState& state) {
    std::vector<std::string> out;
    for (const Layer& layer : state.doc.layers) out.push_back(layer.name);
    return out;
}

TEST(ClearButton, FirstClickArmsOnlyARepeatClears) {
    AppState state;
    state.doc.layers[0].cells.set(0, 0, ink("x"));
    clearButtonClicked(false, state);
    EXPECT_TRUE(state.clearArmed);
    EXPECT_EQ(state.statusNote.value_or(""), "click Clear again to wipe the canvas");
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(0, 0)->character, CellChar("x"));
    clearButtonClicked(true, state);
    EXPECT_EQ(*state.doc.layers[0].cells.cellAt(0, 0), ANSICell::blank());
    EXPECT_EQ(state.statusNote.value_or(""), "cleared (^Z to undo)");
}

TEST(ClearButton, ClearResetsSauceAndIsUndoable) {
    AppState state;
    addLayer(state);
    state.doc.layers[0].cells.set(1, 1, ink("q"));
    state.doc.sauce.sauceTitleField = "Title";
    state.doc.sauce.sauceComments = {"note"};
    state.doc.writeSauce = true;
    state.viewOnly = true;
    perform(BarAction::clear, state);
    EXPECT_EQ(state.statusNote.value_or(""), "cleared Layer 2 (^Z to undo)");
    EXPECT_TRUE(state.doc.sauce.sauceTitleField.empty());
    EXPECT_TRUE(state.doc.sauce.sauceComments.empty());
    EXPECT_FALSE(state.doc.writeSauce);
    EXPECT_FALSE(state.viewOnly);
    state.undo();
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(1, 1)->character, CellChar("q"));
    EXPECT_EQ(state.doc.sauce.sauceTitleField, "Title");
    EXPECT_TRUE(state.doc.writeSauce);
}

TEST(Layers, AddGoesOnTopUpToTheLimit) {
    AppState state;
    for (int i = 0; i < 6; ++i) addLayer(state);
    EXPECT_EQ(state.doc.layers.size(), 7u);
    EXPECT_EQ(state.doc.layers.front().name, "Layer 7");
    EXPECT_EQ(state.activeLayerIndex, 0);
    EXPECT_EQ(state.statusNote.value_or(""), "layer added");
    const auto undoDepth = state.undoStack.size();
    addLayer(state);
    EXPECT_EQ(state.doc.layers.size(), 7u);
    EXPECT_EQ(state.statusNote.value_or(""), "layer limit (7)");
    EXPECT_EQ(state.undoStack.size(), undoDepth);  // refused without a snapshot
}

TEST(Layers, MoveKeepsTheActiveLayerSelected) {
    AppState state;
    addLayer(state);
    addLayer(state);  // Layer 3, Layer 2, Layer 1; Layer 3 active
    moveLayer(0, false, state);
    EXPECT_EQ(names(state), (std::vector<std::string>{"Layer 2", "Layer 3", "Layer 1"}));
    EXPECT_EQ(state.activeLayerIndex, 1);
    moveLayer(0, true, state);  // the top cannot go further up
    EXPECT_EQ(names(state), (std::vector<std::string>{"Layer 2", "Layer 3", "Layer 1"}));
    moveLayer(2, false, state);  // nor the bottom further down
    EXPECT_EQ(state.activeLayerIndex, 1);
}

TEST(Layers, DeleteFollowsTheActiveLayerOrItsPlace) {
    AppState state;
    addLayer(state);
    addLayer(state);
    deleteLayer(0, state);  // the active top layer
    EXPECT_EQ(names(state), (std::vector<std::string>{"Layer 2", "Layer 1"}));
    EXPECT_EQ(state.activeLayerIndex, 0);
    selectLayer(1, state);
    EXPECT_EQ(state.statusNote.value_or(""), "editing Layer 1");
    deleteLayer(0, state);  // another layer: the active one is followed to its new index
    EXPECT_EQ(names(state), (std::vector<std::string>{"Layer 1"}));
    EXPECT_EQ(state.activeLayerIndex, 0);
    deleteLayer(0, state);  // the only layer stays
    EXPECT_EQ(state.doc.layers.size(), 1u);

    AppState last;
    addLayer(last);
    selectLayer(1, last);
    deleteLayer(1, last);  // the active bottom layer: the index stays within the stack
    EXPECT_EQ(last.activeLayerIndex, 0);
}

TEST(Layers, FlattenCompositesIntoOneLayer) {
    AppState state;
    state.doc.layers[0].cells.set(0, 0, ink("b"));
    state.doc.layers[0].cells.set(0, 1, ink("b"));
    addLayer(state);
    state.doc.layers[0].cells.set(0, 1, ink("t"));
    state.doc.layers[1].visible = true;
    flattenLayers(state);
    ASSERT_EQ(state.doc.layers.size(), 1u);
    EXPECT_EQ(state.doc.layers[0].name, "Layer 1");
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(0, 0)->character, CellChar("b"));
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(0, 1)->character, CellChar("t"));
    EXPECT_EQ(state.statusNote.value_or(""), "flattened");
    state.undo();
    EXPECT_EQ(state.doc.layers.size(), 2u);
}

// Layer operations that change the picture leave view-only art as it is, like the tools.
TEST(Layers, ViewOnlyArtIsNeitherShiftedNorRearranged) {
    const std::pair<const char*, void (*)(AppState&)> edits[] = {
        {"nudge", [](AppState& s) { nudgeActiveLayer(1, 2, s); }},
        {"shift drag",
         [](AppState& s) {
             startLayerShiftDrag({0, 0}, s);
             layerShiftDragTo({3, 4}, s);
         }},
        {"reset shift", [](AppState& s) { resetActiveLayerShift(s); }},
        {"move", [](AppState& s) { moveLayer(0, false, s); }},
        {"delete", [](AppState& s) { deleteLayer(1, s); }},
        {"flatten", [](AppState& s) { flattenLayers(s); }},
    };
    for (const auto& [name, edit] : edits) {
        AppState state;
        state.doc.layers[0].cells.set(0, 0, ink("a"));
        state.doc.layers[0].rowOffset = 1;
        addLayer(state);
        state.undoStack.clear();
        state.viewOnly = true;
        const std::vector<Layer> before = state.doc.layers;
        edit(state);
        EXPECT_EQ(state.doc.layers, before) << name;
        EXPECT_TRUE(state.undoStack.empty()) << name;
        EXPECT_EQ(state.statusNote.value_or(""), "view only — re-save to edit") << name;
    }
}

TEST(Toolbar, MirrorCyclesThroughAllModes) {
    AppState state;
    const char* expected[] = {"symmetry: Mirror│", "symmetry: Mirror─", "symmetry: Mirror┼", "symmetry: Mirror"};
    for (const char* note : expected) {
        perform(BarAction::mirror, state);
        EXPECT_EQ(state.statusNote.value_or(""), note);
    }
    EXPECT_EQ(state.tools.symmetryMode, SymmetryMode::none);
}

TEST(Toolbar, LayerShiftNudgesAndResets) {
    AppState state;
    perform(BarAction::layerShift, state);
    EXPECT_TRUE(state.shiftingLayer);
    nudgeActiveLayer(0, 1, state);
    nudgeActiveLayer(-1, 0, state);
    EXPECT_EQ(state.statusNote.value_or(""), "Layer 1 shift 1,-1");
    resetActiveLayerShift(state);
    EXPECT_EQ(state.doc.layers[0].rowOffset, 0);
    EXPECT_EQ(state.statusNote.value_or(""), "Layer 1 shift reset");
    perform(BarAction::layers, state);  // the layers button ends shift mode first
    EXPECT_FALSE(state.shiftingLayer);
    EXPECT_NE(state.overlay, Overlay::layersPanel);
    EXPECT_EQ(state.statusNote.value_or(""), "layer-shift off");
}

TEST(Toolbar, LayerShiftDragMovesByThePointersWayFromTheAnchor) {
    AppState state;
    state.doc.layers[0].rowOffset = 2;
    state.doc.layers[0].colOffset = -1;
    startLayerShiftDrag(GridKey{10, 7}, state);
    layerShiftDragTo(GridKey{13, 3}, state);
    EXPECT_EQ(state.doc.layers[0].rowOffset, 5);
    EXPECT_EQ(state.doc.layers[0].colOffset, -5);
    layerShiftDragTo(GridKey{10, 7}, state);  // back over the anchor: back where it started
    EXPECT_EQ(state.doc.layers[0].rowOffset, 2);
    EXPECT_EQ(state.doc.layers[0].colOffset, -1);
    EXPECT_EQ(state.statusNote.value_or(""), "Layer 1 shift -1,2");

    AppState noDrag;
    layerShiftDragTo(GridKey{3, 3}, noDrag);
    EXPECT_EQ(noDrag.doc.layers[0].rowOffset, 0);
    noDrag.activeLayerIndex = 5;  // no such layer: nothing to anchor
    startLayerShiftDrag(GridKey{1, 1}, noDrag);
    EXPECT_FALSE(noDrag.layerShiftDrag);
}

TEST(Toolbar, NudgingStopsAtTheOffsetBound) {
    AppState state;
    state.doc.layers[0].rowOffset = maxLayerOffset - 1;
    state.doc.layers[0].colOffset = -maxLayerOffset;
    for (int i = 0; i < 3; ++i) nudgeActiveLayer(1, -1, state);
    EXPECT_EQ(state.doc.layers[0].rowOffset, maxLayerOffset);
    EXPECT_EQ(state.doc.layers[0].colOffset, -maxLayerOffset);
    nudgeActiveLayer(-1, 1, state);
    EXPECT_EQ(state.doc.layers[0].rowOffset, maxLayerOffset - 1);
    EXPECT_EQ(state.doc.layers[0].colOffset, -maxLayerOffset + 1);
}

TEST(Toolbar, SaveOnANeverSavedDocumentOpensTheSaveOptions) {
    AppState state;
    state.dirty = true;
    perform(BarAction::save, state);
    EXPECT_EQ(state.overlay, Overlay::saveOptions);
}

TEST(ColorDepthPicker, DepthClampsColoursAndReportsCellsOutOfSpec) {
    AppState state;
    state.tools.fg = ANSIColorValue::truecolor(250, 10, 10);
    state.doc.layers[0].cells.set(0, 0, {CellChar("x"), ANSIColorValue::ansi256(196), ANSIColorValue::ansi16(0), false});
    openOverlay(Overlay::palettePicker, state);
    setDocumentColorDepth(ColorDepth::c16, state);
    EXPECT_EQ(state.doc.colorDepth, ColorDepth::c16);
    EXPECT_TRUE(state.tools.fg.isANSI16());
    EXPECT_NE(state.overlay, Overlay::palettePicker);
    EXPECT_EQ(state.statusNote.value_or(""), "color depth: 16 — 1 cells out of spec");
}

TEST(CanvasSizePicker, PresetResizesAndClosesCustomStartsTyping) {
    AppState state;
    openOverlay(Overlay::sizePicker, state);
    applyCanvasSizePreset(80, 25, state);
    EXPECT_EQ(state.doc.cols, 80);
    EXPECT_EQ(state.doc.rows, 25);
    EXPECT_NE(state.overlay, Overlay::sizePicker);
    state.undo();
    EXPECT_EQ(state.doc.cols, 160);
    startCanvasSizeEntry(state);
    EXPECT_TRUE(promptIs(state.prompt, PromptKind::canvasSize));
    EXPECT_EQ(state.statusNote.value_or(""), "type COLSxROWS (e.g. 132x40), Enter to apply");
}

}  // namespace toolbar_test
}  // namespace glyphloom
