#include "core/draw/brush.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>

#include "core/draw/stroke.hpp"

namespace glyphloom {

namespace {

constexpr std::array<std::string_view, 16> quadrantGlyphs{
    " ", "▗", "▖", "▄", "▝", "▐", "▞", "▟", "▘", "▚", "▌", "▙", "▀", "▜", "▛", "█",
};

}  // namespace

int pressuredBrushSize(int n, bool velocityControlsSize, double pressure) {
    if (!velocityControlsSize || n <= 1) return n;
    const int scaled = static_cast<int>(std::round(n * pressure));  // std::round: half away from zero
    return std::clamp(scaled, 1, n);
}

std::vector<GridKey> brushImprint(GridKey at, int size, bool rounded, int rows, int columns) {
    const int n = std::max(size, 1);
    const int h = n;
    const int w = n % 2 == 1 ? n : 2 * n;  // cells are twice as tall as wide
    const double o = n % 2 == 0 ? 0.5 : 0.0;
    const double limit = (w / 2.0) * (w / 2.0) + 0.5;
    std::vector<GridKey> cells;
    // Only the offsets that land inside the document are visited, however big the brush.
    const int drFirst = std::max(-(h / 2), -at.row), drLast = std::min(h - h / 2 - 1, rows - 1 - at.row);
    const int dcFirst = std::max(-(w / 2), -at.col), dcLast = std::min(w - w / 2 - 1, columns - 1 - at.col);
    for (int dr = drFirst; dr <= drLast; ++dr) {
        const int row = at.row + dr;
        for (int dc = dcFirst; dc <= dcLast; ++dc) {
            const int col = at.col + dc;
            if (rounded && n > 1) {
                const double x = dc + o;
                const double y = dr + o;
                if (x * x + 4 * y * y > limit) continue;
            }
            cells.push_back({row, col});
        }
    }
    return cells;
}

std::vector<GridKey> brushFootprint(std::optional<GridKey> lastPaint, GridKey to, BrushSize brush, bool rounded,
                                    int rows, int columns) {
    const int size = brush.kind == BrushSize::Kind::cells ? brush.n : 1;
    std::vector<GridKey> cells;
    std::unordered_set<GridKey> seen;
    for (const GridKey p : strokePath(lastPaint, to)) {
        for (const GridKey cell : brushImprint(p, size, rounded, rows, columns))
            if (seen.insert(cell).second) cells.push_back(cell);
    }
    return cells;
}

std::string_view quadrantChars(std::uint8_t bits) { return quadrantGlyphs[bits & 15u]; }

std::uint8_t charToQuadrant(std::string_view glyph) {
    if (glyph == " ") return 0;
    for (std::size_t bits = 1; bits < quadrantGlyphs.size(); ++bits)
        if (quadrantGlyphs[bits] == glyph) return static_cast<std::uint8_t>(bits);
    return 0;
}

std::uint8_t subCellPart(BrushSize brush, int dRow, int dCol) {
    switch (brush.kind) {
        case BrushSize::Kind::quarter:
            if (dRow < 0) return dCol < 0 ? quadrant::upperLeft : quadrant::upperRight;
            return dCol < 0 ? quadrant::lowerLeft : quadrant::lowerRight;
        case BrushSize::Kind::half:
            if (std::abs(dRow) > std::abs(dCol)) return dCol < 0 ? 10 : 5;  // "▌" : "▐"
            return dRow < 0 ? 12 : 3;                                         // "▀" : "▄"
        case BrushSize::Kind::cells: break;
    }
    return 15;
}

}  // namespace glyphloom
