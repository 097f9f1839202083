#include "tui/state/identity.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "core/io/damaged_file.hpp"
#include "core/io/file_io.hpp"
#include "core/model/model_json.hpp"

namespace glyphloom {
namespace {

// The F-key glyph banks are numbered 0…3.
constexpr int lastFKeyBank = 3;
// An identity is a few hundred bytes; anything far larger is not ours.
constexpr std::size_t maxIdentityBytes = 1 << 20;

std::optional<bool> boolKey(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_boolean()) return std::nullopt;
    return it->get<bool>();
}

std::string stringKey(const nlohmann::json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

std::string encodeIdentity(const SauceIdentity& identity) {
    nlohmann::ordered_json out;
    out["author"] = identity.author;
    out["group"] = identity.group;
    if (identity.utf8Companion) out["utf8Companion"] = *identity.utf8Companion;
    if (identity.pngOnSave) out["pngOnSave"] = *identity.pngOnSave;
    if (identity.txtOnSave) out["txtOnSave"] = *identity.txtOnSave;
    if (identity.fkeyBank) out["fkeyBank"] = *identity.fkeyBank;
    if (identity.writeSauce) out["writeSauce"] = *identity.writeSauce;
    return out.dump(2) + "\n";
}

std::optional<SauceIdentity> decodeIdentity(std::string_view text) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (!json.is_object()) return std::nullopt;
    SauceIdentity identity;
    identity.author = stringKey(json, "author");
    identity.group = stringKey(json, "group");
    identity.utf8Companion = boolKey(json, "utf8Companion");
    identity.pngOnSave = boolKey(json, "pngOnSave");
    identity.txtOnSave = boolKey(json, "txtOnSave");
    if (const auto it = json.find("fkeyBank"); it != json.end()) {
        if (const auto bank = jsonInteger(*it))
            identity.fkeyBank = static_cast<int>(std::clamp<std::int64_t>(*bank, INT32_MIN, INT32_MAX));
    }
    identity.writeSauce = boolKey(json, "writeSauce");
    return identity;
}

std::string identityPath(const char* xdgConfigHome, const char* home) {
    return glyphloomConfigFolder(xdgConfigHome, home) + "/identity.json";
}

std::string identityPath() { return identityPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

LoadedIdentity loadSauceIdentity(const std::string& path) {
    // There is no platform preferences file to fall back on here: an absent or unreadable
    // identity starts empty.
    LoadedIdentity loaded;
    if (!fileExists(path)) return loaded;
    const FileReadResult file = readWholeFile(path, maxIdentityBytes);
    const auto identity = file.data ? decodeIdentity(std::string_view(
                                          reinterpret_cast<const char*>(file.data->data()), file.data->size()))
                                    : std::nullopt;
    if (!identity) {
        // The first change of author, group or a save option writes a fresh file: keep the
        // damaged one for the user to rescue first.
        loaded.note = damagedFileNote(path, keepDamagedCopy(path, file));
        return loaded;
    }
    loaded.author = identity->author;
    loaded.group = identity->group;
    loaded.utf8 = identity->utf8Companion.value_or(false);
    loaded.png = identity->pngOnSave.value_or(false);
    loaded.txt = identity->txtOnSave.value_or(false);
    // A bank outside the range would index past the banks; keep it within them.
    loaded.bank = std::clamp(identity->fkeyBank.value_or(0), 0, lastFKeyBank);
    loaded.sauce = identity->writeSauce.value_or(false);
    return loaded;
}

LoadedIdentity loadSauceIdentity() { return loadSauceIdentity(identityPath()); }

void applySauceIdentity(const LoadedIdentity& identity, AppState& state) {
    state.sauceAuthor = identity.author;
    state.sauceGroup = identity.group;
    state.exportUTF8 = identity.utf8;
    state.exportPNGOnSave = identity.png;
    state.exportTXTOnSave = identity.txt;
    state.fkeyBankIndex = identity.bank;
    state.doc.writeSauce = identity.sauce;
}

std::string persistSauceIdentity(const AppState& state, const std::string& path) {
    const SauceIdentity identity{state.sauceAuthor,     state.sauceGroup,    state.exportUTF8, state.exportPNGOnSave,
                                 state.exportTXTOnSave, state.fkeyBankIndex, state.doc.writeSauce};
    const std::string folder = folderOf(path);
    if (!createDirectories(folder)) return "cannot create " + folder;
    return writeFileAtomically(path, encodeIdentity(identity));
}

std::string persistSauceIdentity(const AppState& state) { return persistSauceIdentity(state, identityPath()); }

}  // namespace glyphloom
