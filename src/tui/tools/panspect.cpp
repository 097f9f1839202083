#include "tui/tools/panspect.hpp"

#include <algorithm>

namespace glyphloom {

void startPanDrag(AppState& state) { state.panDrag = PanDrag{state.mouse, state.viewOffset}; }

void panDragTo(int x, int y, AppState& state) {
    if (!state.panDrag) return;
    const int row = state.panDrag->offset.row - (y - state.panDrag->mouse.y);
    const int col = state.panDrag->offset.col - (x - state.panDrag->mouse.x);
    state.viewOffset = {std::clamp(row, 0, std::max(state.doc.rows - 1, 0)),
                        std::clamp(col, 0, std::max(state.doc.cols - 1, 0))};
}

void endPanDrag(int x, int y, std::optional<GridKey> cell, AppState& state) {
    if (!state.panDrag) return;
    const PanDrag drag = *state.panDrag;
    state.panDrag.reset();
    // Released where it was pressed: a pick instead of a pan.
    if (drag.mouse.x == x && drag.mouse.y == y && cell) pickCell(*cell, state);
}

void pickCell(GridKey at, AppState& state) {
    if (at.row < 0 || at.row >= state.doc.rows || at.col < 0 || at.col >= state.doc.cols) return;
    const ANSICell picked = compositedCellAt(state.doc.layers, at.row, at.col);
    state.tools.penChar = picked.character.str();
    state.tools.charNull = false;
    state.tools.fg = picked.foreground;
    state.tools.penBg = picked.background;
    state.tools.fgNull = state.tools.bgNull = false;
    state.tools.fgCycle = state.tools.bgCycle = state.tools.charCycle = false;
    state.tools.fgRandom = state.tools.bgRandom = state.tools.charRandom = false;
    if (state.doc.blinkingText && state.tools.penBg.isANSI16() && state.tools.penBg.n >= 8 && state.tools.penBg.n <= 15)
        state.tools.penBg = ANSIColorValue::ansi16(state.tools.penBg.n - 8);
    state.statusNote = "picked " + state.tools.penChar + "/" + state.tools.fg.label() + "/" + state.tools.penBg.label();
}

}  // namespace glyphloom
