#include "tui/input/panel_clicks.hpp"

#include "tui/actions/palette.hpp"
#include "tui/actions/panels.hpp"
#include "tui/input/text_entry.hpp"

namespace glyphloom {
namespace {

// Shared by the sidebar rows and the floating tool panel: both draw the same controls.
bool toolOptionClick(int x, int y, AppState& state, const Layout& layout) {
    if (const auto* r = hit(layout.stepperSpans, x, y)) return adjustStepper(r->value.id, r->value.delta, state), true;
    if (const auto* r = hit(layout.toggleSpans, x, y)) return toggleTapped(r->value, state), true;
    if (const auto* r = hit(layout.brushSpans, x, y)) return state.brush = r->value, true;
    if (const auto* r = hit(layout.styleSpans, x, y)) {
        (state.tool == Tool::pen ? state.penLineStyle : state.lineStyle) = r->value;
        return true;
    }
    if (const auto* r = hit(layout.stitchSpans, x, y)) return state.lineStitchMode = r->value, true;
    if (const auto* r = hit(layout.fillModeSpans, x, y)) return state.fillMode = r->value, true;
    if (const auto* r = hit(layout.lineWidthSpans, x, y)) return state.lineThickness = r->value, true;
    if (const auto* r = hit(layout.boxWidthSpans, x, y)) return state.boxOptions.thickness = r->value, true;
    if (const auto* r = hit(layout.ovalWidthSpans, x, y)) {
        state.ovalOptions.thickness = r->value;
        state.ovalThickness = r->value;
        return true;
    }
    if (const auto* r = hit(layout.prismStepSpans, x, y)) return state.prismSteps = r->value, true;
    if (const auto* r = hit(layout.sprayRadiusSpans, x, y)) return state.sprayRadius = r->value, true;
    if (const auto* r = hit(layout.sprayDensitySpans, x, y)) return state.sprayDensity = r->value, true;
    if (const auto* r = hit(layout.boxStyleSpans, x, y)) return state.boxOptions.style = r->value, true;
    if (const auto* r = hit(layout.ovalModeSpans, x, y)) return state.ovalOptions.drawMode = r->value, true;
    if (const auto* r = hit(layout.textDirSpans, x, y)) return state.textDirection = r->value, true;
    if (const auto* r = hit(layout.textScaleSpans, x, y)) return state.textScale = r->value, true;
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
        state.paletteSliderDrag = PaletteSliderDrag{r->value.channel, r->value.col0, r->value.width};
        paletteSliderDragTo(x, state);
        return true;
    }
    if (const auto* r = hit(layout.paletteValueSpans, x, y)) return startStepEntry(r->value, state), true;
    if (const auto* r = hit(layout.paletteButtonSpans, x, y)) {
        state.paletteTargetFg = r->value;
        return true;
    }
    return false;
}

bool charPickerClick(int x, int y, AppState& state, const Layout& layout) {
    if (const auto* r = hit(layout.charsetOptionSpans, x, y)) return charsetChosen(r->value, state), true;
    if (hit(layout.charsetButtonSpan, x, y)) return state.charsetMenuOpen = !state.charsetMenuOpen, true;
    if (hit(layout.codepointFieldSpan, x, y)) return startTextEntry(TextEntryMode::codepoint, state), true;
    if (const auto* r = hit(layout.charPickerSpans, x, y)) return charPicked(r->value, state), true;
    if (const auto* r = hit(layout.charModeSpans, x, y)) return charModeTapped(r->value, state), true;
    return false;
}

}  // namespace

void paletteSliderDragTo(int x, AppState& state) {
    if (!state.paletteSliderDrag) return;
    const PaletteSliderDrag& drag = *state.paletteSliderDrag;
    paletteSliderSet(drag.channel, paletteSliderValue(drag.channel, x, drag.col0, drag.width), state);
}

bool floatingPanelClick(int x, int y, int, AppState& state, const Layout& layout) {
    if ((state.charPickerOpen || state.charsetMenuOpen) && charPickerClick(x, y, state, layout)) return true;
    if (state.palettePickerOpen) {
        if (paletteClick(x, y, state, layout)) return true;
        if (hit(layout.paletteFrame, x, y)) return true;
    }
    if (state.fadesPanelOpen) {
        if (const auto* r = hit(layout.toggleSpans, x, y); r && hit(layout.fadesFrame, x, y)) {
            toggleFadeSetting(r->value, state);
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
    if (hit(layout.fgStepSpan, x, y)) return startStepEntry("fg", state), true;
    if (hit(layout.bgStepSpan, x, y)) return startStepEntry("bg", state), true;
    for (bool fg : {true, false}) {
        const auto& chips = fg ? layout.fgChipSpans : layout.bgChipSpans;
        for (std::size_t i = 0; i < chips.size(); ++i) {
            if (!chips[i].contains(x, y)) continue;
            const auto* pool = activePool(state, fg);
            if (pool != nullptr && i < pool->size()) chipTapped((*pool)[i], fg && !rightClick, state);
            return true;
        }
    }
    if (hit(layout.fgbgReverseSpan, x, y)) return swapForegroundAndBackground(state), true;
    if (const auto* r = hit(layout.paletteButtonSpans, x, y)) {
        if (state.palettePickerOpen && state.paletteTargetFg == r->value) {
            state.palettePickerOpen = false;
        } else {
            state.palettePickerOpen = true;
            state.paletteTargetFg = r->value;
        }
        return true;
    }
    if (hit(layout.fadesButtonSpan, x, y)) return state.fadesPanelOpen = !state.fadesPanelOpen, true;
    return false;
}

}  // namespace glyphloom
