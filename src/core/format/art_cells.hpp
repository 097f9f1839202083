// What the readers of the classic binary and text-mode art formats (XBin, BinaryText,
// ArtWorx, iCE Draw, PCBoard, Avatar, TundraDraw) share: the picture a reader returns or the
// reason it has none, the DOS text attribute (its colour numbering, its blink bit), palettes
// of 6-bit VGA colours, the glyph every byte shows on a text screen, and the row-by-row
// building of a grid that never grows past its cap however large a header says it is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/format/ans_import.hpp"
#include "core/format/sauce_record.hpp"
#include "core/model/cell_grid.hpp"

namespace glyphloom {

struct ImportedArt {
    CellGrid cells;  // rectangular, at least ANSLimits' minimum, within the reader's cap
    std::optional<SauceRecord> sauce;
    bool blinkingText = false;  // some cell blinks: the file means blinking text, not bright backgrounds
    bool truecolor = false;     // some colour is 24-bit (a palette of its own, 24-bit codes)
    std::string note;           // what of the file is not shown (its own font, …); empty when nothing
};

// A picture, or why there is none ("not an XBin file", "no picture in it", …).
struct ArtReadResult {
    std::optional<ImportedArt> art;
    std::string failure;
};

ArtReadResult artFailure(std::string why);

// The 16 colours of an attribute, indexed by the attribute's colour number (DOS order: 1 is
// blue, 4 is red, 6 is brown).
using AttributePalette = std::array<ANSIColorValue, 16>;
const AttributePalette& standardAttributePalette();
// The entry for colour number `index` from a 6-bit VGA triple (only the low six bits count):
// the classic colour when the triple is the standard one, a 24-bit colour otherwise.
ANSIColorValue paletteEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// Sixteen triples in colour-number order (48 bytes; a shorter span keeps the missing entries standard).
AttributePalette attributePalette(std::span<const std::uint8_t> triples);
bool hasTruecolor(const AttributePalette& palette);

// The character a byte shows in a text-mode cell: the CP437 glyph, also for the control
// bytes (0x0A is "◙", 0x1A "→"); 0x00 shows as a blank.
char32_t glyphForByte(std::uint8_t byte);

// How bit 7 of an attribute is shown: blinking (the DOS default), or as the bright half of
// the background colours (iCE colours, non-blink mode).
struct AttributeMode {
    bool iceColors = false;
    bool fiveTwelveCharacters = false;  // bit 3 of the foreground picks the font, not the brightness
};

ANSICell attributeCell(std::uint8_t character, std::uint8_t attribute, const AttributePalette& palette,
                       AttributeMode mode);

// attributeCell for every attribute, worked out once per picture: readers build a cell per
// pair of bytes, and this keeps that to two table look-ups.
class AttributeCells {
public:
    AttributeCells(const AttributePalette& palette, AttributeMode mode);
    ANSICell operator()(std::uint8_t character, std::uint8_t attribute) const {
        ANSICell cell = cells_[attribute];
        cell.character = glyphChar(character);
        return cell;
    }
    static CellChar glyphChar(std::uint8_t byte);

private:
    std::array<ANSICell, 256> cells_;
};

// Cells arriving in reading order, `width` to a row, stored only where they fall inside the
// cap; rows come into being as cells reach them, so a header claiming 65535 × 65535 costs
// nothing until the data fills it.
class ArtGridBuilder {
public:
    ArtGridBuilder(int width, int declaredRows, ANSGridCap cap);

    // True once every row that can be kept has been filled.
    bool full() const { return row_ >= rowLimit_; }
    int rowsStarted() const { return row_ + (col_ > 0 ? 1 : 0); }

    void put(const ANSICell& cell) {
        if (row_ >= rowLimit_) return;
        if (col_ < keptColumns_) {
            if (col_ == 0) startRow();
            rows_.back().push_back(cell);
        }
        if (++col_ == width_) {
            col_ = 0;
            ++row_;
        }
    }

    // The rectangle (width limited to the cap), padded with blanks up to the minimum size.
    CellGrid finish();

private:
    void startRow();

    int width_;
    int keptColumns_;
    int rowLimit_;
    int row_ = 0;
    int col_ = 0;
    std::vector<CellGrid::Row> rows_;
};

// Pads every row of ragged rows to the widest (at most the cap) and the grid to the minimum size.
CellGrid rectangularGrid(std::vector<CellGrid::Row> rows, ANSGridCap cap);

// The bytes before a file's SAUCE trailer (and the end-of-file mark the trailer's writer puts
// right before it), with the record; the whole file when there is none.
struct ArtBody {
    std::span<const std::uint8_t> bytes;
    std::optional<SauceRecord> sauce;
};
ArtBody splitSauce(std::span<const std::uint8_t> data);

// What a note says about a picture `width` × `height` of which `rowsRead` rows came: cut
// short, or larger than the cap; empty when it was read whole. Joined to `more` with "; ".
std::string sizeNote(int width, int height, int rowsRead, ANSGridCap cap, const std::string& more = "");

// Fills in the flags a reader derives from its cells.
ArtReadResult finishedArt(CellGrid cells, std::optional<SauceRecord> sauce, std::string note);

// The cap a reader was given, brought within ANSLimits.
ANSGridCap clampedCap(ANSGridCap cap);

}  // namespace glyphloom
