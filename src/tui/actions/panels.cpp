#include "tui/actions/panels.hpp"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text/charsets.hpp"
#include "core/color/color_depth.hpp"
#include "core/text/cp437_characters.hpp"
#include "core/fonts/fkey_banks.hpp"
#include "tui/actions/palette.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {
namespace {

struct StepperSpec {
    std::string_view id;
    std::string_view label;
    int& (*field)(AppState&);
    int min;
    int max;
};

// The palette's brightness offset is a stepper like the others, but changing any draft
// channel goes through paletteSliderSet so the mixed colour is applied at once.
constexpr StepperSpec stepperSpecs[] = {
    {"sprayRadius", "Radius", [](AppState& s) -> int& { return s.sprayRadius; }, 1, 8},
    {"sprayDensity", "Density", [](AppState& s) -> int& { return s.sprayDensity; }, 1, 20},
    {"sprayVary", "Vary %", [](AppState& s) -> int& { return s.sprayVariance; }, 0, 100},
    {"prismSteps", "Steps", [](AppState& s) -> int& { return s.prismSteps; }, 1, 3},
    {"dbStrength", "Strength", [](AppState& s) -> int& { return s.dodgeBurnStrength; }, 2, 50},
    {"lineWidth", "Width", [](AppState& s) -> int& { return s.lineThickness; }, 1, 8},
    {"scVariance", "Variance", [](AppState& s) -> int& { return s.scatterVariance; }, 2, 100},
    {"fadeFgStep", "FG step", [](AppState& s) -> int& { return s.fgCycleStep; }, 1, 20},
    {"fadeBgStep", "BG step", [](AppState& s) -> int& { return s.bgCycleStep; }, 1, 20},
    {"fadeChStep", "Char step", [](AppState& s) -> int& { return s.charCycleStep; }, 1, 20},
    {"tcR", "R", [](AppState& s) -> int& { return s.tcDraft.r; }, 0, 255},
    {"tcG", "G", [](AppState& s) -> int& { return s.tcDraft.g; }, 0, 255},
    {"tcB", "B", [](AppState& s) -> int& { return s.tcDraft.b; }, 0, 255},
    {"tcL", "L", [](AppState& s) -> int& { return s.tcDraft.l; }, -128, 128},
};

const StepperSpec* findStepper(std::string_view id) {
    for (const StepperSpec& spec : stepperSpecs)
        if (spec.id == id) return &spec;
    return nullptr;
}

struct ToggleSpec {
    std::string_view id;
    bool& (*field)(AppState&);
};

constexpr ToggleSpec toggleSpecs[] = {
    {"round", [](AppState& s) -> bool& { return s.brushRounded; }},
    {"sprayBG", [](AppState& s) -> bool& { return s.sprayTargetBG; }},
    {"velSpray", [](AppState& s) -> bool& { return s.velSprayDensity; }},
    {"velDB", [](AppState& s) -> bool& { return s.velDodgeBurn; }},
    {"velPrism", [](AppState& s) -> bool& { return s.velPrism; }},
    {"velScatter", [](AppState& s) -> bool& { return s.velScatter; }},
    {"velSize", [](AppState& s) -> bool& { return s.velocityControlsSize; }},
    {"autoPan", [](AppState& s) -> bool& { return s.autoPan; }},
    {"ownFill", [](AppState& s) -> bool& { return s.shapeFill.enabled; }},
    {"scFG", [](AppState& s) -> bool& { return s.scatterFG; }},
    {"scBG", [](AppState& s) -> bool& { return s.scatterBG; }},
    {"dbFG", [](AppState& s) -> bool& { return s.dodgeBurnFG; }},
    {"dbBG", [](AppState& s) -> bool& { return s.dodgeBurnBG; }},
    {"prFG", [](AppState& s) -> bool& { return s.prismFG; }},
    {"prBG", [](AppState& s) -> bool& { return s.prismBG; }},
    {"boxFilled", [](AppState& s) -> bool& { return s.boxOptions.filled; }},
    {"boxOutline", [](AppState& s) -> bool& { return s.boxOptions.outline; }},
    {"boxPenLine", [](AppState& s) -> bool& { return s.boxOptions.penLine; }},
    {"ovalFilled", [](AppState& s) -> bool& { return s.ovalOptions.filled; }},
    {"ovalOutline", [](AppState& s) -> bool& { return s.ovalOptions.outline; }},
};

constexpr ToggleSpec fadeToggleSpecs[] = {
    {"fadeColReset", [](AppState& s) -> bool& { return s.colorCycleResetPerStroke; }},
    {"fadeChReset", [](AppState& s) -> bool& { return s.charCycleResetPerStroke; }},
    {"fadeChFwd", [](AppState& s) -> bool& { return s.charCycleForward; }},
    {"fadeChWrap", [](AppState& s) -> bool& { return s.charCycleWrap; }},
};

constexpr std::string_view fadeGroupPrefix = "fadegrp.";
constexpr std::string_view bankPrefix = "bank";

template <std::size_t N>
const ToggleSpec* findToggle(const ToggleSpec (&specs)[N], std::string_view id) {
    for (const ToggleSpec& spec : specs)
        if (spec.id == id) return &spec;
    return nullptr;
}

// The bank index named by a "bank<n>" id, when it names one.
std::optional<int> bankIndex(std::string_view id) {
    if (!id.starts_with(bankPrefix)) return std::nullopt;
    const std::string_view digits = id.substr(bankPrefix.size());
    int index = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (index < 0 || index >= static_cast<int>(FKeyBanks::banks().size())) return std::nullopt;
    return index;
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
    auto stepper = [&](std::string_view id) {
        const StepperSpec& spec = *findStepper(id);
        items.push_back(PanelItem::stepper(std::string(spec.label), std::string(id), stepperValue(id, state)));
    };
    auto toggle = [&](std::string label, std::string id) {
        const bool on = toggleValue(id, state);
        items.push_back(PanelItem::toggle(std::move(label), std::move(id), on));
    };
    switch (state.tool) {
        case Tool::box:
        case Tool::select:
        case Tool::oval:
            toggle("Own fill", "ownFill");
            if (state.shapeFill.enabled) {
                items.push_back(PanelItem::fillChar());
                items.push_back(PanelItem::fillColorModes(true));
                items.push_back(PanelItem::fillSwatches(true));
                items.push_back(PanelItem::fillColorModes(false));
                items.push_back(PanelItem::fillSwatches(false));
            }
            break;
        case Tool::spray:
            stepper("sprayRadius");
            stepper("sprayDensity");
            stepper("sprayVary");
            toggle("Spray BG", "sprayBG");
            toggle("Vel → density", "velSpray");
            break;
        case Tool::line: stepper("lineWidth"); break;
        case Tool::dodge:
        case Tool::burn:
            stepper("dbStrength");
            toggle("Vel → strength", "velDB");
            break;
        case Tool::prism:
            stepper("prismSteps");
            toggle("Vel → steps", "velPrism");
            break;
        case Tool::scatter:
            stepper("scVariance");
            toggle("Vel → variance", "velScatter");
            toggle("Round brush", "round");
            break;
        case Tool::text: {
            items.push_back(PanelItem::text("F1–F10 bank"));
            const auto& banks = FKeyBanks::banks();
            for (std::size_t i = 0; i < banks.size(); ++i) toggle(banks[i].name, std::string(bankPrefix) + std::to_string(i));
            break;
        }
        default: break;
    }
    return items;
}

void adjustStepper(std::string_view id, int delta, AppState& state) {
    const StepperSpec* spec = findStepper(id);
    if (!spec) return;
    // Widen before adding so a huge delta cannot overflow past the clamp.
    const long long sum = static_cast<long long>(spec->field(state)) + delta;
    const int value = static_cast<int>(std::clamp<long long>(sum, spec->min, spec->max));
    if (id.starts_with("tc")) {
        paletteSliderSet(id, value, state);
    } else {
        spec->field(state) = value;
    }
}

int stepperValue(std::string_view id, const AppState& state) {
    const StepperSpec* spec = findStepper(id);
    // The field accessors are shared with adjustStepper; reading does not change the state.
    return spec ? spec->field(const_cast<AppState&>(state)) : 0;
}

void toggleTapped(std::string_view id, AppState& state) {
    if (id.starts_with(fadeGroupPrefix) || findToggle(fadeToggleSpecs, id)) {
        toggleFadeSetting(id, state);
    } else if (auto bank = bankIndex(id)) {
        selectFKeyBank(*bank, state);
    } else if (const ToggleSpec* spec = findToggle(toggleSpecs, id)) {
        bool& field = spec->field(state);
        field = !field;
    }
}

bool toggleValue(std::string_view id, const AppState& state) {
    AppState& readable = const_cast<AppState&>(state);  // accessors only read here
    if (id.starts_with(fadeGroupPrefix))
        return state.charRandomGroups.contains(std::string(id.substr(fadeGroupPrefix.size())));
    if (const ToggleSpec* spec = findToggle(fadeToggleSpecs, id)) return spec->field(readable);
    if (auto bank = bankIndex(id)) return FKeyBanks::normalized(state.fkeyBankIndex) == *bank;
    if (const ToggleSpec* spec = findToggle(toggleSpecs, id)) return spec->field(readable);
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

const std::vector<ANSIColorValue>* activePool(const AppState& state, bool forFg) {
    if (forFg ? state.fgCycle : state.bgCycle) return forFg ? &state.fgCyclePool : &state.bgCyclePool;
    if (forFg ? state.fgRandom : state.bgRandom) return forFg ? &state.fgRandomPool : &state.bgRandomPool;
    return nullptr;
}

void swapForegroundAndBackground(AppState& state) {
    const ANSIColorValue oldFg = state.fg;
    state.fg = state.penBg;
    state.penBg = backgroundForMode(oldFg, state.blinkingText);
}

// --- Fades panel ---

std::vector<PanelItem> fadesPanelItems(const AppState& state) {
    std::vector<PanelItem> items;
    for (std::string_view id : {"fadeFgStep", "fadeBgStep", "fadeChStep"})
        items.push_back(PanelItem::stepper(std::string(findStepper(id)->label), std::string(id), stepperValue(id, state)));
    const std::pair<const char*, const char*> fixed[] = {{"Colors reset/stroke", "fadeColReset"},
                                                         {"Chars reset/stroke", "fadeChReset"},
                                                         {"Char forward", "fadeChFwd"},
                                                         {"Char wrap", "fadeChWrap"}};
    for (const auto& [label, id] : fixed) items.push_back(PanelItem::toggle(label, id, toggleValue(id, state)));
    for (const CharacterGroup& group : CP437Characters::groups()) {
        const std::string id = std::string(fadeGroupPrefix) + group.name;
        items.push_back(PanelItem::toggle(group.name, id, toggleValue(id, state)));
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

void toggleFadeSetting(std::string_view id, AppState& state) {
    if (const ToggleSpec* spec = findToggle(fadeToggleSpecs, id)) {
        bool& field = spec->field(state);
        field = !field;
        return;
    }
    if (!id.starts_with(fadeGroupPrefix)) return;
    const std::string name(id.substr(fadeGroupPrefix.size()));
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

void charsetChosen(int index, AppState& state) {
    if (index < 0 || index >= static_cast<int>(Charsets::sets().size())) return;
    state.charsetIndex = index;
    state.charsetMenuOpen = false;
    state.charPickerOpen = true;
}


}  // namespace glyphloom
