// The interface's colours and the small drawing helpers every part of the chrome shares:
// framed boxes, clipped text, and the text-entry field.
#pragma once

#include <string>
#include <string_view>

#include "core/model/cell.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom::chrome {

inline constexpr ANSIColorValue rgb(int r, int g, int b) {
    return ANSIColorValue::truecolor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                     static_cast<std::uint8_t>(b));
}

inline constexpr ANSIColorValue clearedFg = ANSIColorValue::ansi16(7);
inline constexpr ANSIColorValue clearedBg = ANSIColorValue::ansi16(0);
inline constexpr ANSIColorValue barBg = rgb(45, 45, 45);
inline constexpr ANSIColorValue sidebarBg = rgb(36, 36, 36);
inline constexpr ANSIColorValue backdrop = rgb(18, 18, 18);
inline constexpr ANSIColorValue accent = rgb(10, 132, 255);
inline constexpr ANSIColorValue currentToolBg = rgb(24, 58, 100);
inline constexpr ANSIColorValue disabled = rgb(150, 150, 150);
inline constexpr ANSIColorValue toolName = rgb(200, 200, 200);
inline constexpr ANSIColorValue separator = rgb(80, 80, 80);
inline constexpr ANSIColorValue entryBg = rgb(38, 114, 226);
inline constexpr ANSIColorValue entryFg = ANSIColorValue::ansi16(15);
inline constexpr ANSIColorValue creditFg = rgb(110, 170, 230);
inline constexpr ANSIColorValue bottomSeparator = rgb(30, 30, 30);
inline constexpr ANSIColorValue white = ANSIColorValue::ansi16(15);
inline constexpr ANSIColorValue black = ANSIColorValue::ansi16(0);
// Boxes over the canvas (file browsers, info, SAUCE) share the sidebar's ground.
inline constexpr ANSIColorValue boxBg = sidebarBg;
inline constexpr ANSIColorValue boxBorder = white;
// Pickers drawn over the canvas, likewise.
inline constexpr ANSIColorValue panelBg = sidebarBg;
// A colour swatch in the palette picker and the option panels.
inline constexpr int swatchWidth = 2;

// Display width of interface text: one column per user-perceived character.
int textWidth(std::string_view text);

// The first `width` characters of `text`; when it had to be cut and `ellipsis` is set, the
// last kept character becomes "…".
std::string fitText(std::string_view text, int width, bool ellipsis = false);

// `text` cut to `width` with a closing "…", after the last whole word that fits when the
// text has several (so a label never ends in half a word); unchanged when it fits.
std::string fitWords(std::string_view text, int width);

// Writes text and returns the span it covers.
Span putSpan(Screen& screen, std::string_view text, int row, int col, const ANSIColorValue& fg,
             const ANSIColorValue& bg);

// A single-line frame (┌─┐│└┘) filled with `bg`; `title` is written into the top edge after "┌".
void drawBox(Screen& screen, const Frame& frame, std::string_view title, const ANSIColorValue& fg,
             const ANSIColorValue& bg);
// The same with a double-line frame (╔═╗║╚╝).
void drawDoubleBox(Screen& screen, const Frame& frame, std::string_view title, const ANSIColorValue& fg,
                   const ANSIColorValue& bg);

}  // namespace glyphloom::chrome
