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

    // Interning keeps one representation per text, so equal bits mean equal texts.
    friend constexpr bool operator==(CellChar a, CellChar b) { return a.bits_ == b.bits_; }

    std::uint32_t bits() const { return bits_; }

    // Longer clusters exist only to attack: the longest real emoji sequences are ~40 bytes.
    static constexpr std::size_t maxClusterBytes = 64;

private:
    static constexpr std::uint32_t internedFlag = 0x8000'0000u;
    std::uint32_t bits_ = U' ';
};

}  // namespace glyphloom

template <>
struct std::hash<glyphloom::CellChar> {
    std::size_t operator()(glyphloom::CellChar c) const noexcept { return std::hash<std::uint32_t>{}(c.bits()); }
};
