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
    if (!state.stroke.shapeStart) advancePresetMode(state);
    state.cursorVisible = state.tools.tool == Tool::text;
    // The right button trades foreground and background for this stroke only.
    const bool swap = button == 2;
    switch (state.tools.tool) {
        case Tool::fill:
            applyFloodFill(cell, state);
            return;
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select:
            beginStroke(state);
            state.stroke.paintSwap = swap;
            state.stroke.shapeStart = cell;
            state.stroke.lastShapeDrag = cell;
            state.stroke.previewOverlay = computeShape(cell, cell, state);
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
            state.stroke.paintSwap = swap;
            state.stroke.paintingStroke = true;
            paint(cell, state);
            return;
    }
}

void dragCanvas(GridKey at, AppState& state) {
    if (state.pasteFloat && state.clipboard) {
        state.stroke.previewOverlay = floatPreviewOverlay(state.doc, *state.clipboard, at);
    } else if (state.stroke.shapeStart) {
        state.stroke.lastShapeDrag = at;
        state.stroke.previewOverlay = computeShape(*state.stroke.shapeStart, at, state);
    } else if (state.stroke.paintingStroke) {
        paint(at, state);
    }
}

void releaseCanvas(std::optional<GridKey> cell, AppState& state) {
    if (state.stroke.shapeStart) {
        const GridKey end = cell ? *cell : state.stroke.lastShapeDrag.value_or(*state.stroke.shapeStart);
        finishShape(end, state);
    }
    if (state.stroke.paintingStroke && !state.stroke.kbStroke) {
        if (state.stroke.strokeCellCount > 0) {
            state.statusNote = lowerToolName(state.tools.tool) + " · " + std::to_string(state.stroke.strokeCellCount);
        }
        endStroke(state);
    }
}

}  // namespace glyphloom
