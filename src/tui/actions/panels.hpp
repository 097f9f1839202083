// The operations behind the tool panels, the colour row, the fades panel, the shape-fill
// controls and the character picker: each changes editor-state fields only. Drawing them is
// the chrome's job; the palette picker's operations live in palette.hpp.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/color.hpp"
#include "core/model/tool_options.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/color_mode.hpp"
#include "tui/state/control_ids.hpp"
#include "tui/state/panel_rows.hpp"

namespace glyphloom {


// --- Tool panels ---

// Adds `delta` to the field behind a stepper, then clamps it to the stepper's range.
void adjustStepper(StepperId id, int delta, AppState& state);

// A click on a toggle: flips the setting, selects the glyph bank, or adds or removes the
// character group of the random pool. A bank or group that does not exist changes nothing.
void toggleTapped(ToggleId id, AppState& state);

// --- Colour row ---

// A swatch or pool chip: toggles the colour in the channel's pool while it cycles or is
// random, otherwise makes it the channel's solid colour.
void chipTapped(const ANSIColorValue& color, bool forFg, AppState& state);
// Exactly the chosen one of the channel's null, cycle and random flags on; solid: none.
void setColorMode(ColorMode mode, bool forFg, AppState& state);
// A mode button: lights that mode, or goes back to solid when it was already lit.
void colorModeTapped(ColorMode mode, bool forFg, AppState& state);
// A typed cycle repeat: how many cells each colour of the channel's cycle lasts (1–20).
void setCycleRepeat(bool forFg, int repeat, AppState& state);
// Chip `index` of a channel's pool on the colour row; a right click on a foreground chip
// treats it as a background chip. A chip past the end of the pool does nothing.
void poolChipTapped(bool forFg, std::size_t index, bool rightClick, AppState& state);
// "⇄": foreground and background change places (the background keeps the blink rule).
void swapForegroundAndBackground(AppState& state);
// "≋": opens or closes the fades panel.
void toggleFadesPanel(AppState& state);

// --- Fades panel ---

// Adds or removes a character group of the random character pool (by its name, as presets
// keep it) and rebuilds the pool. A name no group carries is only ever removed.
void toggleRandomCharGroup(const std::string& name, AppState& state);
// The random character pool made of the chosen groups, in catalogue order, each glyph once.
std::vector<std::string> randomPoolForGroups(const std::set<std::string>& groups);

// --- Shape fill ---

// Present → removed, absent → appended.
void toggleFillPool(std::vector<ANSIColorValue>& pool, const ANSIColorValue& color);
// A fill channel mode button; a lit button goes back to solid.
void fillColorModeTapped(bool fg, FillChannelMode mode, AppState& state);
void fillCharModeTapped(FillChannelMode mode, AppState& state);
// A fill swatch (classic colour `index`): the channel's solid colour, or a pool toggle while
// the channel cycles or is random.
void fillSwatchTapped(bool fg, int index, AppState& state);
// The fill character button: opens the character picker for the fill.
void fillCharTapped(AppState& state);
// The sidebar's character button: opens the character picker for the pen.
void penCharTapped(AppState& state);

// --- Character picker ---

// Closes the picker (and its set menu); a fill cycle left without characters falls back to
// a single character.
void closeCharPickerIfEmptyCycle(AppState& state);
// A glyph of the picker: appended to the target's cycle sequence (repeats allowed), toggled in
// its random pool, or else made its single character (which closes the picker).
void charPicked(const std::string& character, AppState& state);
// A code point typed in the picker's hex field: its glyph becomes the pen's single character
// and the picker closes; the note says when there is no glyph there.
void placeTypedCodepoint(const std::string& hex, AppState& state);
// The picker's code-point field: typing a hex code point to place.
void startCodepointEntry(AppState& state);
// Backspace in the picker: drops the last character of the target's sequence.
void removeLastPickedChar(AppState& state);
// A mode button of the picker; a lit button goes back to a single character.
void charModeTapped(CharMode mode, AppState& state);
// A row of the set menu: shows that set and closes the menu.
void charsetChosen(int index, AppState& state);
// The picker's set button: opens or closes the menu of character sets.
void toggleCharsetMenu(AppState& state);

}  // namespace glyphloom
