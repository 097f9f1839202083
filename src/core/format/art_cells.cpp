#include "core/format/art_cells.hpp"

#include <algorithm>

#include "core/text/cp437.hpp"

namespace glyphloom {
namespace {

// Colour number of an attribute (DOS order) → the ANSI colour of the same name.
constexpr std::array<int, 16> ansiForColorNumber{0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};

// The standard VGA text palette as its 6-bit DAC values, in colour-number order.
constexpr std::array<std::array<std::uint8_t, 3>, 16> standardTriples{{
    {0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},  {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
    {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63}, {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63},
}};

// 6 bits to 8, so that 63 is full brightness.
std::uint8_t eightBit(std::uint8_t six) { return static_cast<std::uint8_t>((six << 2) | (six >> 4)); }

std::array<char32_t, 256> makeGlyphs() {
    std::array<char32_t, 256> glyphs = CP437::scalarForByte();
    // The table keeps the bytes a text file treats as controls; in a cell they are glyphs.
    glyphs[0x00] = U' ';
    glyphs[0x0A] = U'\u25D9';
    glyphs[0x0D] = U'\u266A';
    glyphs[0x1A] = U'\u2192';
    glyphs[0x1B] = U'\u2190';
    return glyphs;
}

const std::array<char32_t, 256> glyphs = makeGlyphs();

const std::array<CellChar, 256> glyphChars = [] {
    std::array<CellChar, 256> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = CellChar::fromScalar(glyphs[i]);
    return out;
}();

AttributePalette makeStandardPalette() {
    AttributePalette palette;
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = ANSIColorValue::ansi16(ansiForColorNumber[i]);
    return palette;
}

}  // namespace

ArtReadResult artFailure(std::string why) { return {std::nullopt, std::move(why)}; }

const AttributePalette& standardAttributePalette() {
    static const AttributePalette palette = makeStandardPalette();
    return palette;
}

ANSIColorValue paletteEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::size_t i = static_cast<std::size_t>(index & 15);
    const std::array<std::uint8_t, 3> triple{static_cast<std::uint8_t>(red & 63), static_cast<std::uint8_t>(green & 63),
                                             static_cast<std::uint8_t>(blue & 63)};
    if (triple == standardTriples[i]) return standardAttributePalette()[i];
    return ANSIColorValue::truecolor(eightBit(triple[0]), eightBit(triple[1]), eightBit(triple[2]));
}

AttributePalette attributePalette(std::span<const std::uint8_t> triples) {
    AttributePalette palette = standardAttributePalette();
    for (std::size_t i = 0; i < palette.size() && i * 3 + 2 < triples.size(); ++i)
        palette[i] = paletteEntry(static_cast<int>(i), triples[i * 3], triples[i * 3 + 1], triples[i * 3 + 2]);
    return palette;
}

bool hasTruecolor(const AttributePalette& palette) {
    return std::any_of(palette.begin(), palette.end(), [](const ANSIColorValue& c) { return c.isTruecolor(); });
}

char32_t glyphForByte(std::uint8_t byte) { return glyphs[byte]; }

ANSICell attributeCell(std::uint8_t character, std::uint8_t attribute, const AttributePalette& palette,
                       AttributeMode mode) {
    ANSICell cell;
    cell.character = glyphChars[character];
    cell.foreground = palette[attribute & (mode.fiveTwelveCharacters ? 7 : 15)];
    int background = (attribute >> 4) & 7;
    if ((attribute & 0x80) != 0) {
        if (mode.iceColors)
            background += 8;
        else
            cell.blink = true;
    }
    cell.background = palette[static_cast<std::size_t>(background)];
    return cell;
}

AttributeCells::AttributeCells(const AttributePalette& palette, AttributeMode mode) {
    for (std::size_t i = 0; i < cells_.size(); ++i) cells_[i] = attributeCell(' ', static_cast<std::uint8_t>(i), palette, mode);
}

CellChar AttributeCells::glyphChar(std::uint8_t byte) { return glyphChars[byte]; }

ArtGridBuilder::ArtGridBuilder(int width, int declaredRows, ANSGridCap cap)
    : width_(std::max(width, 1)),
      keptColumns_(std::min(width_, cap.maxColumns)),
      rowLimit_(std::clamp(declaredRows, 0, cap.maxRows)) {}

void ArtGridBuilder::startRow() {
    rows_.emplace_back();
    rows_.back().reserve(static_cast<std::size_t>(keptColumns_));
}

CellGrid ArtGridBuilder::finish() {
    for (auto& line : rows_) line.resize(static_cast<std::size_t>(keptColumns_), ANSICell::blank());
    return rectangularGrid(std::move(rows_), {std::max(keptColumns_, ANSLimits::minColumns), ANSLimits::maxRows});
}

CellGrid rectangularGrid(std::vector<CellGrid::Row> rows, ANSGridCap cap) {
    std::size_t widest = 0;
    for (const auto& line : rows) widest = std::max(widest, line.size());
    const auto cols = std::min<std::size_t>(std::max<std::size_t>(widest, ANSLimits::minColumns),
                                            static_cast<std::size_t>(std::max(cap.maxColumns, ANSLimits::minColumns)));
    if (rows.size() > static_cast<std::size_t>(cap.maxRows)) rows.resize(static_cast<std::size_t>(cap.maxRows));
    if (rows.size() < static_cast<std::size_t>(ANSLimits::minRows)) rows.resize(ANSLimits::minRows);
    for (auto& line : rows) line.resize(cols, ANSICell::blank());
    return CellGrid(std::move(rows));
}

ArtBody splitSauce(std::span<const std::uint8_t> data) {
    auto found = readSauce(data);
    if (!found) return {data, std::nullopt};
    std::span<const std::uint8_t> body = data.first(found->bodyEnd);
    if (!body.empty() && body.back() == 0x1A) body = body.first(body.size() - 1);
    return {body, std::move(found->record)};
}

std::string sizeNote(int width, int height, int rowsRead, ANSGridCap cap, const std::string& more) {
    std::vector<std::string> parts;
    if (rowsRead < std::min(height, cap.maxRows))
        parts.push_back("cut short: " + std::to_string(rowsRead) + " of " + std::to_string(height) + " rows");
    else if (height > cap.maxRows)
        parts.push_back("kept " + std::to_string(cap.maxRows) + " of " + std::to_string(height) + " rows");
    if (width > cap.maxColumns)
        parts.push_back("kept " + std::to_string(cap.maxColumns) + " of " + std::to_string(width) + " columns");
    if (!more.empty()) parts.push_back(more);
    std::string note;
    for (const std::string& part : parts) note += (note.empty() ? "" : "; ") + part;
    return note;
}

ArtReadResult finishedArt(CellGrid cells, std::optional<SauceRecord> sauce, std::string note) {
    ImportedArt art{std::move(cells), std::move(sauce), false, false, std::move(note)};
    for (int r = 0; r < art.cells.rowCount(); ++r) {
        for (const ANSICell& cell : art.cells.row(r)) {
            art.blinkingText = art.blinkingText || cell.blink;
            art.truecolor = art.truecolor || cell.foreground.isTruecolor() || cell.background.isTruecolor();
        }
    }
    return {std::move(art), {}};
}

ANSGridCap clampedCap(ANSGridCap cap) {
    cap.maxColumns = std::clamp(cap.maxColumns, ANSLimits::minColumns, ANSLimits::maxColumns);
    cap.maxRows = std::clamp(cap.maxRows, ANSLimits::minRows, ANSLimits::maxRows);
    return cap;
}

}  // namespace glyphloom
