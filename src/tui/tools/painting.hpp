// Freehand tools on the active layer: the stroke lifecycle, the dispatch of a pointer sample to
// the tool, the paint / draw / eraser brushes and their imprints. The smart pen lives in
// pen_tool, the effect tools in effects; the geometry comes from core/draw.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Starts a stroke afresh: nothing of the last one remains, and the cycles restart where
// their reset-per-stroke settings ask.
void beginStroke(AppState& state);
// Ends the stroke, whatever kind: a freehand or shape drag, the keyboard pen.
void endStroke(AppState& state);
// Lifts the keyboard pen: ends its stroke.
void liftKeyboardPen(AppState& state);
// The tool's name as the status notes show it ("box", "paint").
std::string lowerToolName(Tool tool);

// One pointer sample of a stroke at a document cell.
void paint(GridKey at, AppState& state);
// The same with the sample's time and the source of random picks given, for repeatable strokes.
void paint(GridKey at, AppState& state, TimeStamp now, RandomSource& random);

// One brush imprint at `at`, coming from `from` (the sub-cell brushes read the direction).
void stampBrush(GridKey at, GridKey from, bool erase, const std::optional<std::string>& charOverride,
                AppState& state, RandomSource& random = defaultRandomSource());

// Velocity sample for a pointer now at `to`; needs the previous sample's point and time.
void updateVelocity(GridKey to, TimeStamp at, AppState& state);
// The simulated pressure of the current velocity (1 still, 0 at 40 cells per second).
double pressureFactor(const AppState& state);
// Velocity sample, then the shade the draw tool uses: slow gives "█", fast lighter shades.
std::string shadeForVelocity(GridKey to, TimeStamp at, AppState& state);

// Cells the brush covers from the previous sample to `to`, at full size (for the effect tools).
std::vector<GridKey> brushFootprint(GridKey to, const AppState& state);

}  // namespace glyphloom
