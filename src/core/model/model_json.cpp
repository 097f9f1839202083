#include "core/model/model_json.hpp"
#include "core/model/tool_options_json.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

namespace glyphloom {

using nlohmann::json;

namespace {

int clampedInt(std::int64_t value, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

}  // namespace

const json* presentValue(const json& object, const char* key) {
    if (!object.is_object()) return nullptr;
    auto it = object.find(key);
    if (it == object.end() || it->is_null()) return nullptr;
    return &*it;
}

std::optional<std::int64_t> jsonInteger(const json& value) {
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
        return static_cast<std::int64_t>(u);
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_float()) {
        const double d = value.get<double>();
        // 2^63 itself is out of range; everything strictly inside converts exactly when integral.
        if (std::isfinite(d) && std::trunc(d) == d && d >= -9.2233720368547758e18 && d < 9.2233720368547758e18)
            return static_cast<std::int64_t>(d);
    }
    return std::nullopt;
}

std::optional<int> jsonSaturatedInt(const json& value) {
    constexpr int low = std::numeric_limits<int>::min();
    constexpr int high = std::numeric_limits<int>::max();
    if (value.is_number_unsigned()) return static_cast<int>(std::min<std::uint64_t>(value.get<std::uint64_t>(), high));
    if (value.is_number_integer()) return static_cast<int>(std::clamp<std::int64_t>(value.get<std::int64_t>(), low, high));
    if (value.is_number_float()) {
        const double d = value.get<double>();
        if (std::isnan(d)) return 0;
        if (d <= low) return low;
        if (d >= high) return high;
        return static_cast<int>(d);
    }
    return std::nullopt;
}

json toJSON(const ANSIColorValue& color) {
    switch (color.kind) {
        case ANSIColorValue::Kind::ansi16:
            return {{"type", "ansi16"}, {"n", color.n}};
        case ANSIColorValue::Kind::ansi256:
            return {{"type", "ansi256"}, {"n", color.n}};
        case ANSIColorValue::Kind::truecolor:
            return {{"type", "truecolor"}, {"r", color.r}, {"g", color.g}, {"b", color.b}};
    }
    return {};
}

ANSIColorValue colorFromJSON(const json& value) {
    // Older files stored a bare palette number.
    if (auto k = jsonInteger(value)) return ANSIColorValue::ansi16(clampedInt(*k, 0, 15));
    if (!value.is_object()) return ANSIColorValue::ansi16(15);
    const json* type = presentValue(value, "type");
    if (type == nullptr || !type->is_string()) return ANSIColorValue::ansi16(15);

    auto integerKey = [&value](const char* key) -> std::optional<std::int64_t> {
        const json* field = presentValue(value, key);
        return field ? jsonInteger(*field) : std::nullopt;
    };
    return colorFromParts(type->get_ref<const std::string&>(), integerKey("n"), integerKey("r"), integerKey("g"),
                          integerKey("b"));
}

ANSIColorValue colorFromParts(std::optional<std::string_view> type, std::optional<std::int64_t> n,
                              std::optional<std::int64_t> r, std::optional<std::int64_t> g,
                              std::optional<std::int64_t> b) {
    if (!type) return ANSIColorValue::ansi16(15);
    if (*type == "ansi16") return ANSIColorValue::ansi16(clampedInt(n.value_or(15), 0, 15));
    if (*type == "ansi256") return ANSIColorValue::ansi256(clampedInt(n.value_or(0), 0, 255));
    if (*type == "truecolor") {
        auto component = [](std::optional<std::int64_t> v) -> std::uint8_t {
            return (v && *v >= 0 && *v <= 255) ? static_cast<std::uint8_t>(*v) : 0;
        };
        return ANSIColorValue::truecolor(component(r), component(g), component(b));
    }
    return ANSIColorValue::ansi16(15);
}

json toJSON(const ANSICell& cell) {
    json out = {{"character", cell.character.str()},
                {"foreground", toJSON(cell.foreground)},
                {"background", toJSON(cell.background)}};
    if (cell.blink) out["blink"] = true;
    return out;
}

std::optional<ANSICell> cellFromJSON(const json& value) {
    if (!value.is_object()) return std::nullopt;
    ANSICell cell;
    if (const json* character = presentValue(value, "character")) {
        if (!character->is_string()) return std::nullopt;
        cell.character = CellChar(character->get_ref<const std::string&>());
    }
    if (const json* fg = presentValue(value, "foreground")) cell.foreground = colorFromJSON(*fg);
    if (const json* bg = presentValue(value, "background")) cell.background = colorFromJSON(*bg);
    if (const json* blink = presentValue(value, "blink")) {
        if (!blink->is_boolean()) return std::nullopt;
        cell.blink = blink->get<bool>();
    }
    return cell;
}

json toJSON(const LayerKind& kind) {
    if (kind.kind == LayerKind::Kind::terminal) return {{"type", "terminal"}, {"shellPath", kind.shellPath}};
    return {{"type", "drawing"}};
}

LayerKind layerKindFromJSON(const json& value) {
    if (!value.is_object()) return LayerKind::drawing();
    const json* type = presentValue(value, "type");
    if (type == nullptr || !type->is_string() || type->get_ref<const std::string&>() != "terminal")
        return LayerKind::drawing();
    const json* path = presentValue(value, "shellPath");
    return LayerKind::terminal(path && path->is_string() ? path->get<std::string>() : "/bin/sh");
}

json toJSON(const CellGrid& grid) {
    json rows = json::array();
    for (int r = 0; r < grid.rowCount(); ++r) {
        json row = json::array();
        for (const ANSICell& cell : grid.row(r)) row.push_back(toJSON(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<CellGrid> gridFromJSON(const json& value) {
    if (!value.is_array()) return std::nullopt;
    std::vector<CellGrid::Row> rows;
    rows.reserve(value.size());
    for (const json& row : value) {
        if (!row.is_array()) return std::nullopt;
        CellGrid::Row cells;
        cells.reserve(row.size());
        for (const json& item : row) {
            auto cell = cellFromJSON(item);
            if (!cell) return std::nullopt;
            cells.push_back(*cell);
        }
        rows.push_back(std::move(cells));
    }
    return CellGrid(std::move(rows));
}

json toJSON(const Layer& layer) {
    return {{"id", layer.id.str()},
            {"name", layer.name},
            {"visible", layer.visible},
            {"cells", toJSON(layer.cells)},
            {"rowOffset", layer.rowOffset},
            {"colOffset", layer.colOffset},
            {"kind", toJSON(layer.kind)},
            {"historyEnabled", layer.historyEnabled}};
}

std::optional<Layer> layerFromJSON(const json& value) {
    if (!value.is_object()) return std::nullopt;
    const json* cellsValue = presentValue(value, "cells");
    if (cellsValue == nullptr) return std::nullopt;
    auto cells = gridFromJSON(*cellsValue);
    if (!cells) return std::nullopt;
    return layerFromJSON(value, std::move(*cells));
}

Layer layerFromJSON(const json& value, CellGrid cells) {
    Layer layer;
    layer.cells = std::move(cells);
    const json* id = presentValue(value, "id");
    std::optional<Uuid> parsed = (id && id->is_string()) ? Uuid::parse(id->get_ref<const std::string&>()) : std::nullopt;
    layer.id = parsed.value_or(Uuid::random());

    const json* name = presentValue(value, "name");
    layer.name = (name && name->is_string()) ? name->get<std::string>() : "Layer";
    const json* visible = presentValue(value, "visible");
    layer.visible = (visible && visible->is_boolean()) ? visible->get<bool>() : true;
    auto offset = [&value](const char* key) {
        const json* field = presentValue(value, key);
        const auto v = field ? jsonInteger(*field) : std::nullopt;
        return v ? clampedLayerOffset(*v) : 0;
    };
    layer.rowOffset = offset("rowOffset");
    layer.colOffset = offset("colOffset");
    if (const json* kind = presentValue(value, "kind")) layer.kind = layerKindFromJSON(*kind);
    const json* history = presentValue(value, "historyEnabled");
    layer.historyEnabled = (history && history->is_boolean()) ? history->get<bool>() : false;
    return layer;
}

std::optional<json> readTreeJSON(JsonReader& in) {
    const auto text = in.valueText();
    if (!text) return std::nullopt;
    json value = json::parse(*text, nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

}  // namespace glyphloom
