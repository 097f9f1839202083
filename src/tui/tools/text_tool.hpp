// Typing: plain characters and block-font glyphs at the document cursor in four directions,
// Enter, Tab and a Backspace that takes back whole keystrokes through the two stamp
// histories, and the F-key glyph banks. Glyph shapes come from core/fonts; this only writes
// them into the active layer.
#pragma once

#include <optional>
#include <string>

#include "core/fonts/block_font.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/text_fonts.hpp"

namespace glyphloom {

inline constexpr std::size_t plainStampLimit = 200;
inline constexpr std::size_t textStampLimit = 100;


// F1 … F12.
void handleFKey(int n, AppState& state);
// Makes a bank current, stores it with the identity and notes its glyphs.
void selectFKeyBank(int index, AppState& state);

// One typed character: a plain cell, or a glyph of the current face with the Text tool.
void typeCharacter(const std::string& character, AppState& state);
// Backspace and DEL.
void eraseLeft(AppState& state);
// Enter.
void newLine(AppState& state);
// Tab: the active character at the cursor (Text tool only).
void stampActiveCharacter(AppState& state);
// One step along the typing direction (rightwards with other tools), kept inside the document.
void advanceTextCursor(AppState& state);

// The character named by a typed hexadecimal code point ("U+2591", "0x2591", "25 91"); nothing
// for a code point that shows no glyph of its own (unassigned, zero-width, a control).
std::optional<std::string> glyphForHex(const std::string& text);

}  // namespace glyphloom
