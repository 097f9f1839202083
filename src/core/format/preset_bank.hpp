// The bank of sixteen preset slots as stored data: padding any bank to sixteen slots, where the
// bank file lives, loading it at start-up with its fallbacks (a copy of an unreadable file is
// kept aside, then the built-in bank), and writing it back after a change.
#pragma once

#include <cstddef>
#include <string>

#include "core/format/preset.hpp"

namespace glyphloom {

inline constexpr std::size_t presetSlotCount = 16;

// The first sixteen slots, with empty slots added up to sixteen.
PresetBank padBank(PresetBank bank);

// <settings folder>/presets.json.
std::string presetBankPath();
std::string presetBankPath(const char* xdgConfigHome, const char* home);

// The built-in bank, padded; nothing only if the compiled-in text were broken.
std::optional<PresetBank> builtinPresetBank();

// The first source that yields a bank: the bank file; then the built-in bank; then sixteen
// empty slots. A bank file that exists but is not a bank is copied aside first (see
// keepDamagedCopy). Never writes the bank file itself.
PresetBank loadPresets();
PresetBank loadPresets(const std::string& path);
// The same; `note` gets what the user should hear once: where a damaged file was set aside,
// or why it could not be.
PresetBank loadPresets(const std::string& path, std::string& note);

// Creates the folder and writes the bank atomically. Returns an empty string on success, else
// the reason; the editor ignores it (the bank in memory stays as it is).
std::string persistPresetBank(const PresetBank& bank);
std::string persistPresetBank(const PresetBank& bank, const std::string& path);

}  // namespace glyphloom
