// The geometry and timing of a freehand stroke: the gap-free path between two pointer samples,
// the pointer speed that simulates pen pressure, and the mirror points of symmetric drawing.
// Works on document coordinates only; what a tool writes at those points is the tool's business.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

using StrokeTime = std::chrono::steady_clock::time_point;

// 4-connected walk from `from` (excluded) to `to` (included): every step changes exactly one
// coordinate, so a diagonal drag becomes a staircase with no corner gaps.
std::vector<GridKey> penInterpolatePath(GridKey from, GridKey to);

// The points one sample stamps: just `at` for the first sample of a stroke, nothing when the
// pointer has not left the previous cell, otherwise the walk from the previous sample.
std::vector<GridKey> strokePath(std::optional<GridKey> lastPaint, GridKey at);

// Pointer speed in cells per second (a row counts as two columns), smoothed half-and-half with
// the previous speed. Without a previous sample and time the speed is kept as it is.
double updateVelocity(double velocity, std::optional<GridKey> lastPaint, std::optional<StrokeTime> lastPaintTime,
                      GridKey to, StrokeTime at);

// Simulated pressure: 1 for a still pointer, falling to 0 at 40 cells per second.
double pressureFactor(double velocity);

// One extra point of a symmetric stroke, and which way it is mirrored.
struct MirrorPoint {
    GridKey at;
    bool flipH = false;  // mirrored left to right
    bool flipV = false;  // mirrored top to bottom
    friend bool operator==(MirrorPoint, MirrorPoint) = default;
};

// The extra points for `p` on a `rows` × `columns` document: horizontal mirrors across the
// vertical centre line, vertical across the horizontal one, both gives all three (in the order
// left-right, top-bottom, diagonal). A point on a centre line mirrors onto itself.
std::vector<MirrorPoint> symmetryPoints(GridKey p, SymmetryMode mode, int rows, int columns);

}  // namespace glyphloom
