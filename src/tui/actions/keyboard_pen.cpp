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
    state.stroke.shapeStart = state.cursor;
    state.stroke.lastShapeDrag = state.cursor;
    state.stroke.previewOverlay = computeShape(state.cursor, state.cursor, state);
    state.statusNote = "anchored — arrows stretch, space commits";
}

void putKeyboardPenDown(AppState& state) {
    if (!beginToolEdit(state)) return;
    advancePresetMode(state);
    beginStroke(state);
    state.stroke.paintingStroke = true;
    paint(state.cursor, state);
    state.stroke.kbStroke = true;
    state.statusNote = "pen down — arrows draw, space lifts";
}

}  // namespace

void moveDocumentCursor(int dRow, int dCol, AppState& state, const Layout& layout) {
    state.cursor.row = std::clamp(state.cursor.row + dRow, 0, std::max(state.doc.rows - 1, 0));
    state.cursor.col = std::clamp(state.cursor.col + dCol, 0, std::max(state.doc.cols - 1, 0));
    state.cursorVisible = true;
    keepCursorVisible(state, layout);
    if (state.stroke.kbStroke) {
        paint(state.cursor, state);
    } else if (state.stroke.shapeStart) {
        state.stroke.lastShapeDrag = state.cursor;
        state.stroke.previewOverlay = computeShape(*state.stroke.shapeStart, state.cursor, state);
    } else if (state.pasteFloat && state.clipboard) {
        state.stroke.previewOverlay = floatPreviewOverlay(state.doc, *state.clipboard, state.cursor);
    }
}

void kbSpaceToggle(AppState& state) {
    state.cursorVisible = true;
    switch (state.tools.tool) {
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select:
            if (state.stroke.shapeStart) finishShape(state.cursor, state);
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
    if (state.stroke.kbStroke) {
        const int count = state.stroke.strokeCellCount;
        liftKeyboardPen(state);
        state.statusNote = lowerToolName(state.tools.tool) + " · " + std::to_string(count);
        return;
    }
    putKeyboardPenDown(state);
}

void cancelCanvasGesture(AppState& state) {
    state.pasteFloat = false;
    endStroke(state);
}

}  // namespace glyphloom
