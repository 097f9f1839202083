#include "core/format/tundra_reader.hpp"

#include <algorithm>
#include <vector>

// Format notes. Header: 0x18 "TUNDRA24". Then each byte is a character printed at the cursor
// in the current colours (80 columns to a row), except the commands
//   1  position: row, column (32-bit big-endian numbers, 0-based)
//   2  a character in a new foreground          4  a character in a new background
//   6  a character in a new foreground, then a new background
// where a colour is a 32-bit big-endian number whose low 24 bits are red, green, blue.

namespace glyphloom {
namespace {

constexpr std::size_t tundraHeaderSize = 9;
constexpr int tundraWidth = 80;

std::uint32_t u32(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | at[3];
}

ANSIColorValue color(const std::uint8_t* at) { return ANSIColorValue::truecolor(at[1], at[2], at[3]); }

}  // namespace

ArtReadResult readTundra(std::span<const std::uint8_t> data, ANSGridCap cap) {
    cap = clampedCap(cap);
    const ArtBody body = splitSauce(data);
    const auto bytes = body.bytes;
    static constexpr std::uint8_t magic[tundraHeaderSize] = {0x18, 'T', 'U', 'N', 'D', 'R', 'A', '2', '4'};
    if (bytes.size() < tundraHeaderSize || !std::equal(magic, magic + tundraHeaderSize, bytes.begin()))
        return artFailure("not a TundraDraw file");

    std::vector<CellGrid::Row> rows;
    ANSICell pen;
    pen.foreground = ANSIColorValue::ansi16(7);
    int row = 0, col = 0;
    auto print = [&](std::uint8_t character) {
        if (row < cap.maxRows) {
            if (rows.size() <= static_cast<std::size_t>(row)) rows.resize(static_cast<std::size_t>(row) + 1);
            auto& line = rows[static_cast<std::size_t>(row)];
            if (line.size() <= static_cast<std::size_t>(col)) {
                line.reserve(tundraWidth);
                line.resize(static_cast<std::size_t>(col), ANSICell::blank());
                line.push_back(pen);
            } else {
                line[static_cast<std::size_t>(col)] = pen;
            }
            line[static_cast<std::size_t>(col)].character = AttributeCells::glyphChar(character);
        }
        if (++col == tundraWidth) {
            col = 0;
            row = std::min(row + 1, cap.maxRows);
        }
    };

    const std::size_t n = bytes.size();
    std::size_t at = tundraHeaderSize;
    while (at < n) {
        const std::uint8_t command = bytes[at];
        if (command == 1) {
            if (at + 9 > n) break;
            row = static_cast<int>(std::min<std::uint32_t>(u32(&bytes[at + 1]), static_cast<std::uint32_t>(cap.maxRows)));
            col = static_cast<int>(std::min<std::uint32_t>(u32(&bytes[at + 5]), tundraWidth - 1));
            at += 9;
        } else if (command == 2 || command == 4) {
            if (at + 6 > n) break;
            (command == 2 ? pen.foreground : pen.background) = color(&bytes[at + 2]);
            print(bytes[at + 1]);
            at += 6;
        } else if (command == 6) {
            if (at + 10 > n) break;
            pen.foreground = color(&bytes[at + 2]);
            pen.background = color(&bytes[at + 6]);
            print(bytes[at + 1]);
            at += 10;
        } else {
            print(command);
            ++at;
        }
    }
    if (rows.empty()) return artFailure("no picture in it");
    std::string note;
    if (at < n) note = "cut short in its last command";
    for (auto& line : rows) line.resize(tundraWidth, ANSICell::blank());
    return finishedArt(rectangularGrid(std::move(rows), cap), body.sauce, note);
}

}  // namespace glyphloom
