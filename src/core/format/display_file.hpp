// What the readers of BBS display files (PCBoard, Avatar) share. Such files are CP437 text
// with line breaks, their own codes for colours and the cursor, and often ANSI escape
// sequences as well: they are read by rewriting their codes as escape sequences and handing
// the result to the ANSI art reader on an 80-column DOS screen, so both kinds of code meet
// one terminal.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/format/art_cells.hpp"

namespace glyphloom {

class DisplayFileText {
public:
    // Rewritten text is bounded, so that codes that repeat characters (Avatar's) cannot blow
    // a small file up without limit: to four times the file, or 8 MiB for a small one (a
    // screen of 4000 rows of 80 cells in colour takes less).
    static std::size_t limitFor(std::size_t fileBytes);

    explicit DisplayFileText(std::size_t fileBytes);

    // The DOS default before a file sets anything: light grey on black.
    static constexpr std::uint8_t defaultAttribute = 0x07;

    // The file's own text; escape sequences in it may change the colours behind our back.
    void text(std::span<const std::uint8_t> bytes);
    void byte(std::uint8_t b);
    // Sets the colours of a DOS attribute (bit 7: blink, or a bright background in iCE mode).
    void attribute(std::uint8_t attr);
    // A control sequence of the reader's own making (not colours: those go through attribute).
    void sequence(std::string_view parameters, char final);
    bool full() const { return full_; }

    // The picture, at 80 columns; bit 7 blinks unless the file's record asks for iCE colours.
    ArtReadResult read(const std::optional<SauceRecord>& sauce, ANSGridCap cap, std::string note) &&;

private:
    void append(std::span<const std::uint8_t> bytes);

    std::vector<std::uint8_t> out_;
    std::size_t limit_;
    bool full_ = false;
    int current_ = -1;  // the attribute the text has set, none before the first
};

// The text of a display file up to its end-of-file mark (0x1A), before any SAUCE record.
struct DisplayFileBody {
    std::span<const std::uint8_t> bytes;
    std::optional<SauceRecord> sauce;
};
DisplayFileBody displayFileBody(std::span<const std::uint8_t> data);

}  // namespace glyphloom
