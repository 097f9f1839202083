// The JSON tree forms of a preset and a bank, for the .cpp files that read or write them
// (banks as text go through preset.hpp).
#pragma once

#include <optional>

#include <nlohmann/json_fwd.hpp>

#include "core/format/preset.hpp"

namespace glyphloom {

// An object holding only the keys of the fields that are present.
nlohmann::json toJSON(const TUIPreset& preset);
// Every key is optional (null counts as absent). A present key of the wrong JSON type fails
// the whole preset; an unknown enumeration string takes its enumeration's fallback value
// (see EnumStrings) instead.
std::optional<TUIPreset> presetFromJSON(const nlohmann::json& json);

// One element of a bank: decoding never fails, an unusable element just has no value.
struct FailablePreset {
    std::optional<TUIPreset> value;

    static FailablePreset fromJSON(const nlohmann::json& json);
};

// Empty slots are written as null.
nlohmann::json toJSON(const PresetBank& bank);

}  // namespace glyphloom
