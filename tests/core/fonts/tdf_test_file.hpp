// Builds TheDraw font files byte by byte for the reader and import tests.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glyphloom::tdf_test {

struct Record {
    Record(std::string name, int type, int spacing, std::map<char, std::vector<std::uint8_t>> glyphs,
           std::optional<std::uint16_t> declaredBlockSize = std::nullopt)
        : name(std::move(name)), type(type), spacing(spacing), glyphs(std::move(glyphs)),
          declaredBlockSize(declaredBlockSize) {}
    std::string name;
    int type;  // 0 outline, 1 block, 2 colour
    int spacing;
    // Character → its bytes at the glyph's offset (width, height, cells, terminators).
    std::map<char, std::vector<std::uint8_t>> glyphs;
    std::optional<std::uint16_t> declaredBlockSize;  // the true size when absent
};

// A block-font glyph from rows of ASCII text, 0x0D between rows, 0x00 at the end.
inline std::vector<std::uint8_t> blockGlyph(const std::vector<std::string>& rows) {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.size());
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(rows.size())};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) out.push_back(0x0D);
        out.insert(out.end(), rows[i].begin(), rows[i].end());
    }
    out.push_back(0x00);
    return out;
}

inline std::vector<std::uint8_t> file(const std::vector<Record>& records) {
    std::vector<std::uint8_t> out{0x13};
    const std::string signature = "TheDraw FONTS file";
    out.insert(out.end(), signature.begin(), signature.end());
    out.push_back(0x1A);
    for (const Record& record : records) {
        std::vector<std::uint8_t> block;
        std::vector<std::uint16_t> offsets(94, 0xFFFF);
        for (const auto& [c, bytes] : record.glyphs) {
            offsets[static_cast<std::size_t>(c - 0x21)] = static_cast<std::uint16_t>(block.size());
            block.insert(block.end(), bytes.begin(), bytes.end());
        }
        std::vector<std::uint8_t> header{0x55, 0xAA, 0x00, 0xFF, static_cast<std::uint8_t>(record.name.size())};
        for (std::size_t i = 0; i < 12; ++i) header.push_back(i < record.name.size() ? record.name[i] : 0);
        header.insert(header.end(), {0, 0, 0, 0});
        header.push_back(static_cast<std::uint8_t>(record.type));
        header.push_back(static_cast<std::uint8_t>(record.spacing));
        const std::uint16_t size = record.declaredBlockSize.value_or(static_cast<std::uint16_t>(block.size()));
        header.push_back(size & 0xFF);
        header.push_back(size >> 8);
        for (std::uint16_t offset : offsets) {
            header.push_back(offset & 0xFF);
            header.push_back(offset >> 8);
        }
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

}  // namespace glyphloom::tdf_test
