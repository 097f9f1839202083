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

// A file member that was left out, and why: "damaged" (it fails to inflate, or its size or
// CRC-32 do not match, or it uses another method) or "too large" (past the limits above).
struct SkippedZipMember {
    std::string name;
    std::string reason;
    friend bool operator==(const SkippedZipMember&, const SkippedZipMember&) = default;
};

struct ZipContents {
    std::vector<ZipEntry> entries;  // in archive order (folder entries are left out)
    std::vector<SkippedZipMember> skipped;
};

// Every byte a member inflates to counts against zipTotalLimit, kept or not: an archive of
// damaged members cannot make the reader inflate more than one good archive would.
ZipContents readZipArchive(std::span<const std::uint8_t> data);
// The members kept.
std::vector<ZipEntry> extractZipEntries(std::span<const std::uint8_t> data);

}  // namespace glyphloom
