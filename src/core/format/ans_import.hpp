// Reading classic ANSI art (.ans: CP437 text with escape sequences, optionally followed by a
// SAUCE record) and its UTF-8 sibling into a grid of cells. The reader is a small, forgiving
// terminal: it understands the cursor, erase and colour sequences art uses, ignores the rest,
// never fails on malformed input and never builds more than 1000 columns × 4000 rows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/cell_grid.hpp"
#include "core/format/sauce_record.hpp"

namespace glyphloom {

struct ImportedANS {
    CellGrid cells;  // rectangular
    std::optional<SauceRecord> sauce;
    friend bool operator==(const ImportedANS&, const ImportedANS&) = default;
};

struct ANSLimits {
    static constexpr int maxColumns = 1000;
    static constexpr int maxRows = 4000;
    static constexpr int minColumns = 10;
    static constexpr int minRows = 4;
};

// The largest grid one read may build; within ANSLimits. A caller that reads many untrusted
// inputs in a row (the fuzzer) may ask for a smaller one.
struct ANSGridCap {
    int maxColumns = ANSLimits::maxColumns;
    int maxRows = ANSLimits::maxRows;
};

// A whole file. `preferUTF8` (see readsAsUTF8) decodes as UTF-8 and falls back to CP437 when
// the bytes are not valid UTF-8. The art ends at the first end-of-file mark (0x1A). Nothing
// when the file writes no cell at all.
std::optional<ImportedANS> importANSFile(std::span<const std::uint8_t> data, bool preferUTF8, ANSGridCap cap = {});

// Whether the file at `path` holding `data` is read as UTF-8: a ".utf8.ans" name says so, and
// so does art without a SAUCE record that is valid UTF-8 with multi-byte characters of the
// kinds UTF-8 art uses (CP437 art whose few high bytes happen to pair up stays CP437).
bool readsAsUTF8(std::string_view path, std::span<const std::uint8_t> data);

// Text already decoded; nothing when no cell is written. `wrapWidth` is the column count at
// which printing wraps (none: rows are as long as the text makes them, see the 80-column
// rule in the source). Without iCE colours SGR 5 makes cells blink; with them it brightens
// the background.
std::optional<CellGrid> importANSText(std::string_view text, std::optional<int> wrapWidth, bool iceColors);

// One Select Graphic Rendition parameter list applied to the current colours; bold and
// blink are states the printer applies later.
struct SGRColors {
    ANSIColorValue fg;
    ANSIColorValue bg;
    friend bool operator==(const SGRColors&, const SGRColors&) = default;
};
SGRColors parseSGR(std::string_view params, ANSIColorValue fg, ANSIColorValue bg, bool& bold, bool& blink);

// The Unicode Alphabetic property, which ends a control sequence.
bool isAlphabetic(char32_t scalar);

}  // namespace glyphloom
