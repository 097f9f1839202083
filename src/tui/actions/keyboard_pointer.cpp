#include "tui/actions/keyboard_pointer.hpp"

#include <algorithm>

namespace glyphloom {
namespace {

ScreenCell onScreen(int row, int col, const Layout& layout) {
    return {std::clamp(row, 0, std::max(layout.termRows - 1, 0)), std::clamp(col, 0, std::max(layout.termCols - 1, 0))};
}

void placeKeyboardPointer(ScreenCell at, AppState& state) {
    state.kbCursor = at;
    state.mouse = {at.col, at.row};
}

}  // namespace

void pointerPressed(int x, int y, AppState& state) {
    state.mouse = {x, y};
    state.statusNote = std::nullopt;
    state.kbCursor.reset();
}

void startKeyboardPointer(AppState& state, const Layout& layout) {
    placeKeyboardPointer(onScreen(state.mouse.y, state.mouse.x, layout), state);
    state.statusNote = "keyboard pointer — arrows move · Space click · Esc back";
}

void moveKeyboardPointer(int dRow, int dCol, AppState& state, const Layout& layout) {
    if (!state.kbCursor) return;
    placeKeyboardPointer(onScreen(state.kbCursor->row + dRow, state.kbCursor->col + dCol, layout), state);
}

void clickAtKeyboardPointer(AppState& state) { state.pendingClick = state.kbCursor; }

void dropKeyboardPointer(AppState& state) { state.kbCursor.reset(); }

}  // namespace glyphloom
