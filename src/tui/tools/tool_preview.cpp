#include "tui/tools/tool_preview.hpp"

#include <algorithm>
#include <set>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "core/draw/preview_sample.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/fill_tool.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {
namespace {

// The pace of the sample stroke: a steady hand, so the velocity-driven tools show their
// middle range and the sample does not depend on how fast the machine runs it.
constexpr std::chrono::milliseconds sampleStepInterval{80};

int stripCols() { return std::max(toolPreviewCols, 1); }

// The shared document size becomes the strip's for the life of this object, and is restored
// however the scope is left.
class StripSizedDocument {
public:
    StripSizedDocument() : rows_(AppState::docRows), cols_(AppState::docCols) {
        AppState::docRows = previewStripRows;
        AppState::docCols = stripCols();
    }
    ~StripSizedDocument() {
        AppState::docRows = rows_;
        AppState::docCols = cols_;
    }
    StripSizedDocument(const StripSizedDocument&) = delete;
    StripSizedDocument& operator=(const StripSizedDocument&) = delete;

private:
    int rows_, cols_;
};

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

CellGrid& stripOf(AppState& scratch) { return scratch.layers.front().cells; }

void writeCells(const std::unordered_map<GridKey, ANSICell>& cells, AppState& scratch) {
    for (const auto& [at, cell] : cells) setActiveCell(scratch, at, cell);
}

// The text sample: the pen's characters and colours along the middle row, one cycle step per
// cell, as typing would place them.
void textSample(AppState& scratch, RandomSource& random) {
    const int row = 3;
    for (int col = 1; col < AppState::docCols - 1; ++col) {
        const GridKey at{row, col};
        const ANSICell* existing = activeCellAt(scratch, at);
        if (!existing) continue;
        ANSICell cell = *existing;
        if (auto character = activeCharOpt(scratch, random)) cell.character = *character;
        const ANSIColorValue fg = activeFg(scratch, random);
        const ANSIColorValue bg = activeBg(scratch, random);
        if (!scratch.fgNull) cell.foreground = fg;
        if (!scratch.bgNull) cell.background = bg;
        cell.blink = false;
        setActiveCell(scratch, at, cell);
        advanceCycle(scratch);
    }
}

void strokeSample(AppState& scratch, RandomSource& random) {
    const int cols = AppState::docCols;
    if (isSeedTool(scratch.tool)) {
        const bool fullWidth = scratch.tool == Tool::dodge || scratch.tool == Tool::burn || scratch.tool == Tool::prism;
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
    const int cols = AppState::docCols;
    switch (scratch.tool) {
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

// Builds the fingerprint text: each value closed by a separator no setting contains.
class Fingerprint {
public:
    Fingerprint& operator<<(bool v) { return put(v ? "true" : "false"); }
    Fingerprint& operator<<(int v) { return put(std::to_string(v)); }
    Fingerprint& operator<<(const std::string& v) { return put(v); }
    Fingerprint& operator<<(std::string_view v) { return put(v); }
    Fingerprint& operator<<(const ANSIColorValue& v) {
        return put(std::to_string(static_cast<int>(v.kind)) + ":" + std::to_string(v.n) + ":" + std::to_string(v.r) +
                   "," + std::to_string(v.g) + "," + std::to_string(v.b));
    }
    template <class E>
        requires std::is_enum_v<E>
    Fingerprint& operator<<(E v) {
        return *this << static_cast<int>(v);
    }
    template <class T>
    Fingerprint& operator<<(const std::vector<T>& pool) {
        *this << static_cast<int>(pool.size());
        for (const T& item : pool) *this << item;
        return *this;
    }
    Fingerprint& operator<<(const std::set<std::string>& groups) {
        return *this << std::vector<std::string>(groups.begin(), groups.end());
    }
    Fingerprint& operator<<(const BrushSize& v) { return *this << v.kind << v.n; }
    Fingerprint& operator<<(const BoxOptions& v) {
        return *this << v.style << v.filled << v.outline << v.penLine << v.thickness;
    }
    Fingerprint& operator<<(const OvalOptions& v) {
        return *this << v.drawMode.kind << v.drawMode.style << v.filled << v.outline << v.thickness;
    }
    Fingerprint& operator<<(const FillMode& v) { return *this << v.kind << v.direction; }
    Fingerprint& operator<<(const ShapeFillStyle& v) {
        return *this << v.enabled << v.charMode << v.character << v.charPool << v.fgMode << v.fg << v.fgPool
                     << v.bgMode << v.bg << v.bgPool;
    }

    std::string text() && { return std::move(text_); }

private:
    Fingerprint& put(std::string_view v) {
        text_ += v;
        text_ += '\x1f';
        return *this;
    }
    std::string text_;
};

void addInk(Fingerprint& key, const AppState& s) {
    key << s.fg << s.penBg << s.penChar << s.charNull << s.fgNull << s.bgNull;
    key << s.fgCycle << s.fgCyclePool << s.fgCycleStep << s.bgCycle << s.bgCyclePool << s.bgCycleStep;
    key << s.charCycle << s.charCyclePool << s.charCycleStep << s.charCycleForward << s.charCycleWrap;
    key << s.colorCycleResetPerStroke << s.charCycleResetPerStroke;
    key << s.fgRandom << s.fgRandomPool << s.bgRandom << s.bgRandomPool << s.charRandom << s.charRandomPool
        << s.charRandomGroups;
}

void addBrush(Fingerprint& key, const AppState& s) { key << s.brush << s.brushRounded << s.velocityControlsSize; }

}  // namespace

AppState scratchToolState(const AppState& from) {
    AppState s;
    s.layers.front().cells = CellGrid(previewStripRows, stripCols());

    s.tool = from.tool;
    s.brush = from.brush;
    s.brushRounded = from.brushRounded;
    s.velocityControlsSize = from.velocityControlsSize;
    s.penChar = from.penChar;
    s.fg = from.fg;
    s.penBg = from.penBg;
    s.charNull = from.charNull;
    s.fgNull = from.fgNull;
    s.bgNull = from.bgNull;
    s.colorDepth = from.colorDepth;
    s.blinkingText = from.blinkingText;
    s.cursor = from.cursor;

    s.fgCycle = from.fgCycle;
    s.fgCyclePool = from.fgCyclePool;
    s.fgCycleStep = from.fgCycleStep;
    s.bgCycle = from.bgCycle;
    s.bgCyclePool = from.bgCyclePool;
    s.bgCycleStep = from.bgCycleStep;
    s.charCycle = from.charCycle;
    s.charCyclePool = from.charCyclePool;
    s.charCycleStep = from.charCycleStep;
    s.charCycleForward = from.charCycleForward;
    s.charCycleWrap = from.charCycleWrap;
    s.colorCycleResetPerStroke = from.colorCycleResetPerStroke;
    s.charCycleResetPerStroke = from.charCycleResetPerStroke;
    s.charRandomGroups = from.charRandomGroups;
    s.fgRandom = from.fgRandom;
    s.fgRandomPool = from.fgRandomPool;
    s.bgRandom = from.bgRandom;
    s.bgRandomPool = from.bgRandomPool;
    s.charRandom = from.charRandom;
    s.charRandomPool = from.charRandomPool;
    // The character cycle starts at the selected character, as a stroke with reset would.
    resetCharCycleToSelected(s);

    s.penLineStyle = from.penLineStyle;
    s.lineStyle = from.lineStyle;
    s.lineStitchMode = from.lineStitchMode;
    s.lineThickness = from.lineThickness;
    s.boxOptions = from.boxOptions;
    s.ovalOptions = from.ovalOptions;
    s.ovalThickness = from.ovalThickness;
    s.fillMode = from.fillMode;
    s.shapeFill = from.shapeFill;
    s.symmetryMode = from.symmetryMode;
    s.textDirection = from.textDirection;
    s.textScale = from.textScale;

    s.dodgeBurnFG = from.dodgeBurnFG;
    s.dodgeBurnBG = from.dodgeBurnBG;
    s.dodgeBurnStrength = from.dodgeBurnStrength;
    s.velDodgeBurn = from.velDodgeBurn;
    s.prismFG = from.prismFG;
    s.prismBG = from.prismBG;
    s.prismSteps = from.prismSteps;
    s.velPrism = from.velPrism;
    s.sprayRadius = from.sprayRadius;
    s.sprayDensity = from.sprayDensity;
    s.sprayVariance = from.sprayVariance;
    s.sprayTargetBG = from.sprayTargetBG;
    s.velSprayDensity = from.velSprayDensity;
    s.scatterVariance = from.scatterVariance;
    s.scatterFG = from.scatterFG;
    s.scatterBG = from.scatterBG;
    s.velScatter = from.velScatter;
    return s;
}

CellGrid simulateToolPreview(const AppState& from) { return simulateToolPreview(from, defaultRandomSource()); }

CellGrid simulateToolPreview(const AppState& from, RandomSource& random) {
    const StripSizedDocument strip;
    return sampleOf(scratchToolState(from), random);
}

std::string toolPreviewFingerprint(const AppState& s) {
    Fingerprint key;
    key << stripCols() << s.tool;
    switch (s.tool) {
        case Tool::paint:
        case Tool::draw:
            addInk(key, s);
            addBrush(key, s);
            key << s.symmetryMode;
            break;
        case Tool::pen:
            addInk(key, s);
            key << s.penLineStyle << s.symmetryMode;
            break;
        case Tool::eraser:
        case Tool::smudge:
            addBrush(key, s);
            key << s.symmetryMode;
            break;
        case Tool::fill:
            addInk(key, s);
            key << s.fillMode << s.colorDepth << s.symmetryMode;
            break;
        case Tool::spray:
            addInk(key, s);
            addBrush(key, s);
            key << s.sprayRadius << s.sprayDensity << s.sprayVariance << s.sprayTargetBG << s.velSprayDensity
                << s.symmetryMode;
            break;
        case Tool::line:
            addInk(key, s);
            key << s.lineStyle << s.lineStitchMode << s.lineThickness << s.symmetryMode;
            break;
        case Tool::box:
            addInk(key, s);
            key << s.boxOptions << s.shapeFill << s.symmetryMode;
            break;
        case Tool::oval:
            addInk(key, s);
            key << s.ovalOptions << s.ovalThickness << s.shapeFill << s.symmetryMode;
            break;
        case Tool::dodge:
        case Tool::burn:
            addBrush(key, s);
            key << s.dodgeBurnFG << s.dodgeBurnBG << s.dodgeBurnStrength << s.velDodgeBurn << s.colorDepth
                << s.symmetryMode;
            break;
        case Tool::prism:
            addBrush(key, s);
            key << s.prismFG << s.prismBG << s.prismSteps << s.velPrism << s.symmetryMode;
            break;
        case Tool::scatter:
            addBrush(key, s);
            key << s.scatterVariance << s.scatterFG << s.scatterBG << s.velScatter << s.symmetryMode;
            break;
        case Tool::text: addInk(key, s); break;
        case Tool::select: key << s.fg << s.penBg; break;
        case Tool::pans: break;
    }
    return std::move(key).text();
}

void updateToolPreview(AppState& state) {
    if (state.tool == Tool::pans || state.previewScratchDoc) return;
    std::string key = toolPreviewFingerprint(state);
    if (key == state.toolPreviewKey) return;
    state.toolPreviewKey = std::move(key);
    state.toolPreviewCells = simulateToolPreview(state);
}

void updatePresetHoverPreview(AppState& state, const Layout& layout) {
    const Region<int>* slot = state.tool == Tool::pans ? nullptr : hit(layout.presetSpans, state.mouse.x, state.mouse.y);
    const int index = slot ? slot->value : -1;
    const bool filled = slot && index >= 0 && index < static_cast<int>(state.presets.size()) &&
                        state.presets[static_cast<std::size_t>(index)].has_value();
    if (!filled) {
        state.presetHoverIndex.reset();
        state.presetHoverCells.reset();
        return;
    }
    if (state.presetHoverIndex == index && state.presetHoverCells) return;
    // Only the settings travel: applying the slot to them leaves the real state untouched.
    AppState tried = scratchToolState(state);
    applyPreset(TUIPreset(*state.presets[static_cast<std::size_t>(index)]), tried);
    state.presetHoverIndex = index;
    state.presetHoverCells = simulateToolPreview(tried);
}

void startPreviewStroke(GridKey at, AppState& state) {
    state.previewStroking = true;
    previewScratchApply(at, PreviewPhase::press, state);
}

void endPreviewStroke(GridKey at, AppState& state) {
    if (!state.previewStroking) return;
    state.previewStroking = false;
    previewScratchApply(at, PreviewPhase::release, state);
}

void clearPreviewTryout(AppState& state) { state.previewScratchDoc.reset(); }

void previewScratchApply(GridKey at, PreviewPhase phase, AppState& state) {
    const StripSizedDocument strip;
    if (phase == PreviewPhase::press || !state.previewScratchState) {
        auto scratch = std::make_shared<AppState>(scratchToolState(state));
        const CellGrid& shown = state.previewScratchDoc ? *state.previewScratchDoc : state.toolPreviewCells;
        if (shown.rowCount() == previewStripRows && shown.rowLength(0) == AppState::docCols) stripOf(*scratch) = shown;
        beginStroke(*scratch);
        state.previewScratchState = std::move(scratch);
        if (isShapeTool(state.tool)) state.previewStrokeStart = at;
    }
    AppState& scratch = *state.previewScratchState;

    if (isShapeTool(scratch.tool)) {
        // Each event redraws the shape over the strip as it was at the press, so it follows the
        // pointer instead of smearing.
        const CellGrid atPress = stripOf(scratch);
        if (phase != PreviewPhase::press && state.previewStrokeStart)
            writeCells(computeShape(*state.previewStrokeStart, at, scratch), scratch);
        state.previewScratchDoc = stripOf(scratch);
        stripOf(scratch) = atPress;
    } else if (scratch.tool == Tool::fill) {
        if (phase == PreviewPhase::press) applyFloodFill(at, scratch);
        state.previewScratchDoc = stripOf(scratch);
    } else {
        paint(at, scratch);
        state.previewScratchDoc = stripOf(scratch);
    }

    if (phase == PreviewPhase::release) {
        state.previewScratchState.reset();
        state.previewStrokeStart.reset();
    }
}

}  // namespace glyphloom
