#include "tui/actions/canvas_press.hpp"

#include "tui/actions/preset_actions.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/fill_tool.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/panspect.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {

void pressCanvas(GridKey cell, int button, AppState& state) {
    // Whatever the tool, typing, the Space pen and pasting go on from the pressed cell.
    state.cursor = cell;
    if (state.pasteFloat) return placeFloatingPaste(cell, state);
    if (state.shiftingLayer) return startLayerShiftDrag(cell, state);
    if (!state.shapeStart) advancePresetMode(state);
    state.cursorVisible = state.tool == Tool::text;
    state.paintSwap = button == 2;
    switch (state.tool) {
        case Tool::fill:
            applyFloodFill(cell, state);
            return;
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select:
            beginStroke(state);
            state.paintingStroke = false;
            state.shapeStart = cell;
            state.lastShapeDrag = cell;
            state.previewOverlay = computeShape(cell, cell, state);
            return;
        case Tool::text:
            state.textOriginRow = cell.row;
            state.textOriginCol = cell.col;
            state.textStampHistory.clear();
            state.plainStampHistory.clear();
            return;
        case Tool::pans:
            startPanDrag(state);
            return;
        default:
            if (!beginToolEdit(state)) return;
            beginStroke(state);
            state.paintingStroke = true;
            paint(cell, state);
            return;
    }
}

void dragCanvas(GridKey at, AppState& state) {
    if (state.pasteFloat && state.clipboard) {
        state.previewOverlay = floatPreviewOverlay(state.doc, *state.clipboard, at);
    } else if (state.shapeStart) {
        state.lastShapeDrag = at;
        state.previewOverlay = computeShape(*state.shapeStart, at, state);
    } else if (state.paintingStroke) {
        paint(at, state);
    }
}

void releaseCanvas(std::optional<GridKey> cell, AppState& state) {
    if (state.shapeStart) {
        const GridKey end = cell ? *cell : state.lastShapeDrag.value_or(*state.shapeStart);
        finishShape(end, state);
    }
    if (state.paintingStroke && !state.kbStroke) {
        if (state.strokeCellCount > 0) {
            state.statusNote = lowerToolName(state.tool) + " · " + std::to_string(state.strokeCellCount);
        }
        state.paintingStroke = false;
        state.lastPaint.reset();
        state.lastPaintTime.reset();
        state.strokeCellCount = 0;
        state.penConns.clear();
        state.penColors.clear();
        state.penChars.clear();
        state.paintSwap = false;
    }
}

}  // namespace glyphloom
