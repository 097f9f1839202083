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
    int& field = row.number(state.tools);
    field = row.stepRange.clamp(static_cast<long long>(field) + delta);
}

void toggleTapped(ToggleId id, AppState& state) {
    switch (id.kind) {
        case ToggleId::Kind::setting: {
            bool& field = (*settingFor(id.setting)).flag(state.tools);
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
    if (forFg ? state.tools.fgCycle : state.tools.bgCycle) {
        auto& pool = forFg ? state.tools.fgCyclePool : state.tools.bgCyclePool;
        togglePresence(pool, color);
        state.statusNote = channel + " cycle: " + std::to_string(pool.size()) + " colors";
    } else if (forFg ? state.tools.fgRandom : state.tools.bgRandom) {
        auto& pool = forFg ? state.tools.fgRandomPool : state.tools.bgRandomPool;
        togglePresence(pool, color);
        state.statusNote = channel + " random: " + std::to_string(pool.size()) + " colors";
    } else if (forFg) {
        state.tools.fg = color;
        state.tools.fgNull = false;
    } else {
        state.tools.penBg = backgroundForMode(color, state.doc.blinkingText);
        state.tools.bgNull = false;
    }
}

void setColorMode(ColorMode mode, bool forFg, AppState& state) {
    (forFg ? state.tools.fgNull : state.tools.bgNull) = mode == ColorMode::null;
    (forFg ? state.tools.fgCycle : state.tools.bgCycle) = mode == ColorMode::cycle;
    (forFg ? state.tools.fgRandom : state.tools.bgRandom) = mode == ColorMode::random;
}

void colorModeTapped(ColorMode mode, bool forFg, AppState& state) {
    setColorMode(colorMode(state, forFg) == mode ? ColorMode::solid : mode, forFg, state);
}

void setCycleRepeat(bool forFg, int repeat, AppState& state) {
    const int step = std::clamp(repeat, 1, 20);
    (forFg ? state.tools.fgCycleStep : state.tools.bgCycleStep) = step;
    state.statusNote = std::string(forFg ? "fg" : "bg") + " repeat " + std::to_string(step);
}

void poolChipTapped(bool forFg, std::size_t index, bool rightClick, AppState& state) {
    const auto* pool = activePool(state, forFg);
    if (pool != nullptr && index < pool->size()) chipTapped((*pool)[index], forFg && !rightClick, state);
}

void toggleFadesPanel(AppState& state) { toggleOverlay(Overlay::fadesPanel, state); }

void swapForegroundAndBackground(AppState& state) {
    const ANSIColorValue oldFg = state.tools.fg;
    state.tools.fg = state.tools.penBg;
    state.tools.penBg = backgroundForMode(oldFg, state.doc.blinkingText);
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
    if (state.tools.charRandomGroups.erase(name) == 0) {
        // A name no group carries would add nothing to the pool; leave it out of the set.
        if (!isKnownGroup(name)) return;
        state.tools.charRandomGroups.insert(name);
    }
    state.tools.charRandomPool = randomPoolForGroups(state.tools.charRandomGroups);
    state.statusNote = "random pool: " + std::to_string(state.tools.charRandomPool.size()) + " glyphs";
}

// --- Shape fill ---

void toggleFillPool(std::vector<ANSIColorValue>& pool, const ANSIColorValue& color) { togglePresence(pool, color); }

void fillColorModeTapped(bool fg, FillChannelMode mode, AppState& state) {
    FillChannelMode& current = fg ? state.tools.shapeFill.fgMode : state.tools.shapeFill.bgMode;
    current = current == mode ? FillChannelMode::solid : mode;
}

void fillCharModeTapped(FillChannelMode mode, AppState& state) {
    FillChannelMode& current = state.tools.shapeFill.charMode;
    current = current == mode ? FillChannelMode::solid : mode;
}

void fillSwatchTapped(bool fg, int index, AppState& state) {
    if (index < 0 || index > 15) return;
    const ANSIColorValue color = ANSIColorValue::ansi16(index);
    ShapeFillStyle& fill = state.tools.shapeFill;
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
    if (state.charPickerTarget == CharTarget::fill && state.tools.shapeFill.charMode == FillChannelMode::cycle &&
        state.tools.shapeFill.charPool.empty()) {
        state.tools.shapeFill.charMode = FillChannelMode::solid;
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
        state.tools.shapeFill.character = character;
        state.tools.shapeFill.charMode = FillChannelMode::solid;
    } else {
        state.tools.penChar = character;
        state.tools.charNull = false;
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
    state.tools.penChar = *glyph;
    state.tools.charNull = false;
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
        state.tools.shapeFill.charMode = wasLit ? FillChannelMode::solid : fillModeFor(mode);
        return;
    }
    state.tools.charNull = !wasLit && mode == CharMode::null;
    state.tools.charCycle = !wasLit && mode == CharMode::cycle;
    state.tools.charRandom = !wasLit && mode == CharMode::random;
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
