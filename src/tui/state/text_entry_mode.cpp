#include "tui/state/text_entry_mode.hpp"

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

}  // namespace glyphloom
