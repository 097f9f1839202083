// Typing: plain characters and block-font glyphs at the cursor, new lines, erasing, the F-key glyph banks.
// Typing and the glyph banks are not built yet: those entry points do nothing so far.
#pragma once

#include <optional>
#include <string>
#include "tui/state/app_state.hpp"

namespace glyphloom {

void handleFKey(int n, AppState& state);
void typeCharacter(const std::string& character, AppState& state);
void eraseLeft(AppState& state);
void newLine(AppState& state);
void stampActiveCharacter(AppState& state);
// The character named by a typed hexadecimal code point ("U+2591", "0x2591", "25 91").
std::optional<std::string> glyphForHex(const std::string& text);

}  // namespace glyphloom
