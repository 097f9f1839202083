#include "tui/actions/tool_options.hpp"

namespace glyphloom {

void toolTapped(Tool tool, AppState& state) {
    if (tool == state.tools.tool) {
        state.toolPanelOpen = !state.toolPanelOpen;
    } else {
        state.tools.tool = tool;
        state.toolPanelOpen = false;
    }
}

void chooseBrushSize(BrushSize size, AppState& state) { state.tools.brush = size; }

void chooseLineStyle(LineStyle style, AppState& state) {
    (state.tools.tool == Tool::pen ? state.tools.penLineStyle : state.tools.lineStyle) = style;
}

void chooseStitchMode(LineStitchMode mode, AppState& state) { state.tools.lineStitchMode = mode; }
void chooseFillMode(const FillMode& mode, AppState& state) { state.tools.fillMode = mode; }
void chooseLineWidth(int cells, AppState& state) { state.tools.lineThickness = cells; }
void chooseBoxWidth(int cells, AppState& state) { state.tools.boxOptions.thickness = cells; }
void chooseBoxStyle(BoxStyle style, AppState& state) { state.tools.boxOptions.style = style; }

void chooseOvalWidth(int cells, AppState& state) { state.tools.ovalOptions.thickness = cells; }

void chooseOvalMode(const OvalDrawMode& mode, AppState& state) { state.tools.ovalOptions.drawMode = mode; }
void choosePrismSteps(int steps, AppState& state) { state.tools.prismSteps = steps; }
void chooseSprayRadius(int radius, AppState& state) { state.tools.sprayRadius = radius; }
void chooseSprayDensity(int density, AppState& state) { state.tools.sprayDensity = density; }
void chooseTextDirection(TextDirection direction, AppState& state) { state.tools.textDirection = direction; }
void chooseTextScale(int scale, AppState& state) { state.tools.textScale = scale; }
void chooseTextFace(std::optional<int> face, AppState& state) { state.textFontIndex = face; }

}  // namespace glyphloom
