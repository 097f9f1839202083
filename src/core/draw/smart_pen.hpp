// The smart pen's line connections: which neighbours a box-drawing cell joins. Only the
// connection set is declared so far; the glyph maps arrive with the pen tool.
#pragma once

#include <cstdint>

namespace glyphloom {

struct ConnectionSet {
    static constexpr std::uint8_t up = 1;
    static constexpr std::uint8_t down = 2;
    static constexpr std::uint8_t left = 4;
    static constexpr std::uint8_t right = 8;

    std::uint8_t rawValue = 0;

    bool contains(std::uint8_t member) const { return (rawValue & member) == member; }
    void insert(std::uint8_t member) { rawValue = static_cast<std::uint8_t>(rawValue | member); }

    friend bool operator==(ConnectionSet, ConnectionSet) = default;
};

}  // namespace glyphloom
