// Which one-line text field is being typed in, and starting and ending one. The editor state
// keeps one flag (or one optional) per field; this is the single place that turns them into
// an answer and the only one that sets them, so only one field is ever open and the keys,
// the pointer, the chrome and the main loop all agree on it. Typing into a field and what
// Enter does with its text are the input side's.
#pragma once

#include <string>

#include "tui/state/app_state.hpp"

namespace glyphloom {

enum class TextEntryMode { none, fileName, loadPath, fontPath, canvasSize, codepoint, sauceField, stepValue };

TextEntryMode activeTextEntry(const AppState& state);

inline bool typingText(const AppState& state) { return activeTextEntry(state) != TextEntryMode::none; }

// The fields whose text the menu bar shows in place of the file name.
bool typedInBar(TextEntryMode mode);

// Starts a mode with the given text (wholly selected when `selectAll`) and its prompt,
// closing any other field.
void startTextEntry(TextEntryMode mode, AppState& state, std::string text = {}, bool selectAll = false);
void startStepEntry(PaletteChannel channel, AppState& state);
// Closes whichever field is open, dropping its text.
void cancelTextEntry(AppState& state);

}  // namespace glyphloom
