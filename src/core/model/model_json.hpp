// JSON tree coding of colours, cells, layer kinds and layers: the building blocks that the
// layered document and the preset files embed, and the helpers every JSON reader shares.
// Only the .cpp files that read or write JSON include this; headers keep to the program's
// own types. Decoding is lenient where older or foreign
// files may differ (missing keys take defaults, colours never fail) and strict where a
// wrong type means the data is not ours (a cell whose character is a number).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

#include "core/model/json_text.hpp"
#include "core/model/layer.hpp"

namespace glyphloom {

nlohmann::json toJSON(const ANSIColorValue& color);
nlohmann::json toJSON(const ANSICell& cell);
nlohmann::json toJSON(const LayerKind& kind);
nlohmann::json toJSON(const Layer& layer);

// Never fails: anything unreadable becomes ansi16(15); a known type with a missing or bad
// number takes that type's own fallback (palette 15, index 0, channel 0).
ANSIColorValue colorFromJSON(const nlohmann::json& json);
// Nothing when a present key has the wrong type or the value is not an object.
std::optional<ANSICell> cellFromJSON(const nlohmann::json& json);
// Never fails: unreadable kinds are drawing layers.
LayerKind layerKindFromJSON(const nlohmann::json& json);
// Nothing when "cells" is missing or any cell fails; every other key has a default.
std::optional<Layer> layerFromJSON(const nlohmann::json& json);
// Every key of a layer object but "cells", for a reader that has decoded the cells itself.
Layer layerFromJSON(const nlohmann::json& json, CellGrid cells);

// A colour from the parts of its object: `type` when it is a string, each number when it is
// a whole number. The rules of colorFromJSON, for readers that do not build a tree.
ANSIColorValue colorFromParts(std::optional<std::string_view> type, std::optional<std::int64_t> n,
                              std::optional<std::int64_t> r, std::optional<std::int64_t> g,
                              std::optional<std::int64_t> b);

// Rows of cell objects; nothing unless every row is an array of decodable cells.
std::optional<CellGrid> gridFromJSON(const nlohmann::json& json);
nlohmann::json toJSON(const CellGrid& grid);

// The value of `key` in a JSON object, or nullptr when it is absent or null (as an optional
// field would be).
const nlohmann::json* presentValue(const nlohmann::json& object, const char* key);

// The JSON value as a whole number when it is one (an integral float counts), else nothing.
std::optional<std::int64_t> jsonInteger(const nlohmann::json& json);

// Any JSON number as an int: fractions cut toward zero, values beyond the int range held at
// its ends (5.5 → 5, 1e300 → INT_MAX). Nothing for values that are not numbers.
std::optional<int> jsonSaturatedInt(const nlohmann::json& json);

// The next value as a JSON tree (nothing when malformed): for the small values around the cells.
std::optional<nlohmann::json> readTreeJSON(JsonReader& in);

}  // namespace glyphloom
