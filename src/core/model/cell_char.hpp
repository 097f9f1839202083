// The character of one cell, held in four bytes so that cells stay small and trivially
// copyable. A text that is exactly one Unicode scalar (nearly every cell) is stored inline;
// the empty text and single grapheme clusters of several scalars are interned once in a
// process-wide table of bounded size. Any other text (several clusters, malformed bytes, an
// overlong cluster, or a new cluster once the table is full) becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace glyphloom {

class CellChar {
public:
    // A blank cell's character: " ".
    constexpr CellChar() = default;

    // Any bytes, kept when they are one scalar, one sane cluster or empty (see above);
    // implicit so that `cell.character = "█"` reads naturally.
    CellChar(std::string_view text);  // NOLINT(google-explicit-constructor)
    CellChar(const char* text) : CellChar(std::string_view(text)) {}
    CellChar(const std::string& text) : CellChar(std::string_view(text)) {}

    // A single scalar; surrogates and values past U+10FFFF become U+FFFD. Inline: readers
    // build a cell per input character with it.
    static constexpr CellChar fromScalar(char32_t scalar) {
        CellChar c;
        c.bits_ = scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF) ? 0xFFFDu : scalar;
        return c;
    }

    std::string str() const;
    void appendTo(std::string& out) const;

    // The scalar when the text is exactly one scalar.
    std::optional<char32_t> scalar() const;
    bool isSpace() const { return bits_ == U' '; }
    bool empty() const;

    // Columns a terminal gives the character: 2 when wide, 0 when it draws nothing by itself
    // (the empty text, a lone combining mark), else 1. Screens ask this of every cell they
    // draw, so it is worked out once per character, not per question.
    int columns() const { return look() & lookColumns; }
    // True when the text holds a control character, which a terminal would obey, not show.
    bool hasControl() const { return (look() & lookControl) != 0; }
    // One column and no control: a screen can take the character as it is.
    bool plainNarrow() const { return (bits_ - 0x20u < 0x5Fu) || look() == (lookKnown | 1); }

    // Interning keeps one representation per text, so equal bits mean equal texts.
    friend constexpr bool operator==(CellChar a, CellChar b) { return a.bits_ == b.bits_; }

    std::uint32_t bits() const { return bits_; }

    // Longer clusters exist only to attack: the longest real emoji sequences are ~40 bytes.
    static constexpr std::size_t maxClusterBytes = 64;

private:
    static constexpr std::uint32_t internedFlag = 0x8000'0000u;
    // What is known of a character's look, in one byte: its columns, whether it holds a
    // control, and a mark that the byte has been worked out.
    static constexpr std::uint8_t lookColumns = 0x03, lookControl = 0x04, lookKnown = 0x80;
    std::uint8_t look() const;
    static std::uint8_t lookOfText(std::string_view text);

    std::uint32_t bits_ = U' ';
};

}  // namespace glyphloom

template <>
struct std::hash<glyphloom::CellChar> {
    std::size_t operator()(glyphloom::CellChar c) const noexcept { return std::hash<std::uint32_t>{}(c.bits()); }
};
