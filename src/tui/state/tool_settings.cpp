#include "tui/state/tool_settings.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/format/preset.hpp"
#include "core/text/cp437_characters.hpp"
#include "core/text/utf8.hpp"
#include "tui/state/tool_settings_value.hpp"

namespace glyphloom {
namespace {

// --- The fingerprint text: each value closed by a separator no setting contains ---

void put(std::string& key, std::string_view text) {
    key += text;
    key += '\x1f';
}
void addKey(std::string& key, bool v) { put(key, v ? "true" : "false"); }
void addKey(std::string& key, int v) { put(key, std::to_string(v)); }
void addKey(std::string& key, const std::string& v) { put(key, v); }
void addKey(std::string& key, const ANSIColorValue& v) {
    put(key, std::to_string(static_cast<int>(v.kind)) + ":" + std::to_string(v.n) + ":" + std::to_string(v.r) + "," +
                 std::to_string(v.g) + "," + std::to_string(v.b));
}
template <class E>
    requires std::is_enum_v<E>
void addKey(std::string& key, E v) {
    addKey(key, static_cast<int>(v));
}
template <class T>
void addKey(std::string& key, const std::vector<T>& items) {
    addKey(key, static_cast<int>(items.size()));
    for (const T& item : items) addKey(key, item);
}
void addKey(std::string& key, const std::set<std::string>& names) {
    addKey(key, std::vector<std::string>(names.begin(), names.end()));
}
void addKey(std::string& key, const BrushSize& v) {
    addKey(key, v.kind);
    addKey(key, v.n);
}
void addKey(std::string& key, const OvalDrawMode& v) {
    addKey(key, v.kind);
    addKey(key, v.style);
}
void addKey(std::string& key, const FillMode& v) {
    addKey(key, v.kind);
    addKey(key, v.direction);
}
void addKey(std::string& key, const ShapeFillStyle& v) {
    addKey(key, v.enabled);
    addKey(key, v.charMode);
    addKey(key, v.character);
    addKey(key, v.charPool);
    addKey(key, v.fgMode);
    addKey(key, v.fg);
    addKey(key, v.fgPool);
    addKey(key, v.bgMode);
    addKey(key, v.bg);
    addKey(key, v.bgPool);
}

// --- Preset values into ranges ---

// Rounds half away from zero into the range. Clamping before rounding keeps huge values from
// overflowing; with whole-number bounds the result is the same as rounding first.
int roundedInto(double value, IntRange range) {
    if (std::isnan(value)) return range.min;
    return static_cast<int>(std::lround(std::clamp(value, static_cast<double>(range.min), static_cast<double>(range.max))));
}

template <class T>
T clampedInto(const ToolSetting& row, T value) {
    if constexpr (std::is_same_v<T, int>) return row.range.clamp(value);
    else return value;
}

std::vector<std::string> scalarsOf(const std::string& text) {
    std::vector<std::string> chars;
    for (char32_t scalar : utf8::decode(text)) chars.push_back(utf8::encode(scalar));
    return chars;
}

// --- Rows: how a row reaches its value and how presets code it ---

// `Get` is the accessor of the editor-state field, for the const and the mutable state.
template <auto Get>
using ValueOf = std::remove_cvref_t<decltype(Get(std::declval<ToolSettings&>()))>;

// The parts of a row other than its reach and coding, set one by one.
struct Row {
    ToolSetting s;

    // Defined before the setters that use it: clang 14 will not call, in a constant
    // expression, a member template defined after its first use.
    template <class F>
    constexpr Row with(F change) const {
        Row copy = *this;
        change(copy.s);
        return copy;
    }

    constexpr Row samples(ToolSet tools) const { return with([&](ToolSetting& r) { r.sampleTools = tools; }); }
    // The values the setting may hold; a stepper reaches all of them unless narrowed.
    constexpr Row range(int min, int max) const {
        return with([&](ToolSetting& r) { r.range = r.stepRange = {min, max}; });
    }
    constexpr Row stepping(int min, int max) const { return with([&](ToolSetting& r) { r.stepRange = {min, max}; }); }
    constexpr Row stepper(StepperId id, std::string_view label, SettingPanel panel, ToolSet tools = {}) const {
        return with([&](ToolSetting& r) {
            r.stepper = id;
            r.label = label;
            r.panel = panel;
            r.panelTools = tools;
        });
    }
    // A toggle without a label is drawn with the sidebar's own rows, not in a panel.
    constexpr Row toggle(ToggleSetting id, std::string_view label = {}, SettingPanel panel = SettingPanel::none,
                         ToolSet tools = {}) const {
        return with([&](ToolSetting& r) {
            r.toggle = id;
            r.label = label;
            r.panel = panel;
            r.panelTools = tools;
        });
    }
};

// A setting no preset carries.
template <auto Get>
constexpr Row setting(std::string_view name) {
    using T = ValueOf<Get>;
    ToolSetting row;
    row.name = name;
    if constexpr (std::is_same_v<T, bool>) {
        row.type = SettingType::flag;
        row.flag = [](ToolSettings& s) -> bool& { return Get(s); };
    } else if constexpr (std::is_same_v<T, int>) {
        row.type = SettingType::number;
        row.number = [](ToolSettings& s) -> int& { return Get(s); };
    } else if constexpr (std::is_same_v<T, ANSIColorValue>) {
        row.type = SettingType::color;
    } else if constexpr (std::is_same_v<T, std::string>) {
        row.type = SettingType::character;
    } else if constexpr (std::is_same_v<T, std::vector<ANSIColorValue>>) {
        row.type = SettingType::colorList;
    } else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
        row.type = SettingType::charList;
    } else if constexpr (std::is_same_v<T, std::set<std::string>>) {
        row.type = SettingType::groupSet;
    } else if constexpr (std::is_same_v<T, ShapeFillStyle>) {
        row.type = SettingType::shapeFill;
    } else {
        row.type = SettingType::choice;
    }
    row.copy = [](const ToolSettings& from, ToolSettings& to) { Get(to) = Get(from); };
    row.addToKey = [](const ToolSettings& s, std::string& key) { addKey(key, Get(s)); };
    return {row};
}

// Kept under preset field `Key` as it is; a preset without the field leaves it alone.
template <auto Get, auto Key>
constexpr Row stored(std::string_view name) {
    return setting<Get>(name).with([](ToolSetting& r) {
        r.stored = true;
        r.apply = [](const ToolSetting& row, const TUIPreset& p, ToolSettings& s) {
            if (const auto& v = p.*Key) Get(s) = clampedInto(row, *v);
        };
        r.capture = [](const ToolSettings& s, TUIPreset& p) { p.*Key = Get(s); };
    });
}

// Like `stored`, but a preset without the field sets the empty value (then clamped into the
// range): a slot never inherits the previous slot's fades.
template <auto Get, auto Key>
constexpr Row always(std::string_view name) {
    return stored<Get, Key>(name).with([](ToolSetting& r) {
        r.apply = [](const ToolSetting& row, const TUIPreset& p, ToolSettings& s) {
            Get(s) = clampedInto(row, (p.*Key).value_or(ValueOf<Get>{}));
        };
    });
}

// A whole number a preset keeps as a real number in other units (a percentage as a fraction,
// prism steps as an angle): the setting is the preset's value × Mul ÷ Div, rounded into the
// range.
template <auto Get, auto Key, int Mul, int Div>
constexpr Row scaled(std::string_view name) {
    return stored<Get, Key>(name).with([](ToolSetting& r) {
        r.apply = [](const ToolSetting& row, const TUIPreset& p, ToolSettings& s) {
            if (const auto& v = p.*Key) Get(s) = roundedInto(*v * Mul / Div, row.range);
        };
        r.capture = [](const ToolSettings& s, TUIPreset& p) { p.*Key = Get(s) * Div / static_cast<double>(Mul); };
    });
}

// Coded by hand: the settings whose preset form is not one field of the same type.
template <auto Get>
constexpr Row coded(std::string_view name, void (*apply)(const ToolSetting&, const TUIPreset&, ToolSettings&),
                    void (*capture)(const ToolSettings&, TUIPreset&)) {
    return setting<Get>(name).with([&](ToolSetting& r) {
        r.stored = true;
        r.apply = apply;
        r.capture = capture;
    });
}

#define GLYPHLOOM_FIELD(path) [](auto& s) -> auto& { return s.path; }

// --- The settings coded by hand ---

void applyTool(const ToolSetting&, const TUIPreset& p, ToolSettings& s) {
    if (p.tool) s.tool = toolForPresetID(*p.tool);
}
void captureTool(const ToolSettings& s, TUIPreset& p) { p.tool = presetIDForTool(s.tool); }

// Only a brush of whole cells has a size to limit.
void applyBrush(const ToolSetting& row, const TUIPreset& p, ToolSettings& s) {
    if (!p.brushSize) return;
    BrushSize brush = *p.brushSize;
    if (brush.kind == BrushSize::Kind::cells) brush.n = row.range.clamp(brush.n);
    s.brush = brush;
}
void captureBrush(const ToolSettings& s, TUIPreset& p) { p.brushSize = s.brush; }

// Two keys, the brush form first.
void applyLineThickness(const ToolSetting& row, const TUIPreset& p, ToolSettings& s) {
    if (p.lineThickness && p.lineThickness->kind == BrushSize::Kind::cells)
        s.lineThickness = row.range.clamp(p.lineThickness->n);
    else if (p.lineThicknessCells)
        s.lineThickness = row.range.clamp(*p.lineThicknessCells);
}
void captureLineThickness(const ToolSettings& s, TUIPreset& p) {
    p.lineThickness = BrushSize::cells(s.lineThickness);
    p.lineThicknessCells = s.lineThickness;
}

// The fraction first, else the percentage; both are written.
void applySprayVariance(const ToolSetting& row, const TUIPreset& p, ToolSettings& s) {
    if (p.sprayVariance) s.sprayVariance = roundedInto(*p.sprayVariance * 100.0, row.range);
    else if (p.sprayVariancePct) s.sprayVariance = row.range.clamp(*p.sprayVariancePct);
}
void captureSprayVariance(const ToolSettings& s, TUIPreset& p) {
    p.sprayVariance = s.sprayVariance / 100.0;
    p.sprayVariancePct = s.sprayVariance;
}

void applyFillMode(const ToolSetting&, const TUIPreset& p, ToolSettings& s) {
    if (!p.gradientFill) return;
    s.fillMode = *p.gradientFill ? FillMode::gradient(p.gradientDirection.value_or(GradientDirection::vertical))
                                 : FillMode::solid();
}
void captureFillMode(const ToolSettings& s, TUIPreset& p) {
    p.gradientFill = s.fillMode.kind == FillMode::Kind::gradient;
    if (*p.gradientFill) p.gradientDirection = s.fillMode.direction;
}

// Always set: the list, else the sequence one scalar at a time, else empty.
void applyCharCyclePool(const ToolSetting&, const TUIPreset& p, ToolSettings& s) {
    if (p.charCycleChars) s.charCyclePool = *p.charCycleChars;
    else if (p.charCycleSequence) s.charCyclePool = scalarsOf(*p.charCycleSequence);
    else s.charCyclePool.clear();
}
// The list rather than one string: pool entries may be clusters of several scalars.
void captureCharCyclePool(const ToolSettings& s, TUIPreset& p) { p.charCycleChars = s.charCyclePool; }

// The group names are kept too, so the fades panel shows which groups feed the pool.
void applyCharGroups(const ToolSetting&, const TUIPreset& p, ToolSettings& s) {
    const std::vector<std::string> groups = p.charRandomGroups.value_or(std::vector<std::string>{});
    s.charRandomGroups = std::set<std::string>(groups.begin(), groups.end());
}
void captureCharGroups(const ToolSettings& s, TUIPreset& p) {
    if (!s.charRandomGroups.empty())
        p.charRandomGroups = std::vector<std::string>(s.charRandomGroups.begin(), s.charRandomGroups.end());
}

// Always set: the list, else the characters of the named groups, else empty.
void applyCharRandomPool(const ToolSetting&, const TUIPreset& p, ToolSettings& s) {
    s.charRandomPool = p.charRandomChars
                           ? *p.charRandomChars
                           : CP437Characters::charactersOfGroups(p.charRandomGroups.value_or(std::vector<std::string>{}));
}
void captureCharRandomPool(const ToolSettings& s, TUIPreset& p) { p.charRandomChars = s.charRandomPool; }

// --- Which tools read what ---

constexpr ToolSet inkTools{Tool::paint, Tool::draw, Tool::pen,  Tool::fill, Tool::spray,
                           Tool::line,  Tool::box,  Tool::oval, Tool::text};
constexpr ToolSet brushTools{Tool::paint, Tool::draw,  Tool::eraser, Tool::smudge, Tool::spray,
                             Tool::dodge, Tool::burn, Tool::prism,  Tool::scatter};
constexpr ToolSet mirroredTools = ToolSet::all().without({Tool::text, Tool::select, Tool::pans});
constexpr ToolSet dodgeAndBurn{Tool::dodge, Tool::burn};
constexpr ToolSet shapeFillTools{Tool::box, Tool::select, Tool::oval};
constexpr int unlimited = std::numeric_limits<int>::max();

using enum SettingPanel;
using P = TUIPreset;

// Rows that share a panel appear in it in this order.
constexpr ToolSetting table[] = {
    coded<GLYPHLOOM_FIELD(tool)>("tool", applyTool, captureTool).samples(ToolSet::all()).s,

    // The pen's ink.
    stored<GLYPHLOOM_FIELD(penChar), &P::character>("penChar").samples(inkTools).s,
    stored<GLYPHLOOM_FIELD(fg), &P::foreground>("fg").samples(inkTools | ToolSet{Tool::select}).s,
    stored<GLYPHLOOM_FIELD(penBg), &P::background>("penBg").samples(inkTools | ToolSet{Tool::select}).s,
    setting<GLYPHLOOM_FIELD(charNull)>("charNull").samples(inkTools).s,
    setting<GLYPHLOOM_FIELD(fgNull)>("fgNull").samples(inkTools).s,
    setting<GLYPHLOOM_FIELD(bgNull)>("bgNull").samples(inkTools).s,

    // Brushes.
    coded<GLYPHLOOM_FIELD(brush)>("brush", applyBrush, captureBrush).range(1, 10).samples(brushTools).s,
    stored<GLYPHLOOM_FIELD(velocityControlsSize), &P::paintSimulatedPressureControlsSize>("velocityControlsSize")
        .toggle(ToggleSetting::velSize)
        .samples(brushTools)
        .s,
    stored<GLYPHLOOM_FIELD(symmetryMode), &P::symmetryMode>("symmetryMode").samples(mirroredTools).s,

    // Lines, boxes, ovals and fills.
    stored<GLYPHLOOM_FIELD(penLineStyle), &P::penLineStyle>("penLineStyle").samples({Tool::pen}).s,
    stored<GLYPHLOOM_FIELD(lineStyle), &P::lineDrawStyle>("lineStyle").samples({Tool::line}).s,
    stored<GLYPHLOOM_FIELD(lineStitchMode), &P::lineStitchMode>("lineStitchMode").samples({Tool::line}).s,
    coded<GLYPHLOOM_FIELD(lineThickness)>("lineThickness", applyLineThickness, captureLineThickness)
        .range(1, 8)
        .stepper(StepperId::lineWidth, "Width", tool, {Tool::line})
        .samples({Tool::line, Tool::pen})  // the pen draws its strokes this wide too
        .s,
    stored<GLYPHLOOM_FIELD(boxOptions.filled), &P::boxFilled>("boxOptions.filled")
        .toggle(ToggleSetting::boxFilled)
        .samples({Tool::box})
        .s,
    stored<GLYPHLOOM_FIELD(boxOptions.outline), &P::boxOutline>("boxOptions.outline")
        .toggle(ToggleSetting::boxOutline)
        .samples({Tool::box})
        .s,
    stored<GLYPHLOOM_FIELD(boxOptions.penLine), &P::boxPenLine>("boxOptions.penLine")
        .toggle(ToggleSetting::boxPenLine)
        .samples({Tool::box})
        .s,
    stored<GLYPHLOOM_FIELD(boxOptions.thickness), &P::boxThickness>("boxOptions.thickness")
        .range(1, 4)
        .samples({Tool::box})
        .s,
    stored<GLYPHLOOM_FIELD(boxOptions.style), &P::boxStyle>("boxOptions.style").samples({Tool::box}).s,
    stored<GLYPHLOOM_FIELD(ovalOptions.filled), &P::ovalFilled>("ovalOptions.filled")
        .toggle(ToggleSetting::ovalFilled)
        .samples({Tool::oval})
        .s,
    stored<GLYPHLOOM_FIELD(ovalOptions.outline), &P::ovalOutline>("ovalOptions.outline")
        .toggle(ToggleSetting::ovalOutline)
        .samples({Tool::oval})
        .s,
    stored<GLYPHLOOM_FIELD(ovalOptions.drawMode), &P::ovalDrawMode>("ovalOptions.drawMode").samples({Tool::oval}).s,
    stored<GLYPHLOOM_FIELD(ovalOptions.thickness), &P::ovalThickness>("ovalOptions.thickness")
        .range(1, 4)
        .samples({Tool::oval})
        .s,
    coded<GLYPHLOOM_FIELD(fillMode)>("fillMode", applyFillMode, captureFillMode).samples({Tool::fill}).s,
    always<GLYPHLOOM_FIELD(shapeFill), &P::shapeFillTUI>("shapeFill").samples({Tool::box, Tool::oval}).s,
    setting<GLYPHLOOM_FIELD(shapeFill.enabled)>("shapeFill.enabled")
        .toggle(ToggleSetting::ownFill, "Own fill", tool, shapeFillTools)
        .s,

    // Spray.
    stored<GLYPHLOOM_FIELD(sprayRadius), &P::sprayRadius>("sprayRadius")
        .range(1, 8)
        .stepper(StepperId::sprayRadius, "Radius", tool, {Tool::spray})
        .samples({Tool::spray})
        .s,
    stored<GLYPHLOOM_FIELD(sprayDensity), &P::sprayDensity>("sprayDensity")
        .range(1, 20)
        .stepper(StepperId::sprayDensity, "Density", tool, {Tool::spray})
        .samples({Tool::spray})
        .s,
    coded<GLYPHLOOM_FIELD(sprayVariance)>("sprayVariance", applySprayVariance, captureSprayVariance)
        .range(0, 100)
        .stepper(StepperId::sprayVary, "Vary %", tool, {Tool::spray})
        .samples({Tool::spray})
        .s,
    stored<GLYPHLOOM_FIELD(sprayTargetBG), &P::sprayTargetBG>("sprayTargetBG")
        .toggle(ToggleSetting::sprayBG, "Spray BG", tool, {Tool::spray})
        .samples({Tool::spray})
        .s,
    stored<GLYPHLOOM_FIELD(velSprayDensity), &P::simulatedPressureControlsSpray>("velSprayDensity")
        .toggle(ToggleSetting::velSpray, "Vel → density", tool, {Tool::spray})
        .samples({Tool::spray})
        .s,

    // Dodge and burn, prism, scatter.
    scaled<GLYPHLOOM_FIELD(dodgeBurnStrength), &P::dodgeBurnStrength, 100, 1>("dodgeBurnStrength")
        .range(1, 100)
        .stepping(2, 50)
        .stepper(StepperId::dbStrength, "Strength", tool, dodgeAndBurn)
        .samples(dodgeAndBurn)
        .s,
    stored<GLYPHLOOM_FIELD(velDodgeBurn), &P::simulatedPressureControlsDodgeBurn>("velDodgeBurn")
        .toggle(ToggleSetting::velDB, "Vel → strength", tool, dodgeAndBurn)
        .samples(dodgeAndBurn)
        .s,
    stored<GLYPHLOOM_FIELD(dodgeBurnFG), &P::dodgeBurnTargetFG>("dodgeBurnFG")
        .toggle(ToggleSetting::dbFG)
        .samples(dodgeAndBurn)
        .s,
    stored<GLYPHLOOM_FIELD(dodgeBurnBG), &P::dodgeBurnTargetBG>("dodgeBurnBG")
        .toggle(ToggleSetting::dbBG)
        .samples(dodgeAndBurn)
        .s,
    scaled<GLYPHLOOM_FIELD(prismSteps), &P::prismAngle, 1, 60>("prismSteps")
        .range(1, 3)
        .stepper(StepperId::prismSteps, "Steps", tool, {Tool::prism})
        .samples({Tool::prism})
        .s,
    stored<GLYPHLOOM_FIELD(velPrism), &P::simulatedPressureControlsPrism>("velPrism")
        .toggle(ToggleSetting::velPrism, "Vel → steps", tool, {Tool::prism})
        .samples({Tool::prism})
        .s,
    stored<GLYPHLOOM_FIELD(prismFG), &P::prismTargetFG>("prismFG").toggle(ToggleSetting::prFG).samples({Tool::prism}).s,
    stored<GLYPHLOOM_FIELD(prismBG), &P::prismTargetBG>("prismBG").toggle(ToggleSetting::prBG).samples({Tool::prism}).s,
    scaled<GLYPHLOOM_FIELD(scatterVariance), &P::scatterVariance, 100, 1>("scatterVariance")
        .range(0, 100)
        .stepping(2, 100)
        .stepper(StepperId::scVariance, "Variance", tool, {Tool::scatter})
        .samples({Tool::scatter})
        .s,
    stored<GLYPHLOOM_FIELD(velScatter), &P::simulatedPressureControlsScatter>("velScatter")
        .toggle(ToggleSetting::velScatter, "Vel → variance", tool, {Tool::scatter})
        .samples({Tool::scatter})
        .s,
    stored<GLYPHLOOM_FIELD(brushRounded), &P::brushRounded>("brushRounded")
        .toggle(ToggleSetting::round, "Round brush", tool, {Tool::scatter})
        .samples(brushTools)
        .s,
    stored<GLYPHLOOM_FIELD(scatterFG), &P::scatterTargetFG>("scatterFG")
        .toggle(ToggleSetting::scFG)
        .samples({Tool::scatter})
        .s,
    stored<GLYPHLOOM_FIELD(scatterBG), &P::scatterTargetBG>("scatterBG")
        .toggle(ToggleSetting::scBG)
        .samples({Tool::scatter})
        .s,

    // Text.
    stored<GLYPHLOOM_FIELD(textScale), &P::fontScale>("textScale").range(1, 3).s,
    stored<GLYPHLOOM_FIELD(textDirection), &P::textTypeDirection>("textDirection").s,

    // Fades: the cycles and random pools of the pen's ink.
    always<GLYPHLOOM_FIELD(fgCycleStep), &P::fgCycleStep>("fgCycleStep")
        .range(1, unlimited)
        .stepping(1, 20)
        .stepper(StepperId::fadeFgStep, "FG step", fades)
        .samples(inkTools)
        .s,
    always<GLYPHLOOM_FIELD(bgCycleStep), &P::bgCycleStep>("bgCycleStep")
        .range(1, unlimited)
        .stepping(1, 20)
        .stepper(StepperId::fadeBgStep, "BG step", fades)
        .samples(inkTools)
        .s,
    always<GLYPHLOOM_FIELD(charCycleStep), &P::charCycleStep>("charCycleStep")
        .range(1, unlimited)
        .stepping(1, 20)
        .stepper(StepperId::fadeChStep, "Char step", fades)
        .samples(inkTools)
        .s,
    stored<GLYPHLOOM_FIELD(colorCycleResetPerStroke), &P::colorCycleResetPerStroke>("colorCycleResetPerStroke")
        .toggle(ToggleSetting::fadeColReset, "Colors reset/stroke", fades)
        .samples(inkTools)
        .s,
    stored<GLYPHLOOM_FIELD(charCycleResetPerStroke), &P::charCycleResetPerStroke>("charCycleResetPerStroke")
        .toggle(ToggleSetting::fadeChReset, "Chars reset/stroke", fades)
        .samples(inkTools)
        .s,
    stored<GLYPHLOOM_FIELD(charCycleForward), &P::charCycleForward>("charCycleForward")
        .toggle(ToggleSetting::fadeChFwd, "Char forward", fades)
        .samples(inkTools)
        .s,
    stored<GLYPHLOOM_FIELD(charCycleWrap), &P::charCycleWrap>("charCycleWrap")
        .toggle(ToggleSetting::fadeChWrap, "Char wrap", fades)
        .samples(inkTools)
        .s,
    always<GLYPHLOOM_FIELD(fgCycle), &P::foregroundCycle>("fgCycle").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(fgCyclePool), &P::fgCycleColors>("fgCyclePool").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(bgCycle), &P::backgroundCycle>("bgCycle").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(bgCyclePool), &P::bgCycleColors>("bgCyclePool").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(fgRandom), &P::foregroundRandom>("fgRandom").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(fgRandomPool), &P::fgRandomColors>("fgRandomPool").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(bgRandom), &P::backgroundRandom>("bgRandom").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(bgRandomPool), &P::bgRandomColors>("bgRandomPool").samples(inkTools).s,
    always<GLYPHLOOM_FIELD(charCycle), &P::characterCycle>("charCycle").samples(inkTools).s,
    coded<GLYPHLOOM_FIELD(charCyclePool)>("charCyclePool", applyCharCyclePool, captureCharCyclePool)
        .samples(inkTools)
        .s,
    always<GLYPHLOOM_FIELD(charRandom), &P::characterRandom>("charRandom").samples(inkTools).s,
    coded<GLYPHLOOM_FIELD(charRandomGroups)>("charRandomGroups", applyCharGroups, captureCharGroups)
        .samples(inkTools)
        .s,
    coded<GLYPHLOOM_FIELD(charRandomPool)>("charRandomPool", applyCharRandomPool, captureCharRandomPool)
        .samples(inkTools)
        .s,

    // Panspect.
    setting<GLYPHLOOM_FIELD(autoPan)>("autoPan").toggle(ToggleSetting::autoPan).s,
};

#undef GLYPHLOOM_FIELD

// Every toggle and every stepper but the palette's mix channels is a tool setting's control,
// each of exactly one row.
constexpr bool everyControlHasOneRow() {
    for (int i = 0; i <= static_cast<int>(ToggleSetting::fadeChWrap); ++i) {
        int rows = 0;
        for (const ToolSetting& row : table) rows += row.toggle == static_cast<ToggleSetting>(i);
        if (rows != 1) return false;
    }
    for (int i = 0; i <= static_cast<int>(StepperId::tcL); ++i) {
        int rows = 0;
        for (const ToolSetting& row : table) rows += row.stepper == static_cast<StepperId>(i);
        if (rows != (i < static_cast<int>(StepperId::tcR) ? 1 : 0)) return false;
    }
    return true;
}
static_assert(everyControlHasOneRow());

}  // namespace

std::span<const ToolSetting> toolSettings() { return table; }

const ToolSetting* settingFor(StepperId id) {
    for (const ToolSetting& row : table)
        if (row.stepper == id) return &row;
    return nullptr;
}

const ToolSetting* settingFor(ToggleSetting id) {
    for (const ToolSetting& row : table)
        if (row.toggle == id) return &row;
    return nullptr;
}

void addToolSettingsKey(const ToolSettings& settings, std::string& key) {
    for (const ToolSetting& row : table)
        if (row.sampleTools.contains(settings.tool)) row.addToKey(settings, key);
}

void applyToolSettings(const TUIPreset& preset, ToolSettings& settings) {
    for (const ToolSetting& row : table)
        if (row.apply) row.apply(row, preset, settings);
}

void captureToolSettings(const ToolSettings& settings, TUIPreset& preset) {
    for (const ToolSetting& row : table)
        if (row.capture) row.capture(settings, preset);
}

}  // namespace glyphloom
