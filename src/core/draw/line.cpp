#include "core/draw/line.hpp"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace glyphloom {

BoxChars boxChars(BoxStyle style) {
    switch (style) {
        case BoxStyle::single: return {"┌", "┐", "└", "┘", "─", "│"};
        case BoxStyle::double_: return {"╔", "╗", "╚", "╝", "═", "║"};
        case BoxStyle::mixedH: return {"╒", "╕", "╘", "╛", "═", "│"};
        case BoxStyle::mixedV: return {"╓", "╖", "╙", "╜", "─", "║"};
    }
    return boxChars(BoxStyle::single);
}

std::vector<GridKey> bresenham(GridKey from, GridKey to) {
    const int dc = std::abs(to.col - from.col);
    const int dr = std::abs(to.row - from.row);
    const int stepCol = to.col > from.col ? 1 : -1;
    const int stepRow = to.row > from.row ? 1 : -1;
    std::vector<GridKey> points;
    points.reserve(static_cast<std::size_t>(std::max(dc, dr) + 1));
    int err = dc - dr;
    GridKey p = from;
    while (true) {
        points.push_back(p);
        if (p == to) break;
        const int e2 = 2 * err;
        if (e2 > -dr) {
            err -= dr;
            p.col += stepCol;
        }
        if (e2 < dc) {
            err += dc;
            p.row += stepRow;
        }
    }
    return points;
}

std::string_view linePenChar(GridKey prev, GridKey curr, GridKey next, const BoxChars& chars) {
    const int dr1 = curr.row - prev.row, dc1 = curr.col - prev.col;
    const int dr2 = next.row - curr.row, dc2 = next.col - curr.col;
    const bool h1 = dr1 == 0 && dc1 != 0, v1 = dc1 == 0 && dr1 != 0;
    const bool h2 = dr2 == 0 && dc2 != 0, v2 = dc2 == 0 && dr2 != 0;
    if (h1 && h2) return chars.h;
    if (v1 && v2) return chars.v;
    if (h1 && v2) {
        // Moving right the line comes in from the left side of the cell.
        if (dc1 > 0) return dr2 > 0 ? chars.tr : chars.br;
        return dr2 > 0 ? chars.tl : chars.bl;
    }
    if (v1 && h2) {
        // Moving down the line comes in from the top side of the cell.
        if (dr1 > 0) return dc2 > 0 ? chars.bl : chars.br;
        return dc2 > 0 ? chars.tl : chars.tr;
    }
    return std::abs(dr1 + dr2) > std::abs(dc1 + dc2) ? chars.v : chars.h;
}

std::vector<int> thicknessOffsets(int thickness) {
    if (thickness < 2) return {0};
    std::vector<int> offsets;
    for (int o = -(thickness / 2); o <= thickness - thickness / 2 - 1; ++o) offsets.push_back(o);
    return offsets;
}

std::size_t nearestPoint(const std::vector<GridKey>& points, GridKey at) {
    std::size_t nearest = 0;
    long long best = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const long long dr = static_cast<long long>(points[i].row) - at.row;
        const long long dc = static_cast<long long>(points[i].col) - at.col;
        if (dr * dr + dc * dc < best) {
            best = dr * dr + dc * dc;
            nearest = i;
        }
    }
    return nearest;
}

std::unordered_map<GridKey, std::string> lineDirectionChars(const std::vector<GridKey>& centerPts, GridKey from,
                                                            GridKey to, LineStyle style, LineStitchMode stitch,
                                                            int thickness) {
    std::unordered_map<GridKey, std::string> glyphs;
    if (centerPts.empty()) return glyphs;
    const BoxChars chars = boxChars(style == LineStyle::double_ ? BoxStyle::double_ : BoxStyle::single);
    const bool horizontal = !(std::abs(to.col - from.col) < std::abs(to.row - from.row));
    const std::string_view mainGlyph = horizontal ? chars.h : chars.v;
    const std::vector<int> offsets = thicknessOffsets(thickness);
    // The edge a slashed line keeps to: the side it climbs toward.
    int edge = 0;
    if (thickness >= 2) {
        const bool towardNegative = horizontal ? to.row < from.row : to.col < from.col;
        edge = towardNegative ? offsets.back() : offsets.front();
    }
    const std::vector<int> edgeOnly{edge};
    const auto moved = [&](GridKey p, int o) {
        return horizontal ? GridKey{p.row + o, p.col} : GridKey{p.row, p.col + o};
    };
    const auto put = [&](GridKey p, std::string_view glyph) { glyphs[p] = std::string(glyph); };

    const std::size_t last = centerPts.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const GridKey curr = centerPts[i];
        const GridKey prev = centerPts[i == 0 ? 0 : i - 1];
        const GridKey next = centerPts[std::min(i + 1, last)];
        const std::string_view glyph = linePenChar(prev, curr, next, chars);
        const bool diagonal = i > 0 && std::abs(curr.row - prev.row) == 1 && std::abs(curr.col - prev.col) == 1;
        const auto& spread = stitch == LineStitchMode::slash ? edgeOnly : offsets;
        if (!diagonal || stitch == LineStitchMode::stitch) {
            for (const int o : spread) put(moved(curr, o), glyph);
            continue;
        }
        const bool down = curr.row > prev.row, right = curr.col > prev.col;
        for (const int o : spread) {
            if (horizontal) {
                // Run on along the previous row, turn at the previous column, continue on the new row.
                const std::string_view corner = down ? (right ? chars.tr : chars.tl) : (right ? chars.br : chars.bl);
                put({prev.row + o, prev.col}, corner);
                put({curr.row + o, prev.col}, glyph);
                put({curr.row + o, curr.col}, mainGlyph);
            } else {
                // The same turned on its side: down the previous column, across in the previous row.
                const std::string_view corner = down ? (right ? chars.bl : chars.br) : (right ? chars.tl : chars.tr);
                put({prev.row, prev.col + o}, corner);
                put({prev.row, curr.col + o}, glyph);
                put({curr.row, curr.col + o}, mainGlyph);
            }
        }
    }
    return glyphs;
}

}  // namespace glyphloom
