// Keys for the field being typed in (`AppState::prompt`): printable characters, Backspace
// and the arrows go to the field's own editing; Enter and Esc to its subject's commit and
// cancel (tui/actions/prompt_actions).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tui/state/app_state.hpp"

namespace glyphloom {

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
