// ZIP members, read by walking the local file headers from the start of the archive.
//
// Format notes (PKWARE APPNOTE 4.3.7, 4.3.12, 4.3.16). Local header "PK\3\4": +6 flags,
// +8 method, +14 CRC-32, +18 compressed size, +22 uncompressed size, +26 name length,
// +28 extra length, +30 name, then extra, then the data. Flag bit 3 means the sizes and CRC
// are zero here and follow the data in a descriptor; sizes of 0xFFFFFFFF mean ZIP64. In
// both cases the central directory ("PK\1\2": +10 method, +16 CRC, +20 compressed size,
// +24 uncompressed size, +28 name length, +30 extra length, +32 comment length, +42 local
// header offset), found through the end record ("PK\5\6": +12 size, +16 offset), is the
// one to believe. Every member is checked against its size and CRC-32 before it is kept.
#include "core/codec/zip.hpp"

#include <algorithm>
#include <map>
#include <optional>

#include "core/codec/checksum.hpp"
#include "core/codec/inflate.hpp"

namespace glyphloom {
namespace {

constexpr std::size_t localHeaderSize = 30;
constexpr std::size_t centralHeaderSize = 46;
constexpr std::size_t endRecordSize = 22;
constexpr std::size_t maxCommentSize = 0xFFFF;
constexpr std::uint32_t zip64Size = 0xFFFFFFFF;
constexpr std::uint16_t descriptorFlag = 1u << 3;
constexpr std::uint16_t methodStored = 0;
constexpr std::uint16_t methodDeflate = 8;

struct Bytes {
    std::span<const std::uint8_t> data;
    bool has(std::size_t pos, std::size_t count) const { return pos <= data.size() && count <= data.size() - pos; }
    std::uint16_t u16(std::size_t pos) const { return static_cast<std::uint16_t>(data[pos] | data[pos + 1] << 8); }
    std::uint32_t u32(std::size_t pos) const {
        return static_cast<std::uint32_t>(data[pos]) | static_cast<std::uint32_t>(data[pos + 1]) << 8 |
               static_cast<std::uint32_t>(data[pos + 2]) << 16 | static_cast<std::uint32_t>(data[pos + 3]) << 24;
    }
    bool signature(std::size_t pos, std::uint8_t third, std::uint8_t fourth) const {
        return has(pos, 4) && data[pos] == 'P' && data[pos + 1] == 'K' && data[pos + 2] == third &&
               data[pos + 3] == fourth;
    }
};

struct MemberInfo {
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
};

// The central directory's word on each member, keyed by the offset of its local header.
std::map<std::size_t, MemberInfo> centralDirectory(const Bytes& in) {
    std::map<std::size_t, MemberInfo> members;
    if (in.data.size() < endRecordSize) return members;
    const std::size_t lowest = in.data.size() - endRecordSize - std::min(in.data.size() - endRecordSize, maxCommentSize);
    for (std::size_t end = in.data.size() - endRecordSize + 1; end-- > lowest;) {
        if (!in.signature(end, 5, 6)) continue;
        std::size_t pos = in.u32(end + 16);
        const std::size_t stop = std::min<std::size_t>(end, pos + std::size_t{in.u32(end + 12)});
        while (pos < stop && in.has(pos, centralHeaderSize) && in.signature(pos, 1, 2)) {
            MemberInfo info{in.u16(pos + 10), in.u32(pos + 16), in.u32(pos + 20), in.u32(pos + 24)};
            members[in.u32(pos + 42)] = info;
            pos += centralHeaderSize + std::size_t{in.u16(pos + 28)} + in.u16(pos + 30) + in.u16(pos + 32);
        }
        break;
    }
    return members;
}

// The member's bytes, when they are whole and match their size and CRC; else why not. The
// budget pays for every byte kept and for every byte inflated, whole or not (at most the
// declared size, which bounds the inflater).
std::optional<std::vector<std::uint8_t>> memberData(std::span<const std::uint8_t> stored, const MemberInfo& info,
                                                    std::size_t& budget, const char*& reason) {
    if (info.size > std::min(zipMemberLimit, budget)) {
        reason = "too large";
        return std::nullopt;
    }
    reason = "damaged";
    std::optional<std::vector<std::uint8_t>> out;
    if (info.method == methodStored) {
        if (stored.size() != info.size || crc32(stored) != info.crc) return std::nullopt;
        out.emplace(stored.begin(), stored.end());
        budget -= info.size;
    } else if (info.method == methodDeflate) {
        budget -= info.size;
        // Checked first in a small window, so a member that fails its CRC never gets the
        // memory of its declared size.
        const auto check = inflateRawCheck(stored, info.size);
        if (!check || check->size != info.size || check->crc != info.crc) return std::nullopt;
        out = inflateRaw(stored, info.size, info.size);
        if (out && out->size() != info.size) out.reset();
    }
    return out;
}

}  // namespace

ZipContents readZipArchive(std::span<const std::uint8_t> data) {
    const Bytes in{data};
    ZipContents contents;
    std::optional<std::map<std::size_t, MemberInfo>> directory;  // read only when needed
    std::size_t budget = zipTotalLimit;
    std::size_t pos = 0;
    while (in.has(pos, localHeaderSize)) {
        if (!in.signature(pos, 3, 4)) {
            ++pos;
            continue;
        }
        const std::uint16_t flags = in.u16(pos + 6);
        MemberInfo info{in.u16(pos + 8), in.u32(pos + 14), in.u32(pos + 18), in.u32(pos + 22)};
        const std::size_t nameLength = in.u16(pos + 26);
        const std::size_t dataStart = pos + localHeaderSize + nameLength + in.u16(pos + 28);
        if (!in.has(pos + localHeaderSize, nameLength) || dataStart > data.size()) break;
        const std::string name(reinterpret_cast<const char*>(data.data() + pos + localHeaderSize), nameLength);

        const bool sizesElsewhere =
            (flags & descriptorFlag) != 0 || info.compressedSize == zip64Size || info.size == zip64Size;
        if (sizesElsewhere) {
            if (!directory) directory = centralDirectory(in);
            const auto found = directory->find(pos);
            const bool usable = found != directory->end() && found->second.compressedSize != zip64Size &&
                                found->second.size != zip64Size;
            if (!usable) {  // no size to trust: look for the next header
                if (!name.empty() && name.back() != '/') contents.skipped.push_back({name, "damaged"});
                pos = dataStart;
                continue;
            }
            info = found->second;
        }
        if (!in.has(dataStart, info.compressedSize)) {
            if (!name.empty() && name.back() != '/') contents.skipped.push_back({name, "damaged"});
            pos += 4;
            continue;
        }
        const auto stored = data.subspan(dataStart, info.compressedSize);
        pos = dataStart + info.compressedSize;
        if (name.empty() || name.back() == '/') continue;
        const char* reason = nullptr;
        if (auto bytes = memberData(stored, info, budget, reason)) contents.entries.push_back({name, std::move(*bytes)});
        else contents.skipped.push_back({name, reason});
    }
    return contents;
}

std::vector<ZipEntry> extractZipEntries(std::span<const std::uint8_t> data) { return readZipArchive(data).entries; }

}  // namespace glyphloom
