// TheDraw font files.
//
// Format notes. The file opens with 0x13, "TheDraw FONTS file" and 0x1A (20 bytes). Font
// records follow, each introduced by the marker 55 AA 00 FF:
//   +4  name length, +5..+16 name (Latin-1, NUL padded), +21 type (0 outline, 1 block,
//   2 colour), +22 letter spacing, +23 data-block size (u16 LE), +25 94 glyph offsets
//   (u16 LE, "!" … "~", FFFF = absent), +213 the data block.
// A glyph at its offset in the block: width, height, then cells row by row; 0x0D ends a row,
// 0x00 ends the glyph. Colour fonts follow each character byte with an attribute byte
// (low nibble foreground, bits 4-6 background, bit 7 blink).
// Outline fonts (type 0) do not store characters but the part of the outline each cell is:
//   A top edge, B bottom edge, C left edge, D right edge, E/F top-left/top-right outer
//   corners, K/L bottom-left/bottom-right outer corners, G/H/I/J the inner corners (down-right,
//   down-left, up-right, up-left), N/M the corners of diagonal steps, O inside the letter,
//   @ outside it, & a descender's end mark. P–R are unused by the fonts we know.
// They are drawn here in single box-drawing lines; inside, outside and unknown parts are blank
// so the canvas shows through.
// Real files lie: blocks that run past the file, glyphs without a terminator, names padded
// with NULs. Every read here stays inside both the data block and the file.
#include "core/fonts/tdf_reader.hpp"

#include <algorithm>
#include <cstring>

#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

constexpr std::size_t fileHeaderSize = 20;
constexpr std::size_t minimumFileSize = 25;
constexpr std::size_t recordHeaderSize = 213;
constexpr std::size_t glyphCount = 94;  // "!" … "~"
constexpr std::size_t maxNameLength = 12;
constexpr int maxGlyphWidth = 60;
constexpr int maxGlyphHeight = 20;
constexpr std::uint16_t absentGlyph = 0xFFFF;
constexpr std::size_t cellsPerFileByte = 8;
constexpr std::size_t minimumCellBudget = std::size_t{1} << 16;

enum class FontType : std::uint8_t { outline = 0, block = 1, color = 2 };

struct Reader {
    std::span<const std::uint8_t> data;
    std::uint8_t at(std::size_t pos) const { return data[pos]; }
    std::uint16_t u16(std::size_t pos) const { return static_cast<std::uint16_t>(data[pos] | (data[pos + 1] << 8)); }
};

bool hasSignature(std::span<const std::uint8_t> data) {
    static constexpr char text[] = "TheDraw FONTS file";
    return data.size() >= minimumFileSize && data[0] == 0x13 && std::memcmp(data.data() + 1, text, 18) == 0 &&
           data[19] == 0x1A;
}

bool isMarker(std::span<const std::uint8_t> data, std::size_t pos) {
    return data[pos] == 0x55 && data[pos + 1] == 0xAA && data[pos + 2] == 0x00 && data[pos + 3] == 0xFF;
}

std::string recordName(const Reader& in, std::size_t record, int position) {
    const std::size_t length = std::min<std::size_t>(in.at(record + 4), maxNameLength);
    std::string name;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t byte = in.at(record + 5 + i);
        if (byte == 0) break;  // the rest is padding
        utf8::append(name, byte);
    }
    if (name.empty()) name = "Font " + std::to_string(position + 1);
    return name;
}

struct Glyph {
    std::vector<std::string> rows;
    GlyphColors colors;
};

// Reads the glyph whose width byte is at `pos`; the block ends at `end`. Nothing when its
// declared size is out of range, when its rows or cells run past the largest size a glyph may
// declare (a glyph "1 × 1" of sixty thousand rows, say), or when the file's `budget` of cells
// is spent.
std::optional<Glyph> readGlyph(const Reader& in, std::size_t pos, std::size_t end, bool colour,
                               const std::array<std::string, 256>& table, std::size_t& budget) {
    if (pos + 2 > end) return std::nullopt;
    const int width = in.at(pos);
    const int height = in.at(pos + 1);
    if (width < 1 || width > maxGlyphWidth || height < 1 || height > maxGlyphHeight) return std::nullopt;
    Glyph glyph;
    std::string row;
    std::vector<std::optional<TDFCellColor>> rowColors;
    bool open = false;  // a row has been started and not yet ended
    int rowCells = 0;
    for (pos += 2; pos < end;) {
        const std::uint8_t byte = in.at(pos);
        if (byte == 0x00) break;
        if (byte == 0x0D) {
            if (static_cast<int>(glyph.rows.size()) == maxGlyphHeight) return std::nullopt;
            rowCells = 0;
            glyph.rows.push_back(std::move(row));
            if (colour) glyph.colors.push_back(std::move(rowColors));
            row.clear(), rowColors.clear(), open = false;
            ++pos;
            continue;
        }
        if (++rowCells > maxGlyphWidth || budget == 0) return std::nullopt;
        --budget;
        if (colour) {
            if (pos + 1 >= end) break;  // a character without its attribute
            const std::uint8_t attr = in.at(pos + 1);
            rowColors.push_back(TDFCellColor{attr & 0x0F, (attr >> 4) & 0x07});
            pos += 2;
        } else {
            ++pos;
        }
        row += table[byte];
        open = true;
    }
    if (open) {
        if (static_cast<int>(glyph.rows.size()) == maxGlyphHeight) return std::nullopt;
        glyph.rows.push_back(std::move(row));
        if (colour) glyph.colors.push_back(std::move(rowColors));
    }
    return glyph;
}

BlockFont readRecord(const Reader& in, std::size_t record, std::size_t blockEnd, const std::string& id, int position,
                     std::size_t& budget) {
    const auto type = static_cast<FontType>(in.at(record + 21));
    const bool colour = type == FontType::color;
    BlockFont font;
    font.id = id + "_" + std::to_string(position);
    font.name = recordName(in, record, position);
    font.isTDF = true;
    font.letterSpacing = in.at(record + 22);
    font.renderMode = colour ? BlockFontRenderMode::tdfColor : BlockFontRenderMode::literal;
    const std::size_t blockStart = record + recordHeaderSize;
    const auto& table = type == FontType::outline ? outlineCharacterTable() : tdfCharacterTable();
    int tallest = 0;
    for (std::size_t i = 0; i < glyphCount; ++i) {
        const std::uint16_t offset = in.u16(record + 25 + 2 * i);
        if (offset == absentGlyph || blockStart + offset >= blockEnd) continue;
        auto glyph = readGlyph(in, blockStart + offset, blockEnd, colour, table, budget);
        if (!glyph) continue;
        const std::string character(1, static_cast<char>(0x21 + i));
        tallest = std::max(tallest, static_cast<int>(glyph->rows.size()));
        font.glyphs[character] = std::move(glyph->rows);
        if (colour) font.cellColors[character] = std::move(glyph->colors);
    }
    font.height = std::max(tallest, 1);
    return font;
}

}  // namespace

const std::array<std::string, 256>& outlineCharacterTable() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> out = tdfCharacterTable();
        const std::pair<const char*, const char*> parts[] = {
            {"AB", "─"}, {"CD", "│"}, {"EGN", "┌"}, {"FH", "┐"}, {"IK", "└"}, {"JLM", "┘"}, {"@O&PQR", " "}};
        for (const auto& [codes, glyph] : parts)
            for (const char* code = codes; *code; ++code) out[static_cast<unsigned char>(*code)] = glyph;
        return out;
    }();
    return table;
}

const std::array<std::string, 256>& tdfCharacterTable() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> out;
        const auto& scalars = CP437::scalarForByte();
        for (int byte = 0; byte < 256; ++byte) out[static_cast<std::size_t>(byte)] = utf8::encode(scalars[static_cast<std::size_t>(byte)]);
        // Bytes that text files keep as controls are glyphs in a font.
        out[0x00] = "?";
        out[0x0A] = "◙";
        out[0x0D] = "♪";
        out[0x1A] = "→";
        out[0x1B] = "←";
        out[0xFF] = " ";
        return out;
    }();
    return table;
}

std::vector<BlockFont> fromTDF(const std::string& id, std::span<const std::uint8_t> data) {
    std::vector<BlockFont> fonts;
    if (!hasSignature(data)) return fonts;
    const Reader in{data};
    // Glyphs may share their bytes (a lower-case letter pointing at its capital), but real
    // files hold about one cell per byte; a file whose glyphs point ninety-four times at its
    // largest one, font after font, stops growing here.
    std::size_t budget = cellsPerFileByte * data.size() + minimumCellBudget;
    std::size_t pos = fileHeaderSize;
    while (pos + recordHeaderSize <= data.size()) {
        if (!isMarker(data, pos)) {
            ++pos;
            continue;
        }
        const std::size_t declaredEnd = pos + recordHeaderSize + in.u16(pos + 23);
        const std::size_t blockEnd = std::min(declaredEnd, data.size());
        fonts.push_back(readRecord(in, pos, blockEnd, id, static_cast<int>(fonts.size()), budget));
        pos = declaredEnd;
    }
    return fonts;
}

}  // namespace glyphloom
