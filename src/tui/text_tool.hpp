// Typing: plain characters and block-font glyphs at the cursor, new lines, erasing, the F-key glyph banks.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include <optional>
#include <string>
#include "tui/app_state.hpp"

namespace glyphloom {

void handleFKey(int n, AppState& state);
void typeCharacter(const std::string& character, AppState& state);
void eraseLeft(AppState& state);
void newLine(AppState& state);
void stampActiveCharacter(AppState& state);
std::optional<std::string> glyphForHex(const std::string& text);

}  // namespace glyphloom
