// UTF-8 decoding and encoding of single scalars, and the split of text into
// user-perceived characters (grapheme clusters, via utf8proc). Knows nothing of cells.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glyphloom::utf8 {

inline constexpr char32_t replacementCharacter = 0xFFFD;

// One decoded scalar and the number of bytes it took; `valid` is false for a malformed
// or truncated sequence, which then counts as one byte.
struct Decoded {
    char32_t scalar;
    int length;
    bool valid;
};

// Decodes the scalar starting at `offset` (which must be inside `text`).
Decoded decodeAt(std::string_view text, std::size_t offset);

// Appends the UTF-8 form of a scalar; surrogates and values past U+10FFFF become U+FFFD.
void append(std::string& out, char32_t scalar);
std::string encode(char32_t scalar);

// The whole text as scalars; malformed bytes become U+FFFD each.
std::u32string decode(std::string_view text);

bool isValid(std::string_view text);

// The text with A–Z turned into a–z; other bytes (all of UTF-8's multi-byte forms) unchanged.
std::string asciiLowercase(std::string_view text);

// Splits text into grapheme clusters (extended, as utf8proc defines them). Malformed bytes
// come out as one U+FFFD cluster each, so every piece is valid UTF-8.
std::vector<std::string> graphemeClusters(std::string_view text);
// The clusters (or any pieces) back into one text.
std::string joined(const std::vector<std::string>& pieces);
// 0–15 for a hexadecimal digit of either case, else -1.
int hexDigitValue(char c);

// Columns a terminal gives one grapheme cluster: 2 when any of its scalars is East Asian wide
// or fullwidth (CJK, Hiragana, Katakana, most emoji), 0 for a cluster of only zero-width
// scalars (a lone combining mark, a joiner, empty text), else 1.
int displayWidth(std::string_view cluster);

// Columns of a whole text as the screen lays it out: every cluster takes at least one.
int textDisplayWidth(std::string_view text);

}  // namespace glyphloom::utf8
