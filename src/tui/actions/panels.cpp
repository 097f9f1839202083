#include "tui/actions/panels.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/text/charsets.hpp"
#include "core/color/color_depth.hpp"
#include "core/text/cp437_characters.hpp"
#include "core/fonts/fkey_banks.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/state/tool_settings.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {
namespace {

bool isKnownGroup(std::string_view name) {
    for (const CharacterGroup& group : CP437Characters::groups())
        if (group.name == name) return true;
    return false;
}

template <class T>
void togglePresence(std::vector<T>& pool, const T& value) {
    if (auto it = std::find(pool.begin(), pool.end(), value); it != pool.end()) pool.erase(it);
    else pool.push_back(value);
}

std::vector<std::string>* mutablePickerSequence(AppState& state) {
    return const_cast<std::vector<std::string>*>(pickerSequence(state));
}

FillChannelMode fillModeFor(CharMode mode) {
    switch (mode) {
        case CharMode::null: return FillChannelMode::null;
        case CharMode::cycle: return FillChannelMode::cycle;
        case CharMode::random: return FillChannelMode::random;
    }
    return FillChannelMode::solid;
}

}  // namespace

// --- Tool panels ---

void adjustStepper(StepperId id, int delta, AppState& state) {
    // Widen before adding so a huge delta cannot overflow past the clamp.
    if (const MixStepper* mix = mixStepper(id)) {
        paletteSliderSet(mix->channel, mix->range.clamp(static_cast<long long>(mix->field(state)) + delta), state);
        return;
    }
    const ToolSetting& row = (*settingFor(id));
    int& field = row.number(state);
    field = row.stepRange.clamp(static_cast<long long>(field) + delta);
}

void toggleTapped(ToggleId id, AppState& state) {
    switch (id.kind) {
        case ToggleId::Kind::setting: {
            bool& field = (*settingFor(id.setting)).flag(state);
            field = !field;
            return;
        }
        case ToggleId::Kind::glyphBank:
            if (id.index >= 0 && id.index < static_cast<int>(FKeyBanks::banks().size())) selectFKeyBank(id.index, state);
            return;
        case ToggleId::Kind::charGroup:
            if (const CharacterGroup* group = randomCharGroup(id.index)) toggleRandomCharGroup(group->name, state);
            return;
    }
}

// --- Colour row ---

void chipTapped(const ANSIColorValue& color, bool forFg, AppState& state) {
    const std::string channel = forFg ? "fg" : "bg";
    if (forFg ? state.fgCycle : state.bgCycle) {
        auto& pool = forFg ? state.fgCyclePool : state.bgCyclePool;
        togglePresence(pool, color);
        state.statusNote = channel + " cycle: " + std::to_string(pool.size()) + " colors";
    } else if (forFg ? state.fgRandom : state.bgRandom) {
        auto& pool = forFg ? state.fgRandomPool : state.bgRandomPool;
        togglePresence(pool, color);
        state.statusNote = channel + " random: " + std::to_string(pool.size()) + " colors";
    } else if (forFg) {
        state.fg = color;
        state.fgNull = false;
    } else {
        state.penBg = backgroundForMode(color, state.blinkingText);
        state.bgNull = false;
    }
}

void setColorMode(ColorMode mode, bool forFg, AppState& state) {
    (forFg ? state.fgNull : state.bgNull) = mode == ColorMode::null;
    (forFg ? state.fgCycle : state.bgCycle) = mode == ColorMode::cycle;
    (forFg ? state.fgRandom : state.bgRandom) = mode == ColorMode::random;
}

void colorModeTapped(ColorMode mode, bool forFg, AppState& state) {
    setColorMode(colorMode(state, forFg) == mode ? ColorMode::solid : mode, forFg, state);
}

void setCycleRepeat(bool forFg, int repeat, AppState& state) {
    const int step = std::clamp(repeat, 1, 20);
    (forFg ? state.fgCycleStep : state.bgCycleStep) = step;
    state.statusNote = std::string(forFg ? "fg" : "bg") + " repeat " + std::to_string(step);
}

void poolChipTapped(bool forFg, std::size_t index, bool rightClick, AppState& state) {
    const auto* pool = activePool(state, forFg);
    if (pool != nullptr && index < pool->size()) chipTapped((*pool)[index], forFg && !rightClick, state);
}

void toggleFadesPanel(AppState& state) { toggleOverlay(Overlay::fadesPanel, state); }

void swapForegroundAndBackground(AppState& state) {
    const ANSIColorValue oldFg = state.fg;
    state.fg = state.penBg;
    state.penBg = backgroundForMode(oldFg, state.blinkingText);
}

// --- Fades panel ---

std::vector<std::string> randomPoolForGroups(const std::set<std::string>& groups) {
    std::vector<std::string> pool;
    std::set<std::string> seen;
    for (const CharacterGroup& group : CP437Characters::groups()) {
        if (!groups.contains(group.name)) continue;
        for (const std::string& glyph : group.chars)
            if (seen.insert(glyph).second) pool.push_back(glyph);
    }
    return pool;
}

void toggleRandomCharGroup(const std::string& name, AppState& state) {
    if (state.charRandomGroups.erase(name) == 0) {
        // A name no group carries would add nothing to the pool; leave it out of the set.
        if (!isKnownGroup(name)) return;
        state.charRandomGroups.insert(name);
    }
    state.charRandomPool = randomPoolForGroups(state.charRandomGroups);
    state.statusNote = "random pool: " + std::to_string(state.charRandomPool.size()) + " glyphs";
}

// --- Shape fill ---

void toggleFillPool(std::vector<ANSIColorValue>& pool, const ANSIColorValue& color) { togglePresence(pool, color); }

void fillColorModeTapped(bool fg, FillChannelMode mode, AppState& state) {
    FillChannelMode& current = fg ? state.shapeFill.fgMode : state.shapeFill.bgMode;
    current = current == mode ? FillChannelMode::solid : mode;
}

void fillCharModeTapped(FillChannelMode mode, AppState& state) {
    FillChannelMode& current = state.shapeFill.charMode;
    current = current == mode ? FillChannelMode::solid : mode;
}

void fillSwatchTapped(bool fg, int index, AppState& state) {
    if (index < 0 || index > 15) return;
    const ANSIColorValue color = ANSIColorValue::ansi16(index);
    ShapeFillStyle& fill = state.shapeFill;
    FillChannelMode& mode = fg ? fill.fgMode : fill.bgMode;
    if (mode == FillChannelMode::cycle || mode == FillChannelMode::random) {
        toggleFillPool(fg ? fill.fgPool : fill.bgPool, color);
        return;
    }
    (fg ? fill.fg : fill.bg) = color;
    // Choosing a colour for a channel that was left alone means the user wants it used.
    mode = FillChannelMode::solid;
}

void fillCharTapped(AppState& state) {
    state.charPickerTarget = CharTarget::fill;
    openOverlay(Overlay::charPicker, state);
}

void penCharTapped(AppState& state) {
    state.charPickerTarget = CharTarget::pen;
    openOverlay(Overlay::charPicker, state);
}

// --- Character picker ---

void closeCharPickerIfEmptyCycle(AppState& state) {
    closeOverlay(Overlay::charPicker, state);
    if (state.charPickerTarget == CharTarget::fill && state.shapeFill.charMode == FillChannelMode::cycle &&
        state.shapeFill.charPool.empty()) {
        state.shapeFill.charMode = FillChannelMode::solid;
        state.statusNote = "fill cycle needs a sequence";
    }
    // The next opening from the sidebar's character button is for the pen again.
    state.charPickerTarget = CharTarget::pen;
}

void charPicked(const std::string& character, AppState& state) {
    const auto mode = pickerCharMode(state);
    if (std::vector<std::string>* sequence = mutablePickerSequence(state)) {
        // A cycle is an ordered sequence and may repeat glyphs; a random pool is a set.
        if (mode == CharMode::cycle) sequence->push_back(character);
        else togglePresence(*sequence, character);
        return;
    }
    if (state.charPickerTarget == CharTarget::fill) {
        state.shapeFill.character = character;
        state.shapeFill.charMode = FillChannelMode::solid;
    } else {
        state.penChar = character;
        state.charNull = false;
    }
    closeCharPickerIfEmptyCycle(state);
}

void placeTypedCodepoint(const std::string& hex, AppState& state) {
    std::string shown = hex;
    std::transform(shown.begin(), shown.end(), shown.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto glyph = glyphForHex(hex);
    if (!glyph) {
        state.statusNote = "no glyph at U+" + shown;
        return;
    }
    state.penChar = *glyph;
    state.charNull = false;
    closeOverlay(Overlay::charPicker, state);
    state.statusNote = "placed U+" + shown;
}

void removeLastPickedChar(AppState& state) {
    if (std::vector<std::string>* sequence = mutablePickerSequence(state); sequence && !sequence->empty())
        sequence->pop_back();
}

void charModeTapped(CharMode mode, AppState& state) {
    const bool wasLit = pickerCharMode(state) == mode;
    if (state.charPickerTarget == CharTarget::fill) {
        state.shapeFill.charMode = wasLit ? FillChannelMode::solid : fillModeFor(mode);
        return;
    }
    state.charNull = !wasLit && mode == CharMode::null;
    state.charCycle = !wasLit && mode == CharMode::cycle;
    state.charRandom = !wasLit && mode == CharMode::random;
}

void startCodepointEntry(AppState& state) {
    openPrompt(Prompt(PromptKind::codepoint), state);
    state.statusNote = "type a hex code point, Enter to place";
}

void toggleCharsetMenu(AppState& state) { state.charsetMenuOpen = !state.charsetMenuOpen; }

void charsetChosen(int index, AppState& state) {
    if (index < 0 || index >= static_cast<int>(Charsets::sets().size())) return;
    state.charsetIndex = index;
    state.charsetMenuOpen = false;
    openOverlay(Overlay::charPicker, state);
}

}  // namespace glyphloom
