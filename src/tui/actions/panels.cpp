#include "tui/actions/panels.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/text/charsets.hpp"
#include "core/color/color_depth.hpp"
#include "core/text/cp437_characters.hpp"
#include "core/fonts/fkey_banks.hpp"
#include "tui/actions/palette.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {
namespace {

struct StepperSpec {
    StepperId id;
    std::string_view label;
    int& (*field)(AppState&);
    int min;
    int max;
};

// One row per stepper, in the order of StepperId. The palette's mix channels are steppers
// like the others, but changing one goes through paletteSliderSet so the mixed colour is
// applied at once.
constexpr StepperSpec stepperSpecs[] = {
    {StepperId::sprayRadius, "Radius", [](AppState& s) -> int& { return s.sprayRadius; }, 1, 8},
    {StepperId::sprayDensity, "Density", [](AppState& s) -> int& { return s.sprayDensity; }, 1, 20},
    {StepperId::sprayVary, "Vary %", [](AppState& s) -> int& { return s.sprayVariance; }, 0, 100},
    {StepperId::prismSteps, "Steps", [](AppState& s) -> int& { return s.prismSteps; }, 1, 3},
    {StepperId::dbStrength, "Strength", [](AppState& s) -> int& { return s.dodgeBurnStrength; }, 2, 50},
    {StepperId::lineWidth, "Width", [](AppState& s) -> int& { return s.lineThickness; }, 1, 8},
    {StepperId::scVariance, "Variance", [](AppState& s) -> int& { return s.scatterVariance; }, 2, 100},
    {StepperId::fadeFgStep, "FG step", [](AppState& s) -> int& { return s.fgCycleStep; }, 1, 20},
    {StepperId::fadeBgStep, "BG step", [](AppState& s) -> int& { return s.bgCycleStep; }, 1, 20},
    {StepperId::fadeChStep, "Char step", [](AppState& s) -> int& { return s.charCycleStep; }, 1, 20},
    {StepperId::tcR, "R", [](AppState& s) -> int& { return s.tcDraft.r; }, 0, 255},
    {StepperId::tcG, "G", [](AppState& s) -> int& { return s.tcDraft.g; }, 0, 255},
    {StepperId::tcB, "B", [](AppState& s) -> int& { return s.tcDraft.b; }, 0, 255},
    {StepperId::tcL, "L", [](AppState& s) -> int& { return s.tcDraft.l; }, -128, 128},
};

struct ToggleSpec {
    ToggleSetting id;
    bool& (*field)(AppState&);
};

// One row per on/off setting, in the order of ToggleSetting.
constexpr ToggleSpec toggleSpecs[] = {
    {ToggleSetting::round, [](AppState& s) -> bool& { return s.brushRounded; }},
    {ToggleSetting::sprayBG, [](AppState& s) -> bool& { return s.sprayTargetBG; }},
    {ToggleSetting::velSpray, [](AppState& s) -> bool& { return s.velSprayDensity; }},
    {ToggleSetting::velDB, [](AppState& s) -> bool& { return s.velDodgeBurn; }},
    {ToggleSetting::velPrism, [](AppState& s) -> bool& { return s.velPrism; }},
    {ToggleSetting::velScatter, [](AppState& s) -> bool& { return s.velScatter; }},
    {ToggleSetting::velSize, [](AppState& s) -> bool& { return s.velocityControlsSize; }},
    {ToggleSetting::autoPan, [](AppState& s) -> bool& { return s.autoPan; }},
    {ToggleSetting::ownFill, [](AppState& s) -> bool& { return s.shapeFill.enabled; }},
    {ToggleSetting::scFG, [](AppState& s) -> bool& { return s.scatterFG; }},
    {ToggleSetting::scBG, [](AppState& s) -> bool& { return s.scatterBG; }},
    {ToggleSetting::dbFG, [](AppState& s) -> bool& { return s.dodgeBurnFG; }},
    {ToggleSetting::dbBG, [](AppState& s) -> bool& { return s.dodgeBurnBG; }},
    {ToggleSetting::prFG, [](AppState& s) -> bool& { return s.prismFG; }},
    {ToggleSetting::prBG, [](AppState& s) -> bool& { return s.prismBG; }},
    {ToggleSetting::boxFilled, [](AppState& s) -> bool& { return s.boxOptions.filled; }},
    {ToggleSetting::boxOutline, [](AppState& s) -> bool& { return s.boxOptions.outline; }},
    {ToggleSetting::boxPenLine, [](AppState& s) -> bool& { return s.boxOptions.penLine; }},
    {ToggleSetting::ovalFilled, [](AppState& s) -> bool& { return s.ovalOptions.filled; }},
    {ToggleSetting::ovalOutline, [](AppState& s) -> bool& { return s.ovalOptions.outline; }},
    {ToggleSetting::fadeColReset, [](AppState& s) -> bool& { return s.colorCycleResetPerStroke; }},
    {ToggleSetting::fadeChReset, [](AppState& s) -> bool& { return s.charCycleResetPerStroke; }},
    {ToggleSetting::fadeChFwd, [](AppState& s) -> bool& { return s.charCycleForward; }},
    {ToggleSetting::fadeChWrap, [](AppState& s) -> bool& { return s.charCycleWrap; }},
};

// Both tables are indexed by their enumeration: a row missing or out of place fails here.
template <class Spec, std::size_t N>
constexpr bool inEnumOrder(const Spec (&specs)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(specs[i].id) != i) return false;
    return true;
}
static_assert(inEnumOrder(stepperSpecs) && std::size(stepperSpecs) == static_cast<std::size_t>(StepperId::tcL) + 1);
static_assert(inEnumOrder(toggleSpecs) &&
              std::size(toggleSpecs) == static_cast<std::size_t>(ToggleSetting::fadeChWrap) + 1);

const StepperSpec& stepperSpec(StepperId id) { return stepperSpecs[static_cast<std::size_t>(id)]; }
bool& toggleField(ToggleSetting id, AppState& state) { return toggleSpecs[static_cast<std::size_t>(id)].field(state); }

// The palette mix channel a stepper edits, if any.
std::optional<PaletteChannel> mixChannel(StepperId id) {
    switch (id) {
        case StepperId::tcR: return PaletteChannel::tcR;
        case StepperId::tcG: return PaletteChannel::tcG;
        case StepperId::tcB: return PaletteChannel::tcB;
        case StepperId::tcL: return PaletteChannel::tcL;
        default: return std::nullopt;
    }
}

const CharacterGroup* charGroup(int index) {
    const auto& groups = CP437Characters::groups();
    if (index < 0 || index >= static_cast<int>(groups.size())) return nullptr;
    return &groups[static_cast<std::size_t>(index)];
}

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

bool toolHasPanelItems(Tool tool) {
    switch (tool) {
        case Tool::box:
        case Tool::select:
        case Tool::oval:
        case Tool::spray:
        case Tool::line:
        case Tool::dodge:
        case Tool::burn:
        case Tool::prism:
        case Tool::scatter:
        case Tool::text: return true;
        default: return false;
    }
}

std::vector<PanelItem> panelItems(const AppState& state) {
    std::vector<PanelItem> items;
    auto stepper = [&](StepperId id) {
        items.push_back(PanelItem::stepper(std::string(stepperSpec(id).label), id, stepperValue(id, state)));
    };
    auto toggle = [&](std::string label, ToggleId id) {
        items.push_back(PanelItem::toggle(std::move(label), id, toggleValue(id, state)));
    };
    auto setting = [&](std::string label, ToggleSetting id) { toggle(std::move(label), ToggleId::of(id)); };
    switch (state.tool) {
        case Tool::box:
        case Tool::select:
        case Tool::oval:
            setting("Own fill", ToggleSetting::ownFill);
            if (state.shapeFill.enabled) {
                items.push_back(PanelItem::fillChar());
                items.push_back(PanelItem::fillColorModes(true));
                items.push_back(PanelItem::fillSwatches(true));
                items.push_back(PanelItem::fillColorModes(false));
                items.push_back(PanelItem::fillSwatches(false));
            }
            break;
        case Tool::spray:
            stepper(StepperId::sprayRadius);
            stepper(StepperId::sprayDensity);
            stepper(StepperId::sprayVary);
            setting("Spray BG", ToggleSetting::sprayBG);
            setting("Vel → density", ToggleSetting::velSpray);
            break;
        case Tool::line: stepper(StepperId::lineWidth); break;
        case Tool::dodge:
        case Tool::burn:
            stepper(StepperId::dbStrength);
            setting("Vel → strength", ToggleSetting::velDB);
            break;
        case Tool::prism:
            stepper(StepperId::prismSteps);
            setting("Vel → steps", ToggleSetting::velPrism);
            break;
        case Tool::scatter:
            stepper(StepperId::scVariance);
            setting("Vel → variance", ToggleSetting::velScatter);
            setting("Round brush", ToggleSetting::round);
            break;
        case Tool::text: {
            items.push_back(PanelItem::text("F1–F10 bank"));
            const auto& banks = FKeyBanks::banks();
            for (std::size_t i = 0; i < banks.size(); ++i) toggle(banks[i].name, ToggleId::glyphBank(static_cast<int>(i)));
            break;
        }
        default: break;
    }
    return items;
}

void adjustStepper(StepperId id, int delta, AppState& state) {
    const StepperSpec& spec = stepperSpec(id);
    // Widen before adding so a huge delta cannot overflow past the clamp.
    const long long sum = static_cast<long long>(spec.field(state)) + delta;
    const int value = static_cast<int>(std::clamp<long long>(sum, spec.min, spec.max));
    if (const auto channel = mixChannel(id)) {
        paletteSliderSet(*channel, value, state);
    } else {
        spec.field(state) = value;
    }
}

int stepperValue(StepperId id, const AppState& state) {
    // The field accessors are shared with adjustStepper; reading does not change the state.
    return stepperSpec(id).field(const_cast<AppState&>(state));
}

void toggleTapped(ToggleId id, AppState& state) {
    switch (id.kind) {
        case ToggleId::Kind::setting: {
            bool& field = toggleField(id.setting, state);
            field = !field;
            return;
        }
        case ToggleId::Kind::glyphBank:
            if (id.index >= 0 && id.index < static_cast<int>(FKeyBanks::banks().size())) selectFKeyBank(id.index, state);
            return;
        case ToggleId::Kind::charGroup:
            if (const CharacterGroup* group = charGroup(id.index)) toggleRandomCharGroup(group->name, state);
            return;
    }
}

bool toggleValue(ToggleId id, const AppState& state) {
    switch (id.kind) {
        case ToggleId::Kind::setting:
            return toggleField(id.setting, const_cast<AppState&>(state));  // the accessor only reads here
        case ToggleId::Kind::glyphBank: return FKeyBanks::normalized(state.fkeyBankIndex) == id.index;
        case ToggleId::Kind::charGroup: {
            const CharacterGroup* group = charGroup(id.index);
            return group != nullptr && state.charRandomGroups.contains(group->name);
        }
    }
    return false;
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

ColorMode colorMode(const AppState& state, bool forFg) {
    if (forFg ? state.fgCycle : state.bgCycle) return ColorMode::cycle;
    if (forFg ? state.fgRandom : state.bgRandom) return ColorMode::random;
    if (forFg ? state.fgNull : state.bgNull) return ColorMode::null;
    return ColorMode::solid;
}

void colorModeTapped(ColorMode mode, bool forFg, AppState& state) {
    setColorMode(colorMode(state, forFg) == mode ? ColorMode::solid : mode, forFg, state);
}

void setCycleRepeat(bool forFg, int repeat, AppState& state) {
    const int step = std::clamp(repeat, 1, 20);
    (forFg ? state.fgCycleStep : state.bgCycleStep) = step;
    state.statusNote = std::string(forFg ? "fg" : "bg") + " repeat " + std::to_string(step);
}

const std::vector<ANSIColorValue>* activePool(const AppState& state, bool forFg) {
    if (forFg ? state.fgCycle : state.bgCycle) return forFg ? &state.fgCyclePool : &state.bgCyclePool;
    if (forFg ? state.fgRandom : state.bgRandom) return forFg ? &state.fgRandomPool : &state.bgRandomPool;
    return nullptr;
}

void poolChipTapped(bool forFg, std::size_t index, bool rightClick, AppState& state) {
    const auto* pool = activePool(state, forFg);
    if (pool != nullptr && index < pool->size()) chipTapped((*pool)[index], forFg && !rightClick, state);
}

void toggleFadesPanel(AppState& state) { state.fadesPanelOpen = !state.fadesPanelOpen; }

void swapForegroundAndBackground(AppState& state) {
    const ANSIColorValue oldFg = state.fg;
    state.fg = state.penBg;
    state.penBg = backgroundForMode(oldFg, state.blinkingText);
}

// --- Fades panel ---

std::vector<PanelItem> fadesPanelItems(const AppState& state) {
    std::vector<PanelItem> items;
    for (StepperId id : {StepperId::fadeFgStep, StepperId::fadeBgStep, StepperId::fadeChStep})
        items.push_back(PanelItem::stepper(std::string(stepperSpec(id).label), id, stepperValue(id, state)));
    const std::pair<const char*, ToggleSetting> fixed[] = {{"Colors reset/stroke", ToggleSetting::fadeColReset},
                                                           {"Chars reset/stroke", ToggleSetting::fadeChReset},
                                                           {"Char forward", ToggleSetting::fadeChFwd},
                                                           {"Char wrap", ToggleSetting::fadeChWrap}};
    for (const auto& [label, setting] : fixed) {
        const ToggleId id = ToggleId::of(setting);
        items.push_back(PanelItem::toggle(label, id, toggleValue(id, state)));
    }
    const auto& groups = CP437Characters::groups();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const ToggleId id = ToggleId::charGroup(static_cast<int>(i));
        items.push_back(PanelItem::toggle(groups[i].name, id, toggleValue(id, state)));
    }
    return items;
}

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
    state.charPickerOpen = true;
}

void penCharTapped(AppState& state) {
    state.charPickerTarget = CharTarget::pen;
    state.charPickerOpen = true;
}

// --- Character picker ---

void closeCharPickerIfEmptyCycle(AppState& state) {
    state.charPickerOpen = false;
    state.charsetMenuOpen = false;
    if (state.charPickerTarget == CharTarget::fill && state.shapeFill.charMode == FillChannelMode::cycle &&
        state.shapeFill.charPool.empty()) {
        state.shapeFill.charMode = FillChannelMode::solid;
        state.statusNote = "fill cycle needs a sequence";
    }
    // The next opening from the sidebar's character button is for the pen again.
    state.charPickerTarget = CharTarget::pen;
}

std::optional<CharMode> pickerCharMode(const AppState& state) {
    if (state.charPickerTarget == CharTarget::fill) {
        switch (state.shapeFill.charMode) {
            case FillChannelMode::null: return CharMode::null;
            case FillChannelMode::cycle: return CharMode::cycle;
            case FillChannelMode::random: return CharMode::random;
            case FillChannelMode::solid: return std::nullopt;
        }
        return std::nullopt;
    }
    if (state.charCycle) return CharMode::cycle;
    if (state.charRandom) return CharMode::random;
    if (state.charNull) return CharMode::null;
    return std::nullopt;
}

const std::vector<std::string>* pickerSequence(const AppState& state) {
    const auto mode = pickerCharMode(state);
    if (state.charPickerTarget == CharTarget::fill)
        return (mode == CharMode::cycle || mode == CharMode::random) ? &state.shapeFill.charPool : nullptr;
    if (mode == CharMode::cycle) return &state.charCyclePool;
    if (mode == CharMode::random) return &state.charRandomPool;
    return nullptr;
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
    state.charPickerOpen = false;
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

void toggleCharsetMenu(AppState& state) { state.charsetMenuOpen = !state.charsetMenuOpen; }

void charsetChosen(int index, AppState& state) {
    if (index < 0 || index >= static_cast<int>(Charsets::sets().size())) return;
    state.charsetIndex = index;
    state.charsetMenuOpen = false;
    state.charPickerOpen = true;
}


}  // namespace glyphloom
