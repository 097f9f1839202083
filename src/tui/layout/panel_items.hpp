// Drawing of option-panel rows (steppers, toggles, choice rows, fill controls) and of the
// small controls they share with the sidebar, the colour row and the pickers. Internal to
// the chrome.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tui/state/app_state.hpp"
#include "tui/layout/layout.hpp"
#include "tui/state/panel_rows.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom::chrome {

// Rows one item takes at a given width.
int panelItemRows(const PanelItem& item, int width);
// The width an item needs to sit on as few rows as possible.
int panelItemWidth(const PanelItem& item);
// Draws items from `row` between columns left ..< left + width, stopping above `bottom`, on
// `bg`; records their spans and returns the first row left free.
int drawPanelItems(const std::vector<PanelItem>& items, const AppState& state, Screen& screen, Layout& layout,
                   int row, int left, int width, int bottom, const ANSIColorValue& bg);

// A lit or unlit single-cell mode button; returns its span.
Span drawModeButton(Screen& screen, std::string_view glyph, bool lit, int row, int col);

// A toggle row: "●" or "○", a space and the label, across the whole width.
Span drawToggleRow(Screen& screen, std::string_view label, bool on, int row, int left, int width,
                   const ANSIColorValue& bg);

// A colour swatch `width` cells wide with a short mark ("FG", "•") in a readable colour.
Span drawSwatch(Screen& screen, const ANSIColorValue& color, std::string_view mark, int row, int col, int width);

// One choice of a chip row: its label, whether it is the current value, and what records it.
struct Chip {
    std::string label;
    bool current = false;
    std::function<void(const Span&)> record;
};
// Chips flow left to right from column 1 of `row`, wrapping within `width` columns; returns
// the row after the last one used (chips that would start at or below `bottom` are dropped).
int flowChips(Screen& screen, const std::vector<Chip>& chips, int row, int width, int bottom, const ANSIColorValue& bg);

// The oval tool's drawing modes; the lines mode keeps the box style already chosen.
std::vector<Chip> ovalModeChips(const AppState& state, Layout& layout);

}  // namespace glyphloom::chrome
