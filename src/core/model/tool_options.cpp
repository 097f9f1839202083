#include "core/model/tool_options.hpp"
#include "core/model/tool_options_json.hpp"

#include <limits>
#include <nlohmann/json.hpp>

#include "core/model/model_json.hpp"

namespace glyphloom {

using nlohmann::json;

namespace {

std::optional<std::string> typeWord(const json& object) {
    const json* type = presentValue(object, "type");
    if (type == nullptr || !type->is_string()) return std::nullopt;
    return type->get<std::string>();
}

json colorsToJSON(const std::vector<ANSIColorValue>& colors) {
    json out = json::array();
    for (const auto& c : colors) out.push_back(toJSON(c));
    return out;
}

}  // namespace

json toJSON(const BrushSize& size) {
    switch (size.kind) {
        case BrushSize::Kind::cells:
            return {{"type", "cells"}, {"n", size.n}};
        case BrushSize::Kind::quarter:
            return {{"type", "quarter"}};
        case BrushSize::Kind::half:
            return {{"type", "half"}};
    }
    return {};
}

std::optional<BrushSize> brushSizeFromJSON(const json& value) {
    if (!value.is_object()) return std::nullopt;
    const auto type = typeWord(value);
    if (type == "half") return BrushSize::half();
    if (type == "cells") {
        const json* n = presentValue(value, "n");
        const auto count = n ? jsonInteger(*n) : std::nullopt;
        // A count outside the machine integer range is not a usable size either.
        if (count && *count >= std::numeric_limits<int>::min() && *count <= std::numeric_limits<int>::max())
            return BrushSize::cells(static_cast<int>(*count));
        return BrushSize::cells(1);
    }
    return BrushSize::quarter();
}

json toJSON(const OvalDrawMode& mode) {
    switch (mode.kind) {
        case OvalDrawMode::Kind::lines:
            return {{"type", "lines"}, {"style", enumToJSON(mode.style)}};
        case OvalDrawMode::Kind::character:
            return {{"type", "character"}};
        case OvalDrawMode::Kind::blocks:
            return {{"type", "blocks"}};
    }
    return {};
}

std::optional<OvalDrawMode> ovalDrawModeFromJSON(const json& value) {
    if (!value.is_object()) return std::nullopt;
    const auto type = typeWord(value);
    if (type == "blocks") return OvalDrawMode::blocks();
    if (type != "lines") return OvalDrawMode::character();
    const json* style = presentValue(value, "style");
    if (style == nullptr) return OvalDrawMode::lines(BoxStyle::single);
    const auto boxStyle = enumFromJSON<BoxStyle>(*style);
    if (!boxStyle) return std::nullopt;
    return OvalDrawMode::lines(*boxStyle);
}

json toJSON(const ShapeFillStyle& style) {
    json pool = json::array();
    for (const auto& ch : style.charPool) pool.push_back(ch);
    return {{"enabled", style.enabled},
            {"charMode", enumToJSON(style.charMode)},
            {"char", style.character},
            {"charPool", std::move(pool)},
            {"fgMode", enumToJSON(style.fgMode)},
            {"fg", toJSON(style.fg)},
            {"fgPool", colorsToJSON(style.fgPool)},
            {"bgMode", enumToJSON(style.bgMode)},
            {"bg", toJSON(style.bg)},
            {"bgPool", colorsToJSON(style.bgPool)}};
}

std::optional<ShapeFillStyle> shapeFillStyleFromJSON(const json& value) {
    if (!value.is_object()) return std::nullopt;
    ShapeFillStyle style;
    if (const json* v = presentValue(value, "enabled"); v && v->is_boolean()) style.enabled = v->get<bool>();
    auto mode = [&value](const char* key, FillChannelMode& out) {
        if (const json* v = presentValue(value, key))
            if (auto m = enumFromJSON<FillChannelMode>(*v)) out = *m;
    };
    auto colors = [&value](const char* key, std::vector<ANSIColorValue>& out) {
        const json* v = presentValue(value, key);
        if (v == nullptr || !v->is_array()) return;
        std::vector<ANSIColorValue> read;
        for (const json& item : *v) read.push_back(colorFromJSON(item));
        out = std::move(read);
    };
    mode("charMode", style.charMode);
    if (const json* v = presentValue(value, "char"); v && v->is_string()) style.character = v->get<std::string>();
    if (const json* v = presentValue(value, "charPool"); v && v->is_array()) {
        std::vector<std::string> read;
        bool readable = true;
        for (const json& item : *v) {
            if (!item.is_string()) {
                readable = false;
                break;
            }
            read.push_back(item.get<std::string>());
        }
        if (readable) style.charPool = std::move(read);
    }
    mode("fgMode", style.fgMode);
    if (const json* v = presentValue(value, "fg")) style.fg = colorFromJSON(*v);
    colors("fgPool", style.fgPool);
    mode("bgMode", style.bgMode);
    if (const json* v = presentValue(value, "bg")) style.bg = colorFromJSON(*v);
    colors("bgPool", style.bgPool);
    return style;
}

}  // namespace glyphloom
