// The smart pen's line connections: which neighbours a box-drawing cell joins, the glyph that
// draws a set of connections in each line style, the reverse reading that lets a new line
// join art already on the canvas, and the order a stroke's thick copies and mirror images are
// written in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/tool_options.hpp"

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

// The direction pointing back: up for down, left for right and so on.
std::uint8_t oppositeDirection(std::uint8_t direction);

// The connections a glyph on the canvas already has; anything that is not a straight,
// square-cornered box-drawing glyph (rounded corners included) has none.
ConnectionSet connectionsForChar(std::string_view glyph);

// The glyph drawing `connections` in `style`; nothing for `none`, which draws characters.
std::optional<std::string> charForConnections(ConnectionSet connections, LineStyle style);

// The same connections seen in a mirror: left and right swap for flipH, up and down for flipV.
ConnectionSet mirroredConnections(ConnectionSet connections, bool flipH, bool flipV);

// One cell a pen stroke writes: where, the connections its glyph draws, and the stroke cell
// whose glyph choice and colours it repeats.
struct PenWrite {
    GridKey at;
    ConnectionSet connections;
    GridKey source;
    friend bool operator==(const PenWrite&, const PenWrite&) = default;
};

// Everything a stroke through `cells` (each with its connections, in any order) writes on a
// rows × columns canvas: the copies a `thickness` puts beside each cell (across a horizontal
// run, beside a vertical one; none for a cell without connections), then the mirror images of
// the copies and of the cells, then the cells themselves, so that neither a copy nor a mirror
// image hides a corner of the line. Cells go in reading order; writes may fall off the canvas.
std::vector<PenWrite> penStrokeWrites(std::vector<std::pair<GridKey, ConnectionSet>> cells, int thickness,
                                      SymmetryMode mode, int rows, int columns);

}  // namespace glyphloom
