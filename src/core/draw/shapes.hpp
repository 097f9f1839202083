// Boxes and ovals dragged between two corners: their options, the cells and glyphs of their
// outlines and interiors, and the mirror copies of a finished shape. Geometry and glyphs only;
// the shape tool gives the cells their characters and colours.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

struct BoxOptions {
    BoxStyle style = BoxStyle::single;
    bool filled = false;
    bool outline = true;
    bool penLine = true;  // outline in box-drawing glyphs; off: in the current character
    int thickness = 1;    // rings

    friend bool operator==(const BoxOptions&, const BoxOptions&) = default;
};

struct OvalOptions {
    OvalDrawMode drawMode = OvalDrawMode::character();
    bool filled = false;
    bool outline = true;
    int thickness = 1;

    friend bool operator==(const OvalOptions&, const OvalOptions&) = default;
};

// What the k-th cell of a shape or fill receives; an empty channel keeps the cell's own.
struct CycleFrame {
    std::optional<std::string> character;
    std::optional<ANSIColorValue> fg;
    std::optional<ANSIColorValue> bg;
    friend bool operator==(const CycleFrame&, const CycleFrame&) = default;
};

// One outline cell; no glyph stands for the current character.
struct ShapeCell {
    GridKey at;
    std::optional<std::string> glyph;
    friend bool operator==(const ShapeCell&, const ShapeCell&) = default;
};

// A shape's cells in drawing order (which is also the order its cycle frames run in) and the
// interior that a filled shape leaves to the shape fill. Both lie inside the document. A cell
// may be emitted twice; the later emission is the one drawn.
struct ShapeGeometry {
    std::vector<ShapeCell> outline;
    std::vector<GridKey> interior;
};

// The rectangle between two corners, drawn as rings inset by thickness (1 to 4); without an
// outline, every cell of it in the current character, filled or not.
ShapeGeometry computeBox(GridKey from, GridKey to, const BoxOptions& options, int rows, int columns);

// The ellipse inscribed in the rectangle between two corners, with inner rings for thickness.
ShapeGeometry computeOval(GridKey from, GridKey to, const OvalOptions& options, int rows, int columns);

// A half or three-quarter block following the outline's tangent at angle t.
std::string_view ovalBlockChar(double t, double a, double b, double cx, double cy, int row, int col);
// A box-drawing glyph for an outline cell from its outline neighbours and its quadrant.
std::string_view ovalLineChar(int row, int col, double cx, double cy,
                              const std::unordered_set<GridKey>& outlineSet, BoxStyle style);

// A corner or half block as seen in a mirror; every other glyph is its own mirror image.
std::string_view flipBoxChar(std::string_view glyph, bool flipH, bool flipV);

// The cells with their mirror copies added (inside the document, glyphs mirrored); a copy
// replaces whatever the map held at its position.
std::unordered_map<GridKey, ANSICell> withMirroredCells(const std::unordered_map<GridKey, ANSICell>& cells, int rows,
                                                        int columns, SymmetryMode mode);

}  // namespace glyphloom
