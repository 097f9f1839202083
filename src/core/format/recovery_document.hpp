// A recovery copy is a layered document with one extra top-level key, "recovery", telling
// where the work belongs (its name, folder, the file it came from, how it saves). Ordinary
// document readers skip unknown keys, so a copy also opens as a plain .glyphloom. The key is
// written first, so listing copies reads only the head of each file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glyphloom {

struct RecoveryInfo {
    std::string filename = "Untitled";      // the document's base name
    std::optional<std::string> docDir;      // the folder it saves into
    std::optional<std::string> sourcePath;  // the file it was last opened from or saved to
    bool saveAsGlyphloom = false;
    int columns = 0;
    int rows = 0;
    int layerCount = 0;

    friend bool operator==(const RecoveryInfo&, const RecoveryInfo&) = default;
};

// The info as the member a document writer puts in first: `"recovery":{…}`.
std::string recoveryInfoMember(const RecoveryInfo& info);

// The info of a copy; nothing when the data has none or is malformed. Stops reading once the
// info has been seen.
std::optional<RecoveryInfo> readRecoveryInfo(std::span<const std::uint8_t> data);

}  // namespace glyphloom
