// The rows of the option panels as the chrome shows them and clicks reach them: what each
// tool's panel and the fades panel hold, and the values their steppers and toggles show.
// Reading only; what a click changes is the panel actions' business.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/model/tool_options.hpp"
#include "core/text/cp437_characters.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/color_mode.hpp"
#include "tui/state/control_ids.hpp"
#include "tui/state/tool_settings.hpp"

namespace glyphloom {

// One row of a tool's option panel.
struct PanelItem {
    enum class Kind { stepper, toggle, ovalMode, fillColorModes, fillSwatches, label, fillChar };

    Kind kind = Kind::label;
    std::string label;  // stepper, toggle, ovalMode, label
    StepperId stepperId{};  // stepper
    ToggleId toggleId{};    // toggle
    int value = 0;          // stepper
    bool on = false;        // toggle
    OvalDrawMode ovalMode;
    bool fg = true;  // fillColorModes, fillSwatches

    static PanelItem stepper(std::string label, StepperId id, int value) {
        return {Kind::stepper, std::move(label), id, {}, value, false, {}, true};
    }
    static PanelItem toggle(std::string label, ToggleId id, bool on) {
        return {Kind::toggle, std::move(label), {}, id, 0, on, {}, true};
    }
    static PanelItem ovalModeChoice(std::string label, OvalDrawMode mode) {
        return {Kind::ovalMode, std::move(label), {}, {}, 0, false, mode, true};
    }
    static PanelItem fillColorModes(bool fg) { return {Kind::fillColorModes, {}, {}, {}, 0, false, {}, fg}; }
    static PanelItem fillSwatches(bool fg) { return {Kind::fillSwatches, {}, {}, {}, 0, false, {}, fg}; }
    static PanelItem text(std::string text) { return {Kind::label, std::move(text), {}, {}, 0, false, {}, true}; }
    static PanelItem fillChar() { return {Kind::fillChar, {}, {}, {}, 0, false, {}, true}; }

    friend bool operator==(const PanelItem&, const PanelItem&) = default;
};

// The rows of the current tool's option panel; empty for tools without one.
std::vector<PanelItem> panelItems(const AppState& state);
bool toolHasPanelItems(Tool tool);
// The fades panel's rows: the three cycle steps, the four cycle settings, then one toggle per
// character group of the random pool.
std::vector<PanelItem> fadesPanelItems(const AppState& state);

// The current value shown by a stepper.
int stepperValue(StepperId id, const AppState& state);
// Whether a toggle is shown as on.
bool toggleValue(ToggleId id, const AppState& state);

// The channel's mode as the colour row's mode buttons show it (cycle before random before
// null).
ColorMode colorMode(const AppState& state, bool forFg);
// The pool a channel's chips show and edit: its cycle pool while cycling, its random pool
// while random, else nothing. Chip i of the colour row is element i.
const std::vector<ANSIColorValue>* activePool(const AppState& state, bool forFg);
// Which mode button of the character picker is lit, if any.
std::optional<CharMode> pickerCharMode(const AppState& state);
// The sequence the picker is building for its target (empty when it picks a single one).
const std::vector<std::string>* pickerSequence(const AppState& state);

// The palette's mix channels are steppers like the tool settings' but no tool setting:
// changing one goes through the palette so the mixed colour is applied at once.
struct MixStepper {
    StepperId id;
    PaletteChannel channel;
    int& (*field)(AppState&);
    IntRange range;
};
const MixStepper* mixStepper(StepperId id);

// The character group behind the fades panel's toggle `index`; nothing past the last.
const CharacterGroup* randomCharGroup(int index);

}  // namespace glyphloom
