// Typing into the one-line text fields (file name, load path, font path or URL, canvas size,
// code point, SAUCE field, numeric value): they share one buffer, commit on Enter and cancel
// on Esc. Opening and closing a field is the state's (text_entry_mode).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tui/state/app_state.hpp"
#include "tui/state/text_entry_mode.hpp"

namespace glyphloom {

void commitTextEntry(AppState& state);
// Applies a typed numeric value to its channel and ends the entry.
void commitStepEntry(AppState& state);
// Ends typing the document name, keeping what was typed (unless empty); saves when `save`.
void commitFileNameEntry(bool save, AppState& state);

// Feeds one key byte to the active field: printable characters (UTF-8 assembled across
// bytes), Backspace, Enter and Esc. Returns false for bytes the field does not take.
bool textEntryKey(std::uint8_t byte, AppState& state);
// Multi-byte characters arrive one byte per key event: collects them in `pending` and gives
// the whole character once its last byte is in. A byte that cannot continue the character
// under way starts afresh; malformed characters are dropped.
std::optional<std::string> takeKeyCharacter(std::uint8_t byte, std::string& pending);

// Left/right arrows inside the field.
void textEntryArrow(bool right, AppState& state);

}  // namespace glyphloom
