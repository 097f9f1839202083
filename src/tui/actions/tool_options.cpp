#include "tui/actions/tool_options.hpp"

namespace glyphloom {

void toolTapped(Tool tool, AppState& state) {
    if (tool == state.tool) {
        state.toolPanelOpen = !state.toolPanelOpen;
    } else {
        state.tool = tool;
        state.toolPanelOpen = false;
    }
}

void chooseBrushSize(BrushSize size, AppState& state) { state.brush = size; }

void chooseLineStyle(LineStyle style, AppState& state) {
    (state.tool == Tool::pen ? state.penLineStyle : state.lineStyle) = style;
}

void chooseStitchMode(LineStitchMode mode, AppState& state) { state.lineStitchMode = mode; }
void chooseFillMode(const FillMode& mode, AppState& state) { state.fillMode = mode; }
void chooseLineWidth(int cells, AppState& state) { state.lineThickness = cells; }
void chooseBoxWidth(int cells, AppState& state) { state.boxOptions.thickness = cells; }
void chooseBoxStyle(BoxStyle style, AppState& state) { state.boxOptions.style = style; }

// The oval's width lives in two fields that must stay in step.
void chooseOvalWidth(int cells, AppState& state) {
    state.ovalOptions.thickness = cells;
    state.ovalThickness = cells;
}

void chooseOvalMode(const OvalDrawMode& mode, AppState& state) { state.ovalOptions.drawMode = mode; }
void choosePrismSteps(int steps, AppState& state) { state.prismSteps = steps; }
void chooseSprayRadius(int radius, AppState& state) { state.sprayRadius = radius; }
void chooseSprayDensity(int density, AppState& state) { state.sprayDensity = density; }
void chooseTextDirection(TextDirection direction, AppState& state) { state.textDirection = direction; }
void chooseTextScale(int scale, AppState& state) { state.textScale = scale; }
void chooseTextFace(std::optional<int> face, AppState& state) { state.textFontIndex = face; }

}  // namespace glyphloom
