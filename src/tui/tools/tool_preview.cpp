#include "tui/tools/tool_preview.hpp"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "core/draw/preview_sample.hpp"
#include "tui/state/tool_settings.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/fill_tool.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/preset_apply.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace {

// The pace of the sample stroke: a steady hand, so the velocity-driven tools show their
// middle range and the sample does not depend on how fast the machine runs it.
constexpr std::chrono::milliseconds sampleStepInterval{80};

bool isSeedTool(Tool tool) {
    switch (tool) {
        case Tool::eraser:
        case Tool::smudge:
        case Tool::dodge:
        case Tool::burn:
        case Tool::prism:
        case Tool::scatter: return true;
        default: return false;
    }
}

bool isShapeTool(Tool tool) {
    return tool == Tool::line || tool == Tool::box || tool == Tool::oval || tool == Tool::select;
}

CellGrid& stripOf(AppState& scratch) { return scratch.doc.layers.front().cells; }

void writeCells(const std::unordered_map<GridKey, ANSICell>& cells, AppState& scratch) {
    for (const auto& [at, cell] : cells) setActiveCell(scratch, at, cell);
}

// The text sample: the pen's characters and colours along the middle row, one cycle step per
// cell, as typing would place them.
void textSample(AppState& scratch, RandomSource& random) {
    const int row = 3;
    for (int col = 1; col < scratch.doc.cols - 1; ++col) {
        const GridKey at{row, col};
        const ANSICell* existing = activeCellAt(scratch, at);
        if (!existing) continue;
        ANSICell cell = *existing;
        if (auto character = activeCharOpt(scratch, random)) cell.character = *character;
        const ANSIColorValue fg = activeFg(scratch, random);
        const ANSIColorValue bg = activeBg(scratch, random);
        if (!scratch.tools.fgNull) cell.foreground = fg;
        if (!scratch.tools.bgNull) cell.background = bg;
        cell.blink = false;
        setActiveCell(scratch, at, cell);
        advanceCycle(scratch);
    }
}

void strokeSample(AppState& scratch, RandomSource& random) {
    const int cols = scratch.doc.cols;
    if (isSeedTool(scratch.tools.tool)) {
        const bool fullWidth =
            scratch.tools.tool == Tool::dodge || scratch.tools.tool == Tool::burn || scratch.tools.tool == Tool::prism;
        stripOf(scratch) = seededPreviewStrip(cols, fullWidth);
    }
    beginStroke(scratch);
    TimeStamp now{};
    for (const GridKey at : sampleStrokePath(cols)) {
        paint(at, scratch, now, random);
        now += sampleStepInterval;
    }
}

CellGrid sampleOf(AppState scratch, RandomSource& random) {
    const int cols = scratch.doc.cols;
    switch (scratch.tools.tool) {
        case Tool::fill: applyFloodFill(GridKey{3, cols / 2}, scratch, random); break;
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select: writeCells(computeShape({1, 0}, {5, cols - 1}, scratch, random), scratch); break;
        case Tool::text: textSample(scratch, random); break;
        default: strokeSample(scratch, random); break;
    }
    return stripOf(scratch);
}

// The tools whose sample depends on the document's colour depth as well as on their settings.
constexpr ToolSet depthSampledTools{Tool::fill, Tool::dodge, Tool::burn};

}  // namespace

AppState scratchToolState(const AppState& from) {
    // The scratch state's own document is the strip; the real one is never touched.
    const int stripCols = std::max(from.preview.stripCols, 1);
    AppState s(Document::blank(previewStripRows, stripCols));
    s.preview.stripCols = stripCols;
    s.tools = from.tools;
    s.doc.colorDepth = from.doc.colorDepth;
    s.doc.blinkingText = from.doc.blinkingText;
    s.cursor = from.cursor;
    // The character cycle starts at the selected character, as a stroke with reset would.
    resetCharCycleToSelected(s);
    return s;
}

CellGrid simulateToolPreview(const AppState& from) { return simulateToolPreview(from, defaultRandomSource()); }

CellGrid simulateToolPreview(const AppState& from, RandomSource& random) {
    return sampleOf(scratchToolState(from), random);
}

std::string toolPreviewFingerprint(const AppState& s) {
    std::string key = std::to_string(std::max(s.preview.stripCols, 1)) + '\x1f';
    addToolSettingsKey(s.tools, key);
    if (depthSampledTools.contains(s.tools.tool)) key += std::to_string(static_cast<int>(s.doc.colorDepth)) + '\x1f';
    return key;
}

void updateToolPreview(AppState& state, const Layout& layout) {
    state.preview.stripCols = layout.previewStripCols();
    updateToolPreview(state);
}

void updateToolPreview(AppState& state) {
    if (state.tools.tool == Tool::pans || state.preview.previewScratchDoc) return;
    std::string key = toolPreviewFingerprint(state);
    if (key == state.preview.toolPreviewKey) return;
    state.preview.toolPreviewKey = std::move(key);
    state.preview.toolPreviewCells = simulateToolPreview(state);
}

void updatePresetHoverPreview(AppState& state, const Layout& layout) {
    const Region<int>* slot =
        state.tools.tool == Tool::pans ? nullptr : hit(layout.presetSpans, state.mouse.x, state.mouse.y);
    const int index = slot ? slot->value : -1;
    const bool filled = slot && index >= 0 && index < static_cast<int>(state.presets.size()) &&
                        state.presets[static_cast<std::size_t>(index)].has_value();
    if (!filled) {
        state.preview.presetHoverIndex.reset();
        state.preview.presetHoverCells.reset();
        return;
    }
    if (state.preview.presetHoverIndex == index && state.preview.presetHoverCells) return;
    state.preview.stripCols = layout.previewStripCols();
    // Only the settings travel: applying the slot to them leaves the real state untouched.
    AppState tried = scratchToolState(state);
    applyPreset(TUIPreset(*state.presets[static_cast<std::size_t>(index)]), tried);
    state.preview.presetHoverIndex = index;
    state.preview.presetHoverCells = simulateToolPreview(tried);
}

void startPreviewStroke(GridKey at, AppState& state) {
    state.preview.previewStroking = true;
    previewScratchApply(at, PreviewPhase::press, state);
}

void endPreviewStroke(GridKey at, AppState& state) {
    if (!state.preview.previewStroking) return;
    state.preview.previewStroking = false;
    previewScratchApply(at, PreviewPhase::release, state);
}

void clearPreviewTryout(AppState& state) { state.preview.previewScratchDoc.reset(); }

void previewScratchApply(GridKey at, PreviewPhase phase, AppState& state) {
    if (phase == PreviewPhase::press || !state.preview.previewScratchState) {
        auto scratch = std::make_shared<AppState>(scratchToolState(state));
        const CellGrid& shown = state.preview.previewScratchDoc ? *state.preview.previewScratchDoc : state.preview.toolPreviewCells;
        if (shown.rowCount() == previewStripRows && shown.rowLength(0) == scratch->doc.cols) stripOf(*scratch) = shown;
        beginStroke(*scratch);
        state.preview.previewScratchState = std::move(scratch);
        if (isShapeTool(state.tools.tool)) state.preview.previewStrokeStart = at;
    }
    AppState& scratch = *state.preview.previewScratchState;

    if (isShapeTool(scratch.tools.tool)) {
        // Each event redraws the shape over the strip as it was at the press, so it follows the
        // pointer instead of smearing.
        const CellGrid atPress = stripOf(scratch);
        if (phase != PreviewPhase::press && state.preview.previewStrokeStart)
            writeCells(computeShape(*state.preview.previewStrokeStart, at, scratch), scratch);
        state.preview.previewScratchDoc = stripOf(scratch);
        stripOf(scratch) = atPress;
    } else if (scratch.tools.tool == Tool::fill) {
        if (phase == PreviewPhase::press) applyFloodFill(at, scratch);
        state.preview.previewScratchDoc = stripOf(scratch);
    } else {
        paint(at, scratch);
        state.preview.previewScratchDoc = stripOf(scratch);
    }

    if (phase == PreviewPhase::release) {
        state.preview.previewScratchState.reset();
        state.preview.previewStrokeStart.reset();
    }
}

}  // namespace glyphloom
