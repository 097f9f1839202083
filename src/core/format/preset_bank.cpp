#include "core/format/preset_bank.hpp"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "core/format/builtin_presets.hpp"
#include "core/io/damaged_file.hpp"
#include "core/io/file_io.hpp"

namespace glyphloom {
namespace {

// Far beyond any real bank (sixteen presets of a few kilobytes each), small enough to read.
constexpr std::size_t maxBankFileBytes = 16 * 1024 * 1024;

}  // namespace

PresetBank padBank(PresetBank bank) {
    bank.resize(presetSlotCount);
    return bank;
}

std::string presetBankPath(const char* xdgConfigHome, const char* home) {
    return glyphloomConfigFolder(xdgConfigHome, home) + "/presets.json";
}

std::string presetBankPath() { return presetBankPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

std::optional<PresetBank> builtinPresetBank() {
    auto bank = decodeBankSalvaging(builtinPresetBankText());
    if (!bank) return std::nullopt;
    return padBank(std::move(*bank));
}

PresetBank loadPresets(const std::string& path, std::string& note) {
    if (fileExists(path)) {
        const FileReadResult file = readWholeFile(path, maxBankFileBytes);
        if (file.data) {
            if (auto bank = decodeBankSalvaging(*file.data, presetSlotCount)) return padBank(std::move(*bank));
        }
        // Kept for the user to rescue before a preset change writes a fresh bank over it.
        note = damagedFileNote(path, keepDamagedCopy(path, file));
    }
    // No platform preferences store to import from on this system: straight to the built-in bank.
    if (auto bank = builtinPresetBank()) return std::move(*bank);
    return PresetBank(presetSlotCount);
}

PresetBank loadPresets(const std::string& path) {
    std::string ignored;
    return loadPresets(path, ignored);
}

PresetBank loadPresets() { return loadPresets(presetBankPath()); }

std::string persistPresetBank(const PresetBank& bank, const std::string& path) {
    createDirectories(folderOf(path));  // a failure shows up as the write failing
    const auto text = encodeBank(bank);
    if (!text) return "cannot encode the bank";
    return writeFileAtomically(path, *text);
}

std::string persistPresetBank(const PresetBank& bank) { return persistPresetBank(bank, presetBankPath()); }

}  // namespace glyphloom
