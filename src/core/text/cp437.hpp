// The single translation between the cells' Unicode text and IBM code page 437, one byte per
// cell, as .ans files, SAUCE records and the VGA render need it. The tables are compile-time
// constants; every lookup is an array index and nothing here allocates per character.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphloom {

// Ctrl-Z, where a DOS text file ends: the art stops there and a SAUCE record may follow.
inline constexpr std::uint8_t cp437EndOfFile = 0x1A;

struct CP437 {
    // Byte → scalar; a bijection, so every byte has a distinct scalar.
    static const std::array<char32_t, 256>& scalarForByte();
    // Scalar → byte for the 256 scalars of the table.
    static std::optional<std::uint8_t> byteForScalar(char32_t scalar);
    // The look-alike byte for a scalar the table lacks (e.g. "╭" → "┌"); nothing otherwise.
    static std::optional<std::uint8_t> substitute(char32_t scalar);

    // One scalar as written to a file: its own byte, else its substitute, else "?".
    struct ScalarByte {
        std::uint8_t byte;
        bool approximated;  // true unless the scalar has its own byte
    };
    static ScalarByte encodeScalar(char32_t scalar);

    // Bytes to UTF-8 text, one scalar per byte; NUL becomes a blank. Never fails.
    static std::string decode(std::span<const std::uint8_t> data);
    static std::string decode(std::string_view data);

    struct Encoded {
        std::vector<std::uint8_t> data;
        int approximated = 0;  // scalars written as a substitute or "?"
        friend bool operator==(const Encoded&, const Encoded&) = default;
    };
    // Exactly one byte per scalar, so a character of several scalars (a letter with a
    // combining mark) gives several bytes. A malformed UTF-8 byte counts as one unmappable
    // scalar.
    static Encoded encodeLossy(std::string_view text);
    // The same, appending to `out` and returning the number of approximations.
    static int encodeLossyInto(std::string_view text, std::vector<std::uint8_t>& out);
    // True when every scalar has its own byte (substitutes do not count).
    static bool canEncode(std::string_view text);
};

}  // namespace glyphloom
