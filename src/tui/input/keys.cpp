// Keys and arrows: the open browser or box first, then the keyboard pointer, the character
// picker, the text field being typed, and finally the editor's own keys.
#include "tui/input/dispatch.hpp"
#include "tui/actions/about_box.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/font_browser.hpp"
#include "tui/actions/font_import.hpp"
#include "tui/actions/keyboard_pointer.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/session.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/actions/keyboard_pen.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {
namespace {

constexpr std::uint8_t ctrlC = 3, ctrlE = 5, ctrlF = 6, backspaceKey = 8, tab = 9, lineFeed = 10, carriageReturn = 13,
                       ctrlQ = 17, ctrlV = 22, ctrlY = 25, ctrlZ = 26, escape = 27, deleteKey = 127;

bool isEnter(std::uint8_t b) { return b == lineFeed || b == carriageReturn; }
bool isBackspace(std::uint8_t b) { return b == backspaceKey || b == deleteKey; }
bool isQuit(std::uint8_t b) { return b == ctrlC || b == ctrlQ; }

// The about box's prompt takes every key but the quit keys.
bool aboutKey(std::uint8_t byte, AppState& state) {
    if (isQuit(byte)) return false;
    if (byte == escape) {
        closeAboutBox(state);
    } else if (isBackspace(byte)) {
        eraseAboutInput(state);
    } else if (isEnter(byte)) {
        submitAboutInput(state);
    } else if (byte >= 32) {
        if (auto character = takeKeyCharacter(byte, state.pendingKeyBytes)) typeIntoAbout(*character, state);
    }
    return true;
}

void escapeKey(AppState& state) {
    if (closeTopmostOverlayOnEsc(state)) return;
    cancelCanvasGesture(state);
}

void normalKey(std::uint8_t byte, AppState& state) {
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
    if (byte == ' ' && state.tools.tool != Tool::text) {
        if (state.pasteFloat) return placeFloatingPaste(state.cursor, state);
        return kbSpaceToggle(state);
    }
    if (byte < 32) return;  // other control keys
    if (auto character = takeKeyCharacter(byte, state.pendingKeyBytes)) typeCharacter(*character, state);
}

}  // namespace

// The order, top to bottom: Esc stops a font download under way, an open file browser (unless its path field is being typed in),
// the about box's prompt, the keyboard pointer (unless a field is being typed in: then Enter
// and Space are the field's), the character picker, the field being typed, and last the
// editor's own keys. Quit keys pass every stage that does not use them.
void handleKey(std::uint8_t byte, AppState& state) {
    if (state.fontDownload && byte == escape) return cancelFontDownload(state);
    const bool typing = state.prompt.has_value();
    const bool typingPath = promptIs(state.prompt, PromptKind::loadPath) || promptIs(state.prompt, PromptKind::fontPath);
    if (state.overlay == Overlay::fileBrowser && !typingPath) {
        if (isEnter(byte)) return activateBrowseEntry(state.browseSel, state);
        if (byte == escape) return closeFileBrowser(state);
        if (!isQuit(byte)) return;
    }
    if (state.overlay == Overlay::about && aboutKey(byte, state)) return;
    if (state.kbCursor && !typing) {
        if (isEnter(byte) || byte == ' ') return clickAtKeyboardPointer(state);
        if (byte == escape) return dropKeyboardPointer(state);
    }
    if (state.overlay == Overlay::charPicker && !typing) {
        if (isEnter(byte) || byte == escape) return closeCharPickerIfEmptyCycle(state);
        if (isBackspace(byte)) return removeLastPickedChar(state);
    }
    if (typing && textEntryKey(byte, state)) return;
    if (typing && !isQuit(byte)) return;
    normalKey(byte, state);
}

// The order: the field being typed, the file browser, the font browser, layer shifting, the
// keyboard pointer (started over an open overlay), and last the document cursor, which
// carries a keyboard stroke, a shape or a floating paste with it.
void handleArrow(Arrow arrow, AppState& state, const Layout& layout) {
    const int dRow = arrow == Arrow::up ? -1 : arrow == Arrow::down ? 1 : 0;
    const int dCol = arrow == Arrow::left ? -1 : arrow == Arrow::right ? 1 : 0;
    if (state.prompt) {
        if (dCol != 0) textEntryArrow(dCol > 0, state);
        return;
    }
    if (state.overlay == Overlay::fileBrowser) {
        if (dRow != 0) moveBrowseSelection(dRow, layout.browsePageSize, state);
        return;
    }
    if (state.overlay == Overlay::fontBrowser) {
        if (dRow != 0) scrollFontList(dRow, layout.fontListMaxScroll, state);
        return;
    }
    if (state.shiftingLayer) return nudgeActiveLayer(dRow, dCol, state);
    if (state.kbCursor) return moveKeyboardPointer(dRow, dCol, state, layout);
    if (state.anyOverlayOpen()) return startKeyboardPointer(state, layout);
    moveDocumentCursor(dRow, dCol, state, layout);
}

}  // namespace glyphloom
