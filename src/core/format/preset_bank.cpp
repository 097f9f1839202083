#include "core/format/preset_bank.hpp"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "core/format/builtin_presets.hpp"
#include "core/io/file_io.hpp"

namespace glyphloom {
namespace {

// Far beyond any real bank (sixteen presets of a few kilobytes each), small enough to read.
constexpr std::size_t maxBankFileBytes = 16 * 1024 * 1024;

// Keeps the unreadable bank file for the user to rescue, never replacing an older copy.
void keepCorruptCopy(const std::string& path, const FileReadResult& file) {
    const std::string backup = path + ".corrupt";
    if (fileExists(backup)) return;
    if (file.data) {
        writeFileAtomically(backup, *file.data);
        return;
    }
    // Too large or unreadable to hold in memory: let the file system copy what it can.
    std::error_code ignored;
    std::filesystem::copy_file(path, backup, std::filesystem::copy_options::none, ignored);
}

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

PresetBank loadPresets(const std::string& path) {
    if (fileExists(path)) {
        const FileReadResult file = readWholeFile(path, maxBankFileBytes);
        if (file.data) {
            if (auto bank = decodeBankSalvaging(*file.data, presetSlotCount)) return padBank(std::move(*bank));
        }
        keepCorruptCopy(path, file);
    }
    // No platform preferences store to import from on this system: straight to the built-in bank.
    if (auto bank = builtinPresetBank()) return std::move(*bank);
    return PresetBank(presetSlotCount);
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
