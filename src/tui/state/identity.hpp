// The user's identity file (identity.json in the configuration folder): the SAUCE author and
// group and the save options that go with them. Written atomically; a failed write leaves the
// previous file and the editor's own values as they were, and says why.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tui/state/app_state.hpp"

namespace glyphloom {

struct SauceIdentity {
    std::string author;
    std::string group;
    std::optional<bool> utf8Companion;
    std::optional<bool> pngOnSave;
    std::optional<bool> txtOnSave;
    std::optional<int> fkeyBank;
    std::optional<bool> writeSauce;
    friend bool operator==(const SauceIdentity&, const SauceIdentity&) = default;
};

// Keys in the order author, group, then the optional ones that are present.
std::string encodeIdentity(const SauceIdentity& identity);
// Nothing unless the text is a JSON object; mistyped keys count as missing.
std::optional<SauceIdentity> decodeIdentity(std::string_view text);

// The identity as the editor starts with it.
struct LoadedIdentity {
    std::string author;
    std::string group;
    bool utf8 = false;
    bool png = false;
    bool txt = false;
    int bank = 0;  // F-key bank, 0…3
    bool sauce = false;
    // For the user, once: a damaged file was set aside (or could not be).
    std::string note;
    friend bool operator==(const LoadedIdentity&, const LoadedIdentity&) = default;
};

// $XDG_CONFIG_HOME/glyphloom/identity.json, else ~/.config/glyphloom/identity.json.
std::string identityPath();
std::string identityPath(const char* xdgConfigHome, const char* home);

// Defaults when the file is missing or unreadable. A file that is there but is not an
// identity is first copied aside as path + ".corrupt" (see keepDamagedCopy).
LoadedIdentity loadSauceIdentity();
LoadedIdentity loadSauceIdentity(const std::string& path);
// Copies a loaded identity into the editor state.
void applySauceIdentity(const LoadedIdentity& identity, AppState& state);

// Writes the state's identity and save options. Empty on success, else the reason.
std::string persistSauceIdentity(const AppState& state);
std::string persistSauceIdentity(const AppState& state, const std::string& path);

}  // namespace glyphloom
