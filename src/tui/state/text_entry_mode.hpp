// Which one-line text field is being typed in. The editor state keeps one flag (or one
// optional) per field; this is the single place that turns them into an answer, so the
// keys, the pointer, the chrome and the main loop all agree on it.
#pragma once

#include "tui/state/app_state.hpp"

namespace glyphloom {

enum class TextEntryMode { none, fileName, loadPath, fontPath, canvasSize, codepoint, sauceField, stepValue };

TextEntryMode activeTextEntry(const AppState& state);

inline bool typingText(const AppState& state) { return activeTextEntry(state) != TextEntryMode::none; }

// The fields whose text the menu bar shows in place of the file name.
bool typedInBar(TextEntryMode mode);

}  // namespace glyphloom
