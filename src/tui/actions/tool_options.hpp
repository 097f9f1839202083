// The sidebar's option chips and the tool strip: choosing a tool, a brush, a line or box
// style, a width, a fill mode, an oval mode, the spray's radius and density, the text's
// direction, scale and face. Each sets the one tool setting its chip shows; the rows with
// steppers and toggles are panels.hpp's.
#pragma once

#include <optional>

#include "core/model/tool_options.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// A tool in the strip: the current tool opens or closes its option panel, another becomes
// the current tool with the panel closed.
void toolTapped(Tool tool, AppState& state);

void chooseBrushSize(BrushSize size, AppState& state);
// The pen keeps a line style of its own; every other tool shares one.
void chooseLineStyle(LineStyle style, AppState& state);
void chooseStitchMode(LineStitchMode mode, AppState& state);
void chooseFillMode(const FillMode& mode, AppState& state);
void chooseLineWidth(int cells, AppState& state);
void chooseBoxWidth(int cells, AppState& state);
void chooseBoxStyle(BoxStyle style, AppState& state);
void chooseOvalWidth(int cells, AppState& state);
void chooseOvalMode(const OvalDrawMode& mode, AppState& state);
void choosePrismSteps(int steps, AppState& state);
void chooseSprayRadius(int radius, AppState& state);
void chooseSprayDensity(int density, AppState& state);
void chooseTextDirection(TextDirection direction, AppState& state);
void chooseTextScale(int scale, AppState& state);
// A face of the text tool; nothing is the plain one-cell-per-character face.
void chooseTextFace(std::optional<int> face, AppState& state);

}  // namespace glyphloom
