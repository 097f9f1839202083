#include "core/draw/stroke.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace glyphloom {

std::vector<GridKey> penInterpolatePath(GridKey from, GridKey to) {
    std::vector<GridKey> path;
    const int dc = std::abs(to.col - from.col);
    const int dr = std::abs(to.row - from.row);
    const int stepCol = to.col > from.col ? 1 : -1;
    const int stepRow = to.row > from.row ? 1 : -1;
    path.reserve(static_cast<std::size_t>(dc + dr));
    int err = dc - dr;
    GridKey p = from;
    // dc + dr steps reach the target; the bound keeps a walk that went astray from spinning.
    for (int steps = 0; steps < dc + dr && p != to; ++steps) {
        const int e2 = 2 * err;
        if (e2 > -dr && (e2 >= dc || dc >= dr)) {
            err -= dr;
            p.col += stepCol;
        } else if (e2 < dc) {
            err += dc;
            p.row += stepRow;
        } else {
            break;
        }
        path.push_back(p);
    }
    return path;
}

std::vector<GridKey> strokePath(std::optional<GridKey> lastPaint, GridKey at) {
    if (!lastPaint) return {at};
    return penInterpolatePath(*lastPaint, at);
}

double updateVelocity(double velocity, std::optional<GridKey> lastPaint, std::optional<StrokeTime> lastPaintTime,
                      GridKey to, StrokeTime at) {
    if (!lastPaint || !lastPaintTime) return velocity;
    const double dt = std::max(std::chrono::duration<double>(at - *lastPaintTime).count(), 0.001);
    const double dCol = to.col - lastPaint->col;
    const double dRow = 2.0 * (to.row - lastPaint->row);
    const double speed = std::sqrt(dCol * dCol + dRow * dRow) / dt;
    return 0.5 * velocity + 0.5 * speed;
}

double pressureFactor(double velocity) { return std::max(0.0, 1.0 - velocity / 40.0); }

std::vector<MirrorPoint> symmetryPoints(GridKey p, SymmetryMode mode, int rows, int columns) {
    const GridKey h{p.row, columns - 1 - p.col};
    const GridKey v{rows - 1 - p.row, p.col};
    const GridKey d{rows - 1 - p.row, columns - 1 - p.col};
    switch (mode) {
        case SymmetryMode::none: return {};
        case SymmetryMode::horizontal: return {{h, true, false}};
        case SymmetryMode::vertical: return {{v, false, true}};
        case SymmetryMode::both: return {{h, true, false}, {v, false, true}, {d, true, true}};
    }
    return {};
}

}  // namespace glyphloom
