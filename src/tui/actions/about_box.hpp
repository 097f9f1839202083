// The about box: opening it from the title, and the little prompt inside it that keeps a
// history of what was typed ("clear" or "cls" empties it).
#pragma once

#include <string>

#include "tui/state/app_state.hpp"

namespace glyphloom {

void openAbout(AppState& state);
// Esc: the box closes and keeps its prompt and history for the next time.
void closeAboutBox(AppState& state);
// One character (a whole UTF-8 sequence) typed at the prompt; ignored past 1024 characters.
void typeIntoAbout(const std::string& character, AppState& state);
// Backspace: the prompt's last character goes.
void eraseAboutInput(AppState& state);
// Enter: the prompt joins the history (at most 200 lines), or "clear"/"cls" empties it.
void submitAboutInput(AppState& state);

}  // namespace glyphloom
