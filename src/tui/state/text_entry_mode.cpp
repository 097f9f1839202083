#include "tui/state/text_entry_mode.hpp"

#include "core/text/utf8.hpp"

namespace glyphloom {

TextEntryMode activeTextEntry(const AppState& state) {
    if (state.renameActive) return TextEntryMode::fileName;
    if (state.loadActive) return TextEntryMode::loadPath;
    if (state.fontLoadActive) return TextEntryMode::fontPath;
    if (state.sizeEntryActive) return TextEntryMode::canvasSize;
    if (state.codepointEntryActive) return TextEntryMode::codepoint;
    if (state.sauceEntryKind) return TextEntryMode::sauceField;
    if (state.stepEntryChannel) return TextEntryMode::stepValue;
    return TextEntryMode::none;
}

bool typedInBar(TextEntryMode mode) {
    switch (mode) {
        case TextEntryMode::fileName:
        case TextEntryMode::loadPath:
        case TextEntryMode::fontPath:
        case TextEntryMode::canvasSize: return true;
        case TextEntryMode::codepoint:
        case TextEntryMode::sauceField:
        case TextEntryMode::stepValue:
        case TextEntryMode::none: return false;
    }
    return false;
}

void cancelTextEntry(AppState& state) {
    state.renameActive = state.loadActive = state.fontLoadActive = state.sizeEntryActive = false;
    state.codepointEntryActive = false;
    state.sauceEntryKind.reset();
    state.stepEntryChannel.reset();
    state.renameSelectAll = false;
    state.pendingKeyBytes.clear();
}

void startTextEntry(TextEntryMode mode, AppState& state, std::string text, bool selectAll) {
    cancelTextEntry(state);
    state.renameBuffer = std::move(text);
    state.renameCursor = static_cast<int>(utf8::graphemeClusters(state.renameBuffer).size());
    state.renameSelectAll = selectAll;
    switch (mode) {
        case TextEntryMode::fileName: state.renameActive = true; break;
        case TextEntryMode::loadPath:
            state.loadActive = true;
            state.statusNote = "type a filename, Enter to open";
            break;
        case TextEntryMode::fontPath:
            state.fontLoadActive = true;
            state.statusNote = "paste a font URL, Enter to import";
            break;
        case TextEntryMode::canvasSize:
            state.sizeEntryActive = true;
            state.statusNote = "type COLSxROWS (e.g. 132x40), Enter to apply";
            break;
        case TextEntryMode::codepoint:
            state.codepointEntryActive = true;
            state.statusNote = "type a hex code point, Enter to place";
            break;
        case TextEntryMode::sauceField:
        case TextEntryMode::stepValue:
        case TextEntryMode::none: break;
    }
}

void startStepEntry(PaletteChannel channel, AppState& state) {
    cancelTextEntry(state);
    state.renameBuffer.clear();
    state.renameCursor = 0;
    state.stepEntryChannel = channel;
    if (!isMixChannel(channel)) state.statusNote = "type a repeat number, Enter to set";
    else if (channel == PaletteChannel::tcL) state.statusNote = "type a value −128…128, Enter to set";
    else state.statusNote = "type a value 0–255, Enter to set";
}

}  // namespace glyphloom
