// Ending the field being typed in (`AppState::prompt`): Enter hands its text to the field's
// subject, Esc drops it. Each subject opens its own field with its own note.
#pragma once

#include "tui/state/app_state.hpp"

namespace glyphloom {

// Opens `prompt`, replacing the field open before (whose text is dropped).
void openPrompt(Prompt prompt, AppState& state);
void commitPrompt(AppState& state);
// Closes the field, dropping its text; nothing is applied.
void cancelPrompt(AppState& state);

}  // namespace glyphloom
