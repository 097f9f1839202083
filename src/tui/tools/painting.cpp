#include "tui/tools/painting.hpp"

#include <array>
#include <cstdint>

#include "core/draw/brush.hpp"
#include "core/draw/stroke.hpp"
#include "core/text/utf8.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/effects.hpp"
#include "tui/tools/pen_tool.hpp"

namespace glyphloom {

namespace {

constexpr std::array<const char*, 4> velocityShades{"░", "▒", "▓", "█"};

// What one imprint writes: decided once, so every cell of it (and its mirror copies) match.
struct Ink {
    std::optional<std::string> character;  // nothing: keep the cell's own
    ANSIColorValue fg;
    ANSIColorValue bg;
};

Ink currentInk(const std::optional<std::string>& charOverride, const AppState& state, RandomSource& random) {
    Ink ink{charOverride ? charOverride : activeCharOpt(state, random), activeFg(state, random),
            activeBg(state, random)};
    return ink;
}

ANSICell inked(ANSICell cell, const Ink& ink, const AppState& state) {
    const ANSICell before = cell;
    if (ink.character) cell.character = *ink.character;
    if (!state.tools.fgNull) cell.foreground = ink.fg;
    if (!state.tools.bgNull) cell.background = ink.bg;
    if (state.stroke.paintSwap) {
        cell.foreground = state.tools.bgNull ? before.foreground : ink.bg;
        cell.background = state.tools.fgNull ? before.background : ink.fg;
    }
    cell.blink = false;
    return cell;
}

void imprint(GridKey at, GridKey from, bool erase, const Ink& ink, AppState& state) {
    if (state.tools.brush.kind != BrushSize::Kind::cells) {
        if (!state.doc.contains(at)) return;
        const ANSICell* existing = activeCellAt(state, at);
        if (!existing) return;
        ANSICell cell = *existing;
        const std::uint8_t part = subCellPart(state.tools.brush, at.row - from.row, at.col - from.col);
        const std::uint8_t bits = charToQuadrant(cell.character.str());
        if (erase) {
            cell.character = quadrantChars(static_cast<std::uint8_t>(bits & ~part));
            cell.blink = false;
        } else {
            cell = inked(cell, Ink{std::string(quadrantChars(static_cast<std::uint8_t>(bits | part))), ink.fg, ink.bg},
                         state);
        }
        setActiveCell(state, at, cell);
        return;
    }
    const int size = pressuredBrushSize(state.tools.brush.n, state.tools.velocityControlsSize, pressureFactor(state));
    for (const GridKey cell : brushImprint(at, size, state.tools.brushRounded, state.doc.rows, state.doc.cols)) {
        if (erase) {
            setActiveCell(state, cell, ANSICell::blank());
        } else if (const ANSICell* existing = activeCellAt(state, cell)) {
            setActiveCell(state, cell, inked(*existing, ink, state));
        }
    }
}

void stampWithMirrors(GridKey at, GridKey from, bool erase, const Ink& ink, AppState& state) {
    imprint(at, from, erase, ink, state);
    // Mirror copies keep the unmirrored movement, so a sub-cell brush repeats the same quadrant.
    for (const MirrorPoint& mirror : symmetryPoints(at, state.tools.symmetryMode, state.doc.rows, state.doc.cols))
        imprint(mirror.at, GridKey{mirror.at.row - (at.row - from.row), mirror.at.col - (at.col - from.col)}, erase,
                ink, state);
}

void brushStroke(GridKey at, AppState& state, TimeStamp now, RandomSource& random) {
    const bool erase = state.tools.tool == Tool::eraser;
    std::optional<std::string> shade;
    if (state.tools.tool == Tool::draw) {
        shade = shadeForVelocity(at, now, state);
    } else {
        updateVelocity(at, now, state);
    }
    GridKey previous = state.stroke.lastPaint.value_or(at);
    for (const GridKey p : strokePath(state.stroke.lastPaint, at)) {
        const Ink ink = erase ? Ink{} : currentInk(shade, state, random);
        stampWithMirrors(p, previous, erase, ink, state);
        ++state.stroke.strokeCellCount;
        if (!erase) advanceCycle(state);
        previous = p;
    }
    state.stroke.lastPaint = at;
    state.stroke.lastPaintTime = now;
}

}  // namespace

void liftKeyboardPen(AppState& state) { endStroke(state); }

void endStroke(AppState& state) { state.stroke = Stroke{}; }

std::string lowerToolName(Tool tool) { return utf8::asciiLowercase(rawValue(tool)); }

void beginStroke(AppState& state) {
    state.stroke = Stroke{};
    restartCyclesForStroke(state);
}

void paint(GridKey at, AppState& state) { paint(at, state, std::chrono::steady_clock::now(), defaultRandomSource()); }

void paint(GridKey at, AppState& state, TimeStamp now, RandomSource& random) {
    switch (state.tools.tool) {
        case Tool::paint:
        case Tool::eraser:
        case Tool::draw: brushStroke(at, state, now, random); return;
        case Tool::pen: penStroke(at, state, random); return;
        case Tool::spray:
        case Tool::smudge:
        case Tool::dodge:
        case Tool::burn:
        case Tool::prism:
        case Tool::scatter: applyEffect(at, state, now, random); return;
        case Tool::fill:
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::text:
        case Tool::select:
        case Tool::pans: return;
    }
}

void stampBrush(GridKey at, GridKey from, bool erase, const std::optional<std::string>& charOverride,
                AppState& state, RandomSource& random) {
    imprint(at, from, erase, erase ? Ink{} : currentInk(charOverride, state, random), state);
}

void updateVelocity(GridKey to, TimeStamp at, AppState& state) {
    state.stroke.velocity =
        glyphloom::updateVelocity(state.stroke.velocity, state.stroke.lastPaint, state.stroke.lastPaintTime, to, at);
}

double pressureFactor(const AppState& state) { return glyphloom::pressureFactor(state.stroke.velocity); }

std::string shadeForVelocity(GridKey to, TimeStamp at, AppState& state) {
    updateVelocity(to, at, state);
    const int index = std::min(3, static_cast<int>(4 * pressureFactor(state)));
    return velocityShades[static_cast<std::size_t>(index)];
}

std::vector<GridKey> brushFootprint(GridKey to, const AppState& state) {
    return glyphloom::brushFootprint(state.stroke.lastPaint, to, state.tools.brush, state.tools.brushRounded,
                                     state.doc.rows, state.doc.cols);
}

}  // namespace glyphloom
