#include "core/draw/shapes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>

#include "core/draw/line.hpp"
#include "core/draw/stroke.hpp"

namespace glyphloom {

namespace {

struct Rect {
    int top, left, bottom, right;
};

Rect spanned(GridKey from, GridKey to) {
    return {std::min(from.row, to.row), std::min(from.col, to.col), std::max(from.row, to.row),
            std::max(from.col, to.col)};
}

bool inside(GridKey k, int rows, int columns) { return k.row >= 0 && k.row < rows && k.col >= 0 && k.col < columns; }

// Every cell of the rectangle, row by row, in the current character: a box without an
// outline is drawn whole with the pen, never left to the shape fill.
void wholeArea(const Rect& r, int rows, int columns, ShapeGeometry& shape) {
    for (int row = r.top; row <= r.bottom; ++row) {
        for (int col = r.left; col <= r.right; ++col) {
            const GridKey k{row, col};
            if (inside(k, rows, columns)) shape.outline.push_back({k, std::nullopt});
        }
    }
}

struct RingInset {
    int rows, cols;
};

// Inner rings step in by two columns per row where that keeps the ring looking even.
std::vector<RingInset> boxRings(int thickness) {
    switch (thickness) {
        case 2: return {{0, 0}, {1, 2}};
        case 3: return {{0, 0}, {1, 1}, {2, 2}};
        case 4: return {{0, 0}, {1, 2}, {2, 4}, {3, 6}};
        default: return {{0, 0}};
    }
}

// Where a mirror image differs: glyph, left-right, top-bottom, both ways.
constexpr std::array<std::array<std::string_view, 4>, 28> mirrorTable{{
    {"┌", "┐", "└", "┘"}, {"┐", "┌", "┘", "└"}, {"└", "┘", "┌", "┐"}, {"┘", "└", "┐", "┌"},
    {"╔", "╗", "╚", "╝"}, {"╗", "╔", "╝", "╚"}, {"╚", "╝", "╔", "╗"}, {"╝", "╚", "╗", "╔"},
    {"╒", "╕", "╘", "╛"}, {"╕", "╒", "╛", "╘"}, {"╘", "╛", "╒", "╕"}, {"╛", "╘", "╕", "╒"},
    {"╓", "╖", "╙", "╜"}, {"╖", "╓", "╜", "╙"}, {"╙", "╜", "╓", "╖"}, {"╜", "╙", "╖", "╓"},
    {"▌", "▐", "▌", "▐"}, {"▐", "▌", "▐", "▌"}, {"▀", "▀", "▄", "▄"}, {"▄", "▄", "▀", "▀"},
    {"▘", "▝", "▖", "▗"}, {"▝", "▘", "▗", "▖"}, {"▖", "▗", "▘", "▝"}, {"▗", "▖", "▝", "▘"},
    {"▛", "▜", "▙", "▟"}, {"▜", "▛", "▟", "▙"}, {"▙", "▟", "▛", "▜"}, {"▟", "▙", "▜", "▛"},
}};

}  // namespace

ShapeGeometry computeBox(GridKey from, GridKey to, const BoxOptions& options, int rows, int columns) {
    ShapeGeometry shape;
    const Rect r = spanned(from, to);
    if (!options.outline) {
        wholeArea(r, rows, columns, shape);
        return shape;
    }
    const BoxChars chars = boxChars(options.style);
    const auto glyph = [&](std::string_view g) {
        return options.penLine ? std::optional<std::string>(std::string(g)) : std::nullopt;
    };
    const auto emit = [&](int row, int col, std::string_view g) {
        if (inside({row, col}, rows, columns)) shape.outline.push_back({{row, col}, glyph(g)});
    };
    std::optional<Rect> innermost;
    for (const RingInset inset : boxRings(options.thickness)) {
        const Rect ring{r.top + inset.rows, r.left + inset.cols, r.bottom - inset.rows, r.right - inset.cols};
        if (ring.top > ring.bottom || ring.left > ring.right) break;
        innermost = ring;
        // A ring one row or one column thin emits its far side over the near one, so its
        // bottom corners and edge are what stays, each cell with the cycle frame of its last
        // emission.
        emit(ring.top, ring.left, chars.tl);
        for (int col = ring.left + 1; col < ring.right; ++col) emit(ring.top, col, chars.h);
        emit(ring.top, ring.right, chars.tr);
        for (int row = ring.top + 1; row < ring.bottom; ++row) {
            emit(row, ring.left, chars.v);
            emit(row, ring.right, chars.v);
        }
        emit(ring.bottom, ring.left, chars.bl);
        for (int col = ring.left + 1; col < ring.right; ++col) emit(ring.bottom, col, chars.h);
        emit(ring.bottom, ring.right, chars.br);
    }
    if (options.filled && innermost) {
        for (int row = innermost->top + 1; row < innermost->bottom; ++row)
            for (int col = innermost->left + 1; col < innermost->right; ++col)
                if (inside({row, col}, rows, columns)) shape.interior.push_back({row, col});
    }
    return shape;
}

ShapeGeometry computeOval(GridKey from, GridKey to, const OvalOptions& options, int rows, int columns) {
    ShapeGeometry shape;
    const Rect r = spanned(from, to);
    const double cx = (from.col + to.col) / 2.0, cy = (from.row + to.row) / 2.0;
    const double a = (r.right - r.left) / 2.0, b = (r.bottom - r.top) / 2.0;

    struct Sample {
        double t, a, b;
        std::size_t ring;
    };
    std::vector<GridKey> order;
    std::unordered_map<GridKey, Sample> samples;
    std::vector<std::unordered_set<GridKey>> rings;
    std::map<int, std::pair<int, int>> outerSpan;  // row → smallest and largest column
    const int thickness = std::max(options.thickness, 1);
    for (int k = 0; k < thickness; ++k) {
        const double ak = a - k, bk = b - k;
        if (k > 0 && (ak < 0.5 || bk < 0.5)) break;
        rings.emplace_back();
        // At least 360 samples, so even the smallest ovals come out without gaps.
        const int n = std::max(360, static_cast<int>(4 * std::numbers::pi * (ak + bk)));
        for (int i = 0; i < n; ++i) {
            const double t = 2 * std::numbers::pi * i / n;
            const GridKey cell{static_cast<int>(std::round(bk * std::sin(t) + cy)),
                               static_cast<int>(std::round(ak * std::cos(t) + cx))};
            if (!inside(cell, rows, columns)) continue;
            rings.back().insert(cell);
            if (k == 0) {
                auto [span, fresh] = outerSpan.try_emplace(cell.row, cell.col, cell.col);
                if (!fresh) {
                    span->second.first = std::min(span->second.first, cell.col);
                    span->second.second = std::max(span->second.second, cell.col);
                }
            }
            if (samples.try_emplace(cell, Sample{t, ak, bk, rings.size() - 1}).second) order.push_back(cell);
        }
    }

    if (!options.outline) {
        for (const auto& [row, span] : outerSpan) {
            for (int col = span.first; col <= span.second; ++col) {
                if (options.filled) shape.interior.push_back({row, col});
                else shape.outline.push_back({{row, col}, std::nullopt});
            }
        }
        return shape;
    }
    for (const GridKey cell : order) {
        const Sample& s = samples.at(cell);
        std::optional<std::string> glyph;
        switch (options.drawMode.kind) {
            case OvalDrawMode::Kind::character: break;
            case OvalDrawMode::Kind::lines:
                glyph = std::string(ovalLineChar(cell.row, cell.col, cx, cy, rings[s.ring], options.drawMode.style));
                break;
            case OvalDrawMode::Kind::blocks:
                glyph = std::string(ovalBlockChar(s.t, s.a, s.b, cx, cy, cell.row, cell.col));
                break;
        }
        shape.outline.push_back({cell, glyph});
    }
    if (options.filled) {
        // Outline cells marked in a bitmap of the spanned rows: cheaper than a hash lookup per
        // interior cell on a big oval.
        const int top = outerSpan.empty() ? 0 : outerSpan.begin()->first;
        const int height = outerSpan.empty() ? 0 : outerSpan.rbegin()->first - top + 1;
        std::vector<char> onOutline(static_cast<std::size_t>(height) * static_cast<std::size_t>(columns), 0);
        const auto flag = [&](int row, int col) -> char& {
            return onOutline[static_cast<std::size_t>(row - top) * static_cast<std::size_t>(columns) +
                             static_cast<std::size_t>(col)];
        };
        for (const GridKey cell : order)
            if (cell.row >= top && cell.row < top + height) flag(cell.row, cell.col) = 1;
        for (const auto& [row, span] : outerSpan)
            for (int col = span.first; col <= span.second; ++col)
                if (!flag(row, col)) shape.interior.push_back({row, col});
    }
    return shape;
}

std::string_view ovalBlockChar(double t, double a, double b, double cx, double cy, int row, int col) {
    const double dx = std::abs(a * std::sin(t));
    const double dy = std::abs(b * std::cos(t));
    const bool left = cx > col, above = cy > row;
    if (dy > 2 * dx) return left ? "▌" : "▐";
    if (dx > 2 * dy) return above ? "▀" : "▄";
    if (above) return left ? "▛" : "▜";
    return left ? "▙" : "▟";
}

std::string_view ovalLineChar(int row, int col, double cx, double cy, const std::unordered_set<GridKey>& outlineSet,
                              BoxStyle style) {
    const BoxChars chars = boxChars(style);
    const bool sideways = outlineSet.contains({row, col - 1}) || outlineSet.contains({row, col + 1});
    const bool upright = outlineSet.contains({row - 1, col}) || outlineSet.contains({row + 1, col});
    if (sideways && !upright) return chars.h;
    if (upright && !sideways) return chars.v;
    if (row < cy) return col < cx ? chars.tl : chars.tr;
    return col < cx ? chars.bl : chars.br;
}

std::string_view flipBoxChar(std::string_view glyph, bool flipH, bool flipV) {
    if (!flipH && !flipV) return glyph;
    for (const auto& row : mirrorTable) {
        if (row[0] != glyph) continue;
        return flipH && flipV ? row[3] : flipH ? row[1] : row[2];
    }
    return glyph;
}

std::unordered_map<GridKey, ANSICell> withMirroredCells(const std::unordered_map<GridKey, ANSICell>& cells, int rows,
                                                        int columns, SymmetryMode mode) {
    if (mode == SymmetryMode::none) return cells;
    // Sorted, so copies that land on one another always settle the same way.
    std::vector<std::pair<GridKey, ANSICell>> sorted(cells.begin(), cells.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& x, const auto& y) {
        return x.first.row != y.first.row ? x.first.row < y.first.row : x.first.col < y.first.col;
    });
    std::unordered_map<GridKey, ANSICell> result = cells;
    for (const auto& [key, cell] : sorted) {
        for (const MirrorPoint& m : symmetryPoints(key, mode, rows, columns)) {
            if (!inside(m.at, rows, columns)) continue;
            ANSICell copy = cell;
            const std::string glyph = cell.character.str();
            const std::string_view flipped = flipBoxChar(glyph, m.flipH, m.flipV);
            if (flipped != glyph) copy.character = flipped;
            result[m.at] = copy;
        }
    }
    return result;
}

}  // namespace glyphloom
