#include "core/format/preset.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <type_traits>
#include <utility>
#include <nlohmann/json.hpp>

#include "core/format/sauce_record.hpp"
#include "core/model/json_text.hpp"
#include "core/model/layer_json_text.hpp"
#include "core/model/model_json.hpp"
#include "core/text/utf8.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

namespace glyphloom {

using nlohmann::json;

namespace {

// The one list of preset fields and their keys, in key order. Encoding and decoding both walk
// it, so a field cannot be coded one way and decoded another.
template <class Preset, class Visitor>
void visitFields(Preset& p, Visitor&& v) {
    v("name", p.name);
    v("character", p.character);
    v("foreground", p.foreground);
    v("background", p.background);
    v("tool", p.tool);
    v("penLineStyle", p.penLineStyle);
    v("foregroundCycle", p.foregroundCycle);
    v("fgCycleColors", p.fgCycleColors);
    v("fgCycleStep", p.fgCycleStep);
    v("foregroundRandom", p.foregroundRandom);
    v("fgRandomColors", p.fgRandomColors);
    v("backgroundCycle", p.backgroundCycle);
    v("bgCycleColors", p.bgCycleColors);
    v("bgCycleStep", p.bgCycleStep);
    v("backgroundRandom", p.backgroundRandom);
    v("bgRandomColors", p.bgRandomColors);
    v("characterCycle", p.characterCycle);
    v("charCycleSequence", p.charCycleSequence);
    v("charCycleStep", p.charCycleStep);
    v("characterRandom", p.characterRandom);
    v("charRandomGroups", p.charRandomGroups);
    v("charCycleChars", p.charCycleChars);
    v("charRandomChars", p.charRandomChars);
    v("brushSize", p.brushSize);
    v("paintSimulatedPressureControlsSize", p.paintSimulatedPressureControlsSize);
    v("colorCycleResetPerStroke", p.colorCycleResetPerStroke);
    v("charCycleForward", p.charCycleForward);
    v("charCycleWrap", p.charCycleWrap);
    v("charCycleResetPerStroke", p.charCycleResetPerStroke);
    v("lineDrawStyle", p.lineDrawStyle);
    v("lineStitchMode", p.lineStitchMode);
    v("lineThickness", p.lineThickness);
    v("lineThicknessCells", p.lineThicknessCells);
    v("boxFilled", p.boxFilled);
    v("boxOutline", p.boxOutline);
    v("boxPenLine", p.boxPenLine);
    v("boxThickness", p.boxThickness);
    v("boxStyle", p.boxStyle);
    v("ovalFilled", p.ovalFilled);
    v("ovalOutline", p.ovalOutline);
    v("ovalDrawMode", p.ovalDrawMode);
    v("ovalThickness", p.ovalThickness);
    v("sprayRadius", p.sprayRadius);
    v("sprayDensity", p.sprayDensity);
    v("sprayTargetBG", p.sprayTargetBG);
    v("simulatedPressureControlsSpray", p.simulatedPressureControlsSpray);
    v("sprayVariance", p.sprayVariance);
    v("sprayVariancePct", p.sprayVariancePct);
    v("gradientFill", p.gradientFill);
    v("gradientDirection", p.gradientDirection);
    v("shapeFillTUI", p.shapeFillTUI);
    v("symmetryMode", p.symmetryMode);
    v("brushRounded", p.brushRounded);
    v("dodgeBurnStrength", p.dodgeBurnStrength);
    v("dodgeBurnTargetFG", p.dodgeBurnTargetFG);
    v("dodgeBurnTargetBG", p.dodgeBurnTargetBG);
    v("simulatedPressureControlsDodgeBurn", p.simulatedPressureControlsDodgeBurn);
    v("prismAngle", p.prismAngle);
    v("prismTargetFG", p.prismTargetFG);
    v("prismTargetBG", p.prismTargetBG);
    v("simulatedPressureControlsPrism", p.simulatedPressureControlsPrism);
    v("scatterVariance", p.scatterVariance);
    v("scatterTargetFG", p.scatterTargetFG);
    v("scatterTargetBG", p.scatterTargetBG);
    v("simulatedPressureControlsScatter", p.simulatedPressureControlsScatter);
    v("fontScale", p.fontScale);
    v("textTypeDirection", p.textTypeDirection);
}

// --- encoding, one overload per field type ---

json encode(const std::string& s) { return s; }
json encode(bool b) { return b; }
json encode(int n) { return n; }
json encode(double d) { return d; }
json encode(const ANSIColorValue& c) { return toJSON(c); }
json encode(const BrushSize& b) { return toJSON(b); }
json encode(const OvalDrawMode& m) { return toJSON(m); }
json encode(const ShapeFillStyle& s) { return toJSON(s); }
template <class E>
    requires std::is_enum_v<E>
json encode(E e) {
    return enumToJSON(e);
}
template <class T>
json encode(const std::vector<T>& items) {
    json out = json::array();
    for (const auto& item : items) out.push_back(encode(item));
    return out;
}

// --- decoding: false means the value has the wrong JSON type ---

bool decode(const json& j, std::string& out) {
    if (!j.is_string()) return false;
    out = j.get<std::string>();
    return true;
}
bool decode(const json& j, bool& out) {
    if (!j.is_boolean()) return false;
    out = j.get<bool>();
    return true;
}
bool decode(const json& j, int& out) {
    // Whole numbers only (3.0 counts, 3.5 does not). Beyond the machine integer range the
    // value is limited rather than refused: it is still a number.
    const auto n = jsonInteger(j);
    if (!n) return false;
    constexpr std::int64_t low = std::numeric_limits<int>::min();
    constexpr std::int64_t high = std::numeric_limits<int>::max();
    out = static_cast<int>(std::clamp<std::int64_t>(*n, low, high));
    return true;
}
bool decode(const json& j, double& out) {
    if (!j.is_number()) return false;
    out = j.get<double>();
    return true;
}
bool decode(const json& j, ANSIColorValue& out) {
    out = colorFromJSON(j);  // colours never fail
    return true;
}
bool decode(const json& j, BrushSize& out) {
    auto v = brushSizeFromJSON(j);
    if (v) out = *v;
    return v.has_value();
}
bool decode(const json& j, OvalDrawMode& out) {
    auto v = ovalDrawModeFromJSON(j);
    if (v) out = *v;
    return v.has_value();
}
bool decode(const json& j, ShapeFillStyle& out) {
    auto v = shapeFillStyleFromJSON(j);
    if (v) out = *v;
    return v.has_value();
}
template <class E>
    requires std::is_enum_v<E>
bool decode(const json& j, E& out) {
    auto v = enumFromJSON<E>(j);
    if (v) out = *v;
    return v.has_value();
}
template <class T>
bool decode(const json& j, std::vector<T>& out) {
    if (!j.is_array()) return false;
    std::vector<T> items;
    items.reserve(j.size());
    for (const json& element : j) {
        T item{};
        if (!decode(element, item)) return false;
        items.push_back(std::move(item));
    }
    out = std::move(items);
    return true;
}

constexpr std::array<std::pair<Tool, std::string_view>, 17> toolIdentifiers{{
    {Tool::paint, "paintbrush.fill"},
    {Tool::draw, "scribble"},
    {Tool::pen, "pencil.tip"},
    {Tool::eraser, "eraser.fill"},
    {Tool::fill, "drop.fill"},
    {Tool::spray, "aqi.medium"},
    {Tool::line, "line.diagonal"},
    {Tool::box, "rectangle"},
    {Tool::oval, "oval"},
    {Tool::smudge, "hand.point.up.left.fill"},
    {Tool::dodge, "sun.max"},
    {Tool::burn, "moon.fill"},
    {Tool::prism, "camera.filters"},
    {Tool::scatter, "sparkles"},
    {Tool::text, "keyboard"},
    {Tool::select, "rectangle.dashed"},
    {Tool::pans, "eye"},
}};

}  // namespace

json toJSON(const TUIPreset& preset) {
    json out = json::object();
    visitFields(preset, [&out](const char* key, const auto& field) {
        if (field) out[key] = encode(*field);
    });
    return out;
}

std::optional<TUIPreset> presetFromJSON(const json& value) {
    if (!value.is_object()) return std::nullopt;
    TUIPreset preset;
    bool ok = true;
    visitFields(preset, [&](const char* key, auto& field) {
        if (!ok) return;
        auto it = value.find(key);
        if (it == value.end() || it->is_null()) return;
        typename std::remove_reference_t<decltype(field)>::value_type item{};
        if (decode(*it, item))
            field = std::move(item);
        else
            ok = false;
    });
    if (!ok) return std::nullopt;
    return preset;
}

namespace {

// Walked element by element: only the slots kept ever become JSON trees, so a bank file of a
// million slots costs no more memory than its first few.
std::optional<PresetBank> decodeBank(std::string_view data, bool strict, std::size_t keptSlots) {
    try {
        JsonReader in(data);
        in.skipByteOrderMark();
        if (!in.consume('[')) return std::nullopt;
        PresetBank bank;
        if (!in.consume(']')) {
            do {
                if (bank.size() >= keptSlots) {
                    if (!in.skipValue()) return std::nullopt;
                    continue;
                }
                const std::optional<json> element = readTreeJSON(in);
                if (!element) return std::nullopt;
                std::optional<TUIPreset> preset = FailablePreset::fromJSON(*element).value;
                if (strict && !preset && !element->is_null()) return std::nullopt;
                bank.push_back(std::move(preset));
            } while (in.consume(','));
            if (!in.consume(']')) return std::nullopt;
        }
        if (!in.atEndOfText()) return std::nullopt;
        return bank;
    } catch (const std::exception&) {
        return std::nullopt;  // no memory for what the file holds
    }
}

}  // namespace

std::optional<PresetBank> decodeBankSalvaging(std::string_view data, std::size_t keptSlots) {
    return decodeBank(data, false, keptSlots);
}

std::optional<PresetBank> decodeBankStrictly(std::string_view data) {
    return decodeBank(data, true, std::numeric_limits<std::size_t>::max());
}

json toJSON(const PresetBank& bank) {
    json out = json::array();
    for (const auto& slot : bank) out.push_back(slot ? toJSON(*slot) : json(nullptr));
    return out;
}

std::optional<std::string> encodeBank(const PresetBank& bank) {
    try {
        return toJSON(bank).dump();
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

std::string presetIDForTool(Tool tool) {
    for (const auto& [t, id] : toolIdentifiers)
        if (t == tool) return std::string(id);
    return std::string(toolIdentifiers.front().second);
}

Tool toolForPresetID(std::string_view id) {
    if (id == "magnifyingglass") return Tool::pans;
    for (const auto& [t, known] : toolIdentifiers)
        if (known == id) return t;
    return Tool::paint;
}

std::string presetReadout(const TUIPreset& preset) {
    if (preset.name) {
        std::string name = trimmedWhitespace(*preset.name);
        if (!name.empty()) return name;
    }
    return presetSummary(preset);
}

std::string presetSummary(const TUIPreset& preset) {
    std::vector<std::string> parts;
    parts.push_back(utf8::asciiLowercase(rawValue(toolForPresetID(preset.tool.value_or("paintbrush.fill")))));
    if (preset.characterRandom.value_or(false))
        parts.emplace_back("char random");
    else if (preset.characterCycle.value_or(false))
        parts.emplace_back("char cycle");
    else if (preset.character && *preset.character != " ")
        parts.push_back(*preset.character);
    if (preset.foregroundRandom.value_or(false))
        parts.emplace_back("fg random");
    else if (preset.foregroundCycle.value_or(false))
        parts.emplace_back("fg cycle");
    if (preset.backgroundRandom.value_or(false))
        parts.emplace_back("bg random");
    else if (preset.backgroundCycle.value_or(false))
        parts.emplace_back("bg cycle");
    if (preset.brushSize && preset.brushSize->kind == BrushSize::Kind::cells && preset.brushSize->n >= 2)
        parts.push_back("size " + std::to_string(preset.brushSize->n));
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : " ") + part;
    return text;
}

FailablePreset FailablePreset::fromJSON(const nlohmann::json& json) { return {presetFromJSON(json)}; }

}  // namespace glyphloom
