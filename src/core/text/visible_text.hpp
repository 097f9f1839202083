// Text from outside the program (file and folder names, font names, notes, a document's
// cells) shown safely on a terminal: control characters would be obeyed by the terminal as
// commands (an escape sequence in a file name can retitle the window or clear the screen),
// so they become visible placeholders instead.
#pragma once

#include <string>
#include <string_view>

namespace glyphloom {

// True for the C0 controls, DEL and the C1 controls (U+0080–U+009F, which some terminals
// obey like ESC sequences).
constexpr bool isControlScalar(char32_t scalar) {
    return scalar < 0x20 || (scalar >= 0x7F && scalar <= 0x9F);
}

// A control's stand-in: its Control Pictures symbol (␛ for ESC, ␇ for BEL, ␡ for DEL), U+FFFD
// for a C1 control; any other scalar unchanged.
constexpr char32_t visibleScalar(char32_t scalar) {
    if (scalar < 0x20) return 0x2400 + scalar;
    if (scalar == 0x7F) return 0x2421;
    if (scalar >= 0x80 && scalar <= 0x9F) return 0xFFFD;
    return scalar;
}

// The text with every control replaced by its stand-in and malformed bytes by U+FFFD.
std::string visibleText(std::string_view text);

}  // namespace glyphloom
