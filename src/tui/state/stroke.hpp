// What the editor knows about the stroke in progress, from the press (or the keyboard pen
// going down) to the release: where it was last, how fast it moves, the shape being dragged
// and the smart pen's maps. Starting or ending a stroke replaces the whole value, so nothing
// of one stroke leaks into the next. The cycles' places outlive strokes and are kept apart.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/draw/smart_pen.hpp"
#include "core/model/cell.hpp"

namespace glyphloom {

using TimeStamp = std::chrono::steady_clock::time_point;

struct CellColors {
    ANSIColorValue foreground;
    ANSIColorValue background;
    friend bool operator==(const CellColors&, const CellColors&) = default;
};

struct Stroke {
    bool kbStroke = false;        // the keyboard pen is down
    bool paintingStroke = false;  // a freehand stroke (mouse or keyboard pen) is laying paint
    bool paintSwap = false;       // pressed with the right button: foreground and background trade places
    std::optional<GridKey> lastPaint;
    std::optional<TimeStamp> lastPaintTime;
    double velocity = 0;
    std::optional<GridKey> shapeStart;
    std::optional<GridKey> lastShapeDrag;
    // Cells drawn over the canvas while a shape is dragged or a paste floats.
    std::unordered_map<GridKey, ANSICell> previewOverlay;
    std::unordered_map<GridKey, ConnectionSet> penConns;
    std::unordered_map<GridKey, CellColors> penColors;
    std::unordered_map<GridKey, std::string> penChars;
    // Cells as they were before the current pen stroke first drew over them.
    std::unordered_map<GridKey, ANSICell> penOriginals;
    int strokeCellCount = 0;

    friend bool operator==(const Stroke&, const Stroke&) = default;
};

}  // namespace glyphloom
