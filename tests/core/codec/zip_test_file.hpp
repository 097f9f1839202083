// Builds ZIP archives for the reader and import tests: stored or deflated (zlib, which the
// product does not link) members, with a central directory and end record.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glyphloom::zip_test {

struct Member {
    Member(std::string name, std::string data, bool deflate = false, bool descriptor = false, bool zip64Marks = false,
           std::optional<std::uint32_t> lieAboutSize = std::nullopt)
        : name(std::move(name)), data(std::move(data)), deflate(deflate), descriptor(descriptor),
          zip64Marks(zip64Marks), lieAboutSize(lieAboutSize) {}
    std::string name;
    std::string data;
    bool deflate;
    bool descriptor;  // sizes and CRC only after the data and in the directory
    bool zip64Marks;  // sizes 0xFFFFFFFF in the local header
    std::optional<std::uint32_t> lieAboutSize;  // declared uncompressed size, everywhere
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline std::vector<std::uint8_t> rawDeflate(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(deflateBound(&stream, data.size()) + 16);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline std::vector<std::uint8_t> archive(const std::vector<Member>& members) {
    std::vector<std::uint8_t> out, directory;
    for (const Member& m : members) {
        const auto stored = m.deflate ? rawDeflate(m.data) : std::vector<std::uint8_t>(m.data.begin(), m.data.end());
        const auto crc = static_cast<std::uint32_t>(
            ::crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size())));
        const std::uint32_t size = m.lieAboutSize.value_or(static_cast<std::uint32_t>(m.data.size()));
        const std::uint32_t compressed = static_cast<std::uint32_t>(stored.size());
        const auto offset = static_cast<std::uint32_t>(out.size());
        const std::uint16_t flags = m.descriptor ? 8 : 0;
        const std::uint16_t method = m.deflate ? 8 : 0;
        out.insert(out.end(), {'P', 'K', 3, 4});
        put16(out, 20), put16(out, flags), put16(out, method), put16(out, 0), put16(out, 0);
        if (m.descriptor) {
            put32(out, 0), put32(out, 0), put32(out, 0);
        } else if (m.zip64Marks) {
            put32(out, crc), put32(out, 0xFFFFFFFF), put32(out, 0xFFFFFFFF);
        } else {
            put32(out, crc), put32(out, compressed), put32(out, size);
        }
        put16(out, static_cast<std::uint32_t>(m.name.size())), put16(out, 0);
        out.insert(out.end(), m.name.begin(), m.name.end());
        out.insert(out.end(), stored.begin(), stored.end());
        if (m.descriptor) {
            out.insert(out.end(), {'P', 'K', 7, 8});
            put32(out, crc), put32(out, compressed), put32(out, size);
        }
        directory.insert(directory.end(), {'P', 'K', 1, 2});
        put16(directory, 20), put16(directory, 20), put16(directory, flags), put16(directory, method);
        put16(directory, 0), put16(directory, 0);
        put32(directory, crc), put32(directory, compressed), put32(directory, size);
        put16(directory, static_cast<std::uint32_t>(m.name.size())), put16(directory, 0), put16(directory, 0);
        put16(directory, 0), put16(directory, 0), put32(directory, 0), put32(directory, offset);
        directory.insert(directory.end(), m.name.begin(), m.name.end());
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    out.insert(out.end(), {'P', 'K', 5, 6});
    put16(out, 0), put16(out, 0), put16(out, static_cast<std::uint32_t>(members.size()));
    put16(out, static_cast<std::uint32_t>(members.size()));
    put32(out, static_cast<std::uint32_t>(directory.size())), put32(out, directoryOffset), put16(out, 0);
    return out;
}

// Flips a bit of the CRC-32 in the local header of every member called `name`, so that its
// data no longer matches.
inline void breakCRC(std::vector<std::uint8_t>& zip, const std::string& name) {
    for (std::size_t pos = 0; pos + 30 + name.size() <= zip.size(); ++pos) {
        if (zip[pos] != 'P' || zip[pos + 1] != 'K' || zip[pos + 2] != 3 || zip[pos + 3] != 4) continue;
        const std::size_t length = zip[pos + 26] | zip[pos + 27] << 8;
        if (std::string(zip.begin() + static_cast<std::ptrdiff_t>(pos + 30),
                        zip.begin() + static_cast<std::ptrdiff_t>(pos + 30 + length)) == name)
            zip[pos + 14] ^= 1;
    }
}

}  // namespace glyphloom::zip_test
