#include "core/draw/smart_pen.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "core/draw/line.hpp"
#include "core/draw/stroke.hpp"

namespace glyphloom {

namespace {

// Indexed by connection value; single, rounded, double.
constexpr std::array<std::array<std::string_view, 3>, 16> glyphsByConnections{{
    {"+", "+", "+"},  // none
    {"│", "│", "║"},  // up
    {"│", "│", "║"},  // down
    {"│", "│", "║"},  // up + down
    {"─", "─", "═"},  // left
    {"┘", "╯", "╝"},  // left + up
    {"┐", "╮", "╗"},  // left + down
    {"┤", "┤", "╣"},  // left + up + down
    {"─", "─", "═"},  // right
    {"└", "╰", "╚"},  // right + up
    {"┌", "╭", "╔"},  // right + down
    {"├", "├", "╠"},  // right + up + down
    {"─", "─", "═"},  // left + right
    {"┴", "┴", "╩"},  // left + right + up
    {"┬", "┬", "╦"},  // left + right + down
    {"┼", "┼", "╬"},  // all four
}};

constexpr std::array<std::pair<std::string_view, std::uint8_t>, 26> existingArt{{
    {"─", 12}, {"═", 12}, {"│", 3}, {"║", 3}, {"┌", 10}, {"╔", 10}, {"┐", 6}, {"╗", 6}, {"└", 9},
    {"╚", 9}, {"┘", 5}, {"╝", 5}, {"├", 11}, {"╠", 11}, {"┤", 7}, {"╣", 7}, {"┬", 14}, {"╦", 14},
    {"┴", 13}, {"╩", 13}, {"┼", 15}, {"╬", 15}, {"╴", 4}, {"╵", 1}, {"╶", 8}, {"╷", 2},
}};

}  // namespace

std::uint8_t oppositeDirection(std::uint8_t direction) {
    switch (direction) {
        case ConnectionSet::up: return ConnectionSet::down;
        case ConnectionSet::down: return ConnectionSet::up;
        case ConnectionSet::left: return ConnectionSet::right;
        case ConnectionSet::right: return ConnectionSet::left;
        default: return 0;
    }
}

ConnectionSet connectionsForChar(std::string_view glyph) {
    for (const auto& [text, value] : existingArt)
        if (text == glyph) return {value};
    return {};
}

std::optional<std::string> charForConnections(ConnectionSet connections, LineStyle style) {
    std::size_t column = 0;
    switch (style) {
        case LineStyle::none: return std::nullopt;
        case LineStyle::single: column = 0; break;
        case LineStyle::rounded: column = 1; break;
        case LineStyle::double_: column = 2; break;
    }
    return std::string(glyphsByConnections[connections.rawValue & 15u][column]);
}

ConnectionSet mirroredConnections(ConnectionSet connections, bool flipH, bool flipV) {
    ConnectionSet out;
    for (const std::uint8_t d : {ConnectionSet::up, ConnectionSet::down, ConnectionSet::left, ConnectionSet::right}) {
        if (!connections.contains(d)) continue;
        const bool horizontal = d == ConnectionSet::left || d == ConnectionSet::right;
        out.insert((horizontal ? flipH : flipV) ? oppositeDirection(d) : d);
    }
    return out;
}

std::vector<PenWrite> penStrokeWrites(std::vector<std::pair<GridKey, ConnectionSet>> cells, int thickness,
                                      SymmetryMode mode, int rows, int columns) {
    std::sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) {
        return a.first.row != b.first.row ? a.first.row < b.first.row : a.first.col < b.first.col;
    });
    std::vector<PenWrite> copies;
    const std::vector<int> offsets = thicknessOffsets(thickness);
    for (const auto& [key, connections] : cells) {
        const bool across = connections.contains(ConnectionSet::left) || connections.contains(ConnectionSet::right);
        const bool along = connections.contains(ConnectionSet::up) || connections.contains(ConnectionSet::down);
        if (!across && !along) continue;
        for (const int o : offsets) {
            if (o == 0) continue;  // the cell itself
            copies.push_back({across ? GridKey{key.row + o, key.col} : GridKey{key.row, key.col + o}, connections, key});
        }
    }
    std::vector<PenWrite> writes = copies;
    std::vector<PenWrite> originals;
    for (const auto& [key, connections] : cells) originals.push_back({key, connections, key});
    for (const auto* group : {&copies, &originals}) {
        for (const PenWrite& w : *group) {
            for (const MirrorPoint& m : symmetryPoints(w.at, mode, rows, columns))
                writes.push_back({m.at, mirroredConnections(w.connections, m.flipH, m.flipV), w.source});
        }
    }
    writes.insert(writes.end(), originals.begin(), originals.end());
    return writes;
}

}  // namespace glyphloom
