// Straight lines between two cells: the Bresenham points and the box-drawing glyphs that draw
// them at a thickness, with the four ways of joining a diagonal step (off, stitch, track,
// slash). Positions and glyphs only; colours and cycles are the shape tool's business.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

// The six glyphs a box style draws with.
struct BoxChars {
    std::string_view tl, tr, bl, br, h, v;
};
BoxChars boxChars(BoxStyle style);

// 8-connected Bresenham from `from` to `to`, both ends included.
std::vector<GridKey> bresenham(GridKey from, GridKey to);

// The glyph of the point `curr` between its neighbours on a line: h or v for a straight run, a
// corner where a horizontal step turns vertical (or back), else by the steps' summed slope.
std::string_view linePenChar(GridKey prev, GridKey curr, GridKey next, const BoxChars& chars);

// The offsets of a line's thickness across its direction: {0} below 2, else centred with the
// extra one on the negative side.
std::vector<int> thicknessOffsets(int thickness);

// The index of the point nearest `at` (squared distance, the first of equals); 0 when there
// are none. Cells a thick line adds beside its centre take the centre point's cycle frame.
std::size_t nearestPoint(const std::vector<GridKey>& points, GridKey at);

// Glyphs for the cells of a line through `centerPts` (the Bresenham points from `from` to
// `to`) drawn in `style` (double, else single) at `thickness`, joining diagonal steps by `stitch`.
std::unordered_map<GridKey, std::string> lineDirectionChars(const std::vector<GridKey>& centerPts, GridKey from,
                                                            GridKey to, LineStyle style, LineStitchMode stitch,
                                                            int thickness);

}  // namespace glyphloom
