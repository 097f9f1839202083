#include "tui/actions/keyboard_pen.hpp"

#include <algorithm>
#include <string>

#include "tui/actions/preset_actions.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/panspect.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace {

// Keeps the document cursor inside the viewport by scrolling the view.
void keepCursorVisible(AppState& state, const Layout& layout) {
    const int height = std::max(layout.canvasHeight(), 1);
    const int width = std::max(layout.canvasWidth(), 1);
    if (state.cursor.row < layout.viewRow) state.viewOffset.row = state.cursor.row;
    else if (state.cursor.row >= layout.viewRow + height) state.viewOffset.row = state.cursor.row - height + 1;
    else state.viewOffset.row = layout.viewRow;
    if (state.cursor.col < layout.viewCol) state.viewOffset.col = state.cursor.col;
    else if (state.cursor.col >= layout.viewCol + width) state.viewOffset.col = state.cursor.col - width + 1;
    else state.viewOffset.col = layout.viewCol;
}

void anchorShapeAtCursor(AppState& state) {
    advancePresetMode(state);
    beginStroke(state);
    state.shapeStart = state.cursor;
    state.lastShapeDrag = state.cursor;
    state.previewOverlay = computeShape(state.cursor, state.cursor, state);
    state.statusNote = "anchored — arrows stretch, space commits";
}

void putKeyboardPenDown(AppState& state) {
    if (!beginToolEdit(state)) return;
    advancePresetMode(state);
    beginStroke(state);
    state.paintingStroke = true;
    paint(state.cursor, state);
    state.kbStroke = true;
    state.statusNote = "pen down — arrows draw, space lifts";
}

}  // namespace

void moveDocumentCursor(int dRow, int dCol, AppState& state, const Layout& layout) {
    state.cursor.row = std::clamp(state.cursor.row + dRow, 0, std::max(state.doc.rows - 1, 0));
    state.cursor.col = std::clamp(state.cursor.col + dCol, 0, std::max(state.doc.cols - 1, 0));
    state.cursorVisible = true;
    keepCursorVisible(state, layout);
    if (state.kbStroke) {
        paint(state.cursor, state);
    } else if (state.shapeStart) {
        state.lastShapeDrag = state.cursor;
        state.previewOverlay = computeShape(*state.shapeStart, state.cursor, state);
    } else if (state.pasteFloat && state.clipboard) {
        state.previewOverlay = floatPreviewOverlay(state.doc, *state.clipboard, state.cursor);
    }
}

void kbSpaceToggle(AppState& state) {
    state.cursorVisible = true;
    switch (state.tool) {
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select:
            if (state.shapeStart) finishShape(state.cursor, state);
            else anchorShapeAtCursor(state);
            return;
        case Tool::pans:
            pickCell(state.cursor, state);
            return;
        case Tool::text:
            return;
        default:
            break;
    }
    if (state.kbStroke) {
        const int count = state.strokeCellCount;
        liftKeyboardPen(state);
        state.statusNote = lowerToolName(state.tool) + " · " + std::to_string(count);
        state.strokeCellCount = 0;
        return;
    }
    putKeyboardPenDown(state);
}

void cancelCanvasGesture(AppState& state) {
    state.shapeStart.reset();
    state.lastShapeDrag.reset();
    state.pasteFloat = false;
    state.previewOverlay.clear();
    if (state.kbStroke) liftKeyboardPen(state);
}

}  // namespace glyphloom
