// Keys and arrows: the open browser or box first, then the keyboard pointer, the character
// picker, the text field being typed, and finally the editor's own keys.
#include <algorithm>

#include "core/text/utf8.hpp"
#include "tui/input/dispatch.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/font_browser.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/tools/text_tool.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/panspect.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace {

constexpr std::uint8_t ctrlC = 3, ctrlE = 5, ctrlF = 6, backspaceKey = 8, tab = 9, lineFeed = 10, carriageReturn = 13,
                       ctrlQ = 17, ctrlV = 22, ctrlY = 25, ctrlZ = 26, escape = 27, deleteKey = 127;

bool isEnter(std::uint8_t b) { return b == lineFeed || b == carriageReturn; }
bool isBackspace(std::uint8_t b) { return b == backspaceKey || b == deleteKey; }
bool isQuit(std::uint8_t b) { return b == ctrlC || b == ctrlQ; }

bool aboutKey(std::uint8_t byte, AppState& state) {
    if (isQuit(byte)) return false;
    if (byte == escape) {
        state.aboutOpen = false;
    } else if (isBackspace(byte)) {
        std::u32string chars = utf8::decode(state.aboutInput);
        if (!chars.empty()) chars.pop_back();
        std::string out;
        for (char32_t c : chars) utf8::append(out, c);
        state.aboutInput = out;
    } else if (isEnter(byte)) {
        if (state.aboutInput == "clear" || state.aboutInput == "cls") {
            state.aboutHistory.clear();
        } else {
            state.aboutHistory.push_back("> " + state.aboutInput);
            if (state.aboutHistory.size() > 200) state.aboutHistory.erase(state.aboutHistory.begin());
        }
        state.aboutInput.clear();
    } else if (byte >= 32 && utf8::decode(state.aboutInput).size() < 1024) {
        if (auto character = takeKeyCharacter(byte, state.pendingKeyBytes)) state.aboutInput += *character;
    }
    return true;
}

void escapeKey(AppState& state) {
    if (closeTopmostOverlayOnEsc(state)) return;
    state.shapeStart.reset();
    state.lastShapeDrag.reset();
    state.pasteFloat = false;
    state.previewOverlay.clear();
    if (state.kbStroke) liftKeyboardPen(state);
}

void placeFloatingPaste(AppState& state) {
    if (state.clipboard) {
        state.snapshotForUndo();
        stampClipboard(*state.clipboard, state.cursor, state);
    }
    state.pasteFloat = false;
    state.previewOverlay.clear();
}

void normalKey(std::uint8_t byte, AppState& state, const Layout& layout) {
    switch (byte) {
        case ctrlC:
        case ctrlQ: return requestQuit(state);
        case ctrlE: return exportDocumentPNG(state);
        case ctrlF: return exportVideoFrame(state);  // F for frame, next to the picture export
        case backspaceKey:
        case deleteKey: return eraseLeft(state);
        case tab: return stampActiveCharacter(state);
        case lineFeed:
        case carriageReturn: return newLine(state);
        case ctrlV:
            if (state.clipboard) performSelectAction(SelectAction::paste, state);
            return;
        case ctrlY: return state.redo();
        case ctrlZ: return state.undo();
        case escape: return escapeKey(state);
        default: break;
    }
    if (byte == '0' && state.shiftingLayer) return resetActiveLayerShift(state);
    if (byte == ' ' && state.tool != Tool::text) {
        if (state.pasteFloat) return placeFloatingPaste(state);
        return kbSpaceToggle(state, layout);
    }
    if (byte < 32) return;  // other control keys
    if (auto character = takeKeyCharacter(byte, state.pendingKeyBytes)) typeCharacter(*character, state);
}

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

}  // namespace

// The order, top to bottom: an open file browser (unless its path field is being typed in),
// the about box's prompt, the keyboard pointer (unless a field is being typed in: then Enter
// and Space are the field's), the character picker, the field being typed, and last the
// editor's own keys. Quit keys pass every stage that does not use them.
void handleKey(std::uint8_t byte, AppState& state, const Layout& layout) {
    const TextEntryMode entry = activeTextEntry(state);
    const bool typingPath = entry == TextEntryMode::loadPath || entry == TextEntryMode::fontPath;
    if (state.fileBrowserOpen && !typingPath) {
        if (isEnter(byte)) return activateBrowseEntry(state.browseSel, state);
        if (byte == escape) {
            state.fileBrowserOpen = false;
            return;
        }
        if (!isQuit(byte)) return;
    }
    if (state.aboutOpen && aboutKey(byte, state)) return;
    if (state.kbCursor && entry == TextEntryMode::none) {
        if (isEnter(byte) || byte == ' ') {
            state.pendingClick = state.kbCursor;
            return;
        }
        if (byte == escape) {
            state.kbCursor.reset();
            return;
        }
    }
    if (state.charPickerOpen && entry == TextEntryMode::none) {
        if (isEnter(byte) || byte == escape) return closeCharPickerIfEmptyCycle(state);
        if (isBackspace(byte)) return removeLastPickedChar(state);
    }
    if (entry != TextEntryMode::none && textEntryKey(byte, state)) return;
    if (entry != TextEntryMode::none && !isQuit(byte)) return;
    normalKey(byte, state, layout);
}

// The order: the field being typed, the file browser, the font browser, layer shifting, the
// keyboard pointer (started over an open overlay), and last the document cursor, which
// carries a keyboard stroke, a shape or a floating paste with it.
void handleArrow(Arrow arrow, AppState& state, const Layout& layout) {
    const int dRow = arrow == Arrow::up ? -1 : arrow == Arrow::down ? 1 : 0;
    const int dCol = arrow == Arrow::left ? -1 : arrow == Arrow::right ? 1 : 0;
    if (typingText(state)) {
        if (dCol != 0) textEntryArrow(dCol > 0, state);
        return;
    }
    if (state.fileBrowserOpen) {
        if (dRow != 0) moveBrowseSelection(dRow, layout.browsePageSize, state);
        return;
    }
    if (state.fontBrowserOpen2) {
        if (dRow != 0) scrollFontList(dRow, layout.fontListMaxScroll, state);
        return;
    }
    if (state.shiftingLayer) return nudgeActiveLayer(dRow, dCol, state);
    if (state.kbCursor) {
        state.kbCursor->row = std::clamp(state.kbCursor->row + dRow, 0, std::max(layout.termRows - 1, 0));
        state.kbCursor->col = std::clamp(state.kbCursor->col + dCol, 0, std::max(layout.termCols - 1, 0));
        state.mouse = {state.kbCursor->col, state.kbCursor->row};
        return;
    }
    if (state.anyOverlayOpen()) {
        const int row = std::clamp(state.mouse.y, 0, std::max(layout.termRows - 1, 0));
        const int col = std::clamp(state.mouse.x, 0, std::max(layout.termCols - 1, 0));
        state.kbCursor = ScreenCell{row, col};
        state.mouse = {col, row};
        state.statusNote = "keyboard pointer — arrows move · Space click · Esc back";
        return;
    }
    state.cursor.row = std::clamp(state.cursor.row + dRow, 0, std::max(AppState::docRows - 1, 0));
    state.cursor.col = std::clamp(state.cursor.col + dCol, 0, std::max(AppState::docCols - 1, 0));
    state.cursorVisible = true;
    keepCursorVisible(state, layout);
    if (state.kbStroke) {
        paint(state.cursor, state);
    } else if (state.shapeStart) {
        state.lastShapeDrag = state.cursor;
        state.previewOverlay = computeShape(*state.shapeStart, state.cursor, state);
    } else if (state.pasteFloat && state.clipboard) {
        state.previewOverlay = floatPreviewOverlay(*state.clipboard, state.cursor);
    }
}

void kbSpaceToggle(AppState& state, const Layout& layout) {
    (void)layout;
    state.cursorVisible = true;
    switch (state.tool) {
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select:
            if (state.shapeStart) {
                finishShape(state.cursor, state);
            } else {
                advancePresetMode(state);
                beginStroke(state);
                state.shapeStart = state.cursor;
                state.lastShapeDrag = state.cursor;
                state.previewOverlay = computeShape(state.cursor, state.cursor, state);
                state.statusNote = "anchored — arrows stretch, space commits";
            }
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
    if (state.viewOnly) {
        state.statusNote = "view only — re-save to edit";
        return;
    }
    advancePresetMode(state);
    state.snapshotForUndo();
    beginStroke(state);
    state.paintingStroke = true;
    paint(state.cursor, state);
    state.kbStroke = true;
    state.statusNote = "pen down — arrows draw, space lifts";
}

}  // namespace glyphloom
