#include "tui/input/panel_clicks.hpp"

#include "tui/actions/palette.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/tool_options.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace {

// Shared by the sidebar rows and the floating tool panel: both draw the same controls.
bool toolOptionClick(int x, int y, AppState& state, const Layout& layout) {
    if (const auto* r = hit(layout.stepperSpans, x, y)) return adjustStepper(r->value.id, r->value.delta, state), true;
    if (const auto* r = hit(layout.toggleSpans, x, y)) return toggleTapped(r->value, state), true;
    if (const auto* r = hit(layout.brushSpans, x, y)) return chooseBrushSize(r->value, state), true;
    if (const auto* r = hit(layout.styleSpans, x, y)) return chooseLineStyle(r->value, state), true;
    if (const auto* r = hit(layout.stitchSpans, x, y)) return chooseStitchMode(r->value, state), true;
    if (const auto* r = hit(layout.fillModeSpans, x, y)) return chooseFillMode(r->value, state), true;
    if (const auto* r = hit(layout.lineWidthSpans, x, y)) return chooseLineWidth(r->value, state), true;
    if (const auto* r = hit(layout.boxWidthSpans, x, y)) return chooseBoxWidth(r->value, state), true;
    if (const auto* r = hit(layout.ovalWidthSpans, x, y)) return chooseOvalWidth(r->value, state), true;
    if (const auto* r = hit(layout.prismStepSpans, x, y)) return choosePrismSteps(r->value, state), true;
    if (const auto* r = hit(layout.sprayRadiusSpans, x, y)) return chooseSprayRadius(r->value, state), true;
    if (const auto* r = hit(layout.sprayDensitySpans, x, y)) return chooseSprayDensity(r->value, state), true;
    if (const auto* r = hit(layout.boxStyleSpans, x, y)) return chooseBoxStyle(r->value, state), true;
    if (const auto* r = hit(layout.ovalModeSpans, x, y)) return chooseOvalMode(r->value, state), true;
    if (const auto* r = hit(layout.textDirSpans, x, y)) return chooseTextDirection(r->value, state), true;
    if (const auto* r = hit(layout.textScaleSpans, x, y)) return chooseTextScale(r->value, state), true;
    if (hit(layout.fillCharSpan, x, y)) return fillCharTapped(state), true;
    if (const auto* r = hit(layout.fillCharModeSpans, x, y)) return fillCharModeTapped(r->value, state), true;
    if (const auto* r = hit(layout.fillColorModeSpans, x, y)) return fillColorModeTapped(r->value.fg, r->value.mode, state), true;
    if (const auto* r = hit(layout.fillSwatchSpans, x, y)) return fillSwatchTapped(r->value.fg, r->value.index, state), true;
    return false;
}

bool paletteClick(int x, int y, AppState& state, const Layout& layout) {
    if (const auto* r = hit(layout.paletteSwatchSpans, x, y)) return paletteSwatchTapped(r->value, state), true;
    if (const auto* r = hit(layout.paletteCubeGroupSpans, x, y)) {
        paletteGroupTapped(r->value, state.paletteTargetFg, state);
        return true;
    }
    if (const auto* r = hit(layout.paletteSliderSpans, x, y)) {
        startPaletteSliderDrag(r->value.channel, r->value.col0, r->value.width, x, state);
        return true;
    }
    if (const auto* r = hit(layout.paletteValueSpans, x, y)) return startStepEntry(r->value, state), true;
    if (const auto* r = hit(layout.paletteButtonSpans, x, y)) return retargetPalettePicker(r->value, state), true;
    return false;
}

bool charPickerClick(int x, int y, AppState& state, const Layout& layout) {
    if (const auto* r = hit(layout.charsetOptionSpans, x, y)) return charsetChosen(r->value, state), true;
    if (hit(layout.charsetButtonSpan, x, y)) return toggleCharsetMenu(state), true;
    if (hit(layout.codepointFieldSpan, x, y)) return startCodepointEntry(state), true;
    if (const auto* r = hit(layout.charPickerSpans, x, y)) return charPicked(r->value, state), true;
    if (const auto* r = hit(layout.charModeSpans, x, y)) return charModeTapped(r->value, state), true;
    return false;
}

}  // namespace

bool floatingPanelClick(int x, int y, int, AppState& state, const Layout& layout) {
    if (state.overlay == Overlay::charPicker) {
        if (charPickerClick(x, y, state, layout)) return true;
        if (hit(layout.charPickerFrame, x, y)) return true;  // the picker's own ground, not the canvas
    }
    if (state.overlay == Overlay::palettePicker) {
        if (paletteClick(x, y, state, layout)) return true;
        if (hit(layout.paletteFrame, x, y)) return true;
    }
    if (state.overlay == Overlay::fadesPanel) {
        if (const auto* r = hit(layout.toggleSpans, x, y); r && hit(layout.fadesFrame, x, y)) {
            toggleTapped(r->value, state);
            return true;
        }
        if (const auto* r = hit(layout.stepperSpans, x, y); r && hit(layout.fadesFrame, x, y)) {
            adjustStepper(r->value.id, r->value.delta, state);
            return true;
        }
        if (hit(layout.fadesFrame, x, y)) return true;
    }
    if (state.toolPanelOpen && hit(layout.toolPanelFrame, x, y)) {
        toolOptionClick(x, y, state, layout);
        return true;
    }
    return false;
}

bool optionsAndColorRowClick(int x, int y, int button, AppState& state, const Layout& layout) {
    if (toolOptionClick(x, y, state, layout)) return true;
    const bool rightClick = button == 2;
    if (const auto* r = hit(layout.fgSwatchSpans, x, y)) {
        chipTapped(ANSIColorValue::ansi16(r->value), !rightClick, state);
        return true;
    }
    if (const auto* r = hit(layout.bgSwatchSpans, x, y)) {
        chipTapped(ANSIColorValue::ansi16(r->value), false, state);
        return true;
    }
    if (const auto* r = hit(layout.fgModeSpans, x, y)) return colorModeTapped(r->value, true, state), true;
    if (const auto* r = hit(layout.bgModeSpans, x, y)) return colorModeTapped(r->value, false, state), true;
    if (hit(layout.fgStepSpan, x, y)) return startStepEntry(PaletteChannel::fg, state), true;
    if (hit(layout.bgStepSpan, x, y)) return startStepEntry(PaletteChannel::bg, state), true;
    for (bool fg : {true, false}) {
        const auto& chips = fg ? layout.fgChipSpans : layout.bgChipSpans;
        for (std::size_t i = 0; i < chips.size(); ++i)
            if (chips[i].contains(x, y)) return poolChipTapped(fg, i, rightClick, state), true;
    }
    if (hit(layout.fgbgReverseSpan, x, y)) return swapForegroundAndBackground(state), true;
    if (const auto* r = hit(layout.paletteButtonSpans, x, y)) return paletteButtonTapped(r->value, state), true;
    if (hit(layout.fadesButtonSpan, x, y)) return toggleFadesPanel(state), true;
    return false;
}

}  // namespace glyphloom
