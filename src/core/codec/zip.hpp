// Reading the members of a ZIP archive (stored and deflated members only; no encryption, no
// ZIP64). A member that is damaged, lies about its size or uses another method is left out;
// the others still come back. Nothing here throws or trusts an unchecked length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace glyphloom {

struct ZipEntry {
    std::string name;  // as stored in the archive, folders included
    std::vector<std::uint8_t> data;
    friend bool operator==(const ZipEntry&, const ZipEntry&) = default;
};

// The most one member may expand to. Font files are a few hundred kilobytes at most.
inline constexpr std::size_t zipMemberLimit = std::size_t{16} << 20;
// The most all members together may expand to.
inline constexpr std::size_t zipTotalLimit = std::size_t{64} << 20;

// The file members in archive order (folder entries are left out).
std::vector<ZipEntry> extractZipEntries(std::span<const std::uint8_t> data);

}  // namespace glyphloom
