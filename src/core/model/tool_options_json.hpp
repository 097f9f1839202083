// The JSON forms of the tool options, for the .cpp files that read or write presets and
// documents.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "core/model/tool_options.hpp"

namespace glyphloom {

// JSON coding of an enumeration: a string. Unknown strings take the enumeration's fallback;
// a value that is not a string (or an unknown string without a fallback) gives nothing,
// which makes the enclosing record fail.
// (The JSON type is a template parameter so that the bodies are only compiled where the
// whole JSON library is included, in the .cpp files that use them.)
template <class E, class Json = nlohmann::json>
Json enumToJSON(E value) {
    return Json(std::string(rawValue(value)));
}
template <class E, class Json = nlohmann::json>
std::optional<E> enumFromJSON(const Json& json) {
    if (!json.is_string()) return std::nullopt;
    if (auto e = fromRawValue<E>(json.template get_ref<const std::string&>())) return e;
    return EnumStrings<E>::fallback;
}

// {"type": "cells", "n": n}, {"type": "quarter"}, {"type": "half"}.
nlohmann::json toJSON(const BrushSize& size);
// Nothing only when the value is not an object; inside one, anything unreadable degrades
// ("cells" without an integer n is one cell, an unknown type is a quarter).
std::optional<BrushSize> brushSizeFromJSON(const nlohmann::json& json);

// {"type": "lines", "style": s}, {"type": "character"}, {"type": "blocks"}.
nlohmann::json toJSON(const OvalDrawMode& mode);
// Nothing when the value is not an object or "style" is present but not a string; an
// unknown type word is `character`, a missing style is `single`.
std::optional<OvalDrawMode> ovalDrawModeFromJSON(const nlohmann::json& json);

// All ten keys.
nlohmann::json toJSON(const ShapeFillStyle& style);
// Nothing only when the value is not an object; each key that is missing or unreadable keeps
// its default.
std::optional<ShapeFillStyle> shapeFillStyleFromJSON(const nlohmann::json& json);

}  // namespace glyphloom
