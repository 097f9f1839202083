#include "tui/tools/effects.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "core/color/color_math.hpp"
#include "core/draw/brush.hpp"
#include "core/draw/effects.hpp"
#include "core/draw/stroke.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/painting.hpp"

namespace glyphloom {

namespace {

// The active layer's cell, blank where the layer has none.
ANSICell cellAt(const AppState& state, GridKey at) {
    const ANSICell* cell = activeCellAt(state, at);
    return cell ? *cell : ANSICell::blank();
}

int roundHalfAway(double value) { return static_cast<int>(std::round(value)); }

void spray(GridKey at, AppState& state, const EffectStroke& stroke, RandomSource& random) {
    // A density of 0 sprays nothing, even where pressure would round it up to one dot.
    if (state.tools.sprayDensity <= 0) return;
    int density = state.tools.sprayDensity;
    if (state.tools.velSprayDensity) density = std::max(1, roundHalfAway(density * stroke.pressure()));
    for (const GridKey dot :
         sprayTargets(at, state.tools.sprayRadius, density, state.doc.rows, state.doc.cols, random)) {
        ANSICell cell = cellAt(state, dot);
        if (auto ch = activeCharOpt(state, random)) cell.character = *ch;
        cell.foreground = activeFg(state, random);
        if (state.tools.sprayVariance > 0)
            cell.foreground = jitterColor(cell.foreground, state.tools.sprayVariance / 100.0 * 0.4, random);
        if (state.tools.sprayTargetBG) cell.background = activeBg(state, random);
        cell.blink = false;
        setActiveCell(state, dot, cell);
        for (const MirrorPoint& mirror :
             symmetryPoints(dot, state.tools.symmetryMode, state.doc.rows, state.doc.cols))
            setActiveCell(state, mirror.at, cell);
        advanceCycle(state);
    }
}

// One smudge around `at`: every source is read before anything is written, so the copy does
// not feed on itself within a sample.
void smudgeAt(GridKey at, int dRow, int dCol, AppState& state, const EffectStroke& stroke) {
    const auto pairs = smudgeSources(stroke.imprintAt(at), dRow, dCol, state.doc.rows, state.doc.cols);
    std::vector<ANSICell> copies;
    copies.reserve(pairs.size());
    for (const auto& pair : pairs) copies.push_back(cellAt(state, pair.second));
    for (std::size_t i = 0; i < pairs.size(); ++i) setActiveCell(state, pairs[i].first, copies[i]);
}

void smudge(GridKey at, AppState& state, const EffectStroke& stroke) {
    if (!state.stroke.lastPaint || *state.stroke.lastPaint == at) return;
    const int dRow = at.row - state.stroke.lastPaint->row;
    const int dCol = at.col - state.stroke.lastPaint->col;
    smudgeAt(at, dRow, dCol, state, stroke);
    // Mirrored copies move the mirrored way.
    for (const MirrorPoint& mirror : symmetryPoints(at, state.tools.symmetryMode, state.doc.rows, state.doc.cols))
        smudgeAt(mirror.at, mirror.flipV ? -dRow : dRow, mirror.flipH ? -dCol : dCol, state, stroke);
}

void dodgeBurn(AppState& state, const EffectStroke& stroke, RandomSource& random) {
    const bool lighten = (state.tools.tool == Tool::dodge) != state.stroke.paintSwap;
    double probability = state.tools.dodgeBurnStrength / 50.0;
    double strength = state.tools.dodgeBurnStrength / 100.0;
    if (state.tools.velDodgeBurn) {
        const double f = stroke.pressure();
        probability *= f;
        strength *= f;
    }
    // A 16-colour step is all or nothing; during a drag the probability dithers it. The
    // press itself changes every cell under the brush.
    const bool dither = state.doc.colorDepth == ColorDepth::c16 && state.stroke.lastPaint && probability < 1;
    const EffectChannels channels{state.tools.dodgeBurnFG, state.tools.dodgeBurnBG};
    for (const GridKey key : stroke.footprint()) {
        if (dither && !(probability > random.uniformDouble())) continue;
        setActiveCell(state, key, dodgeBurnCell(cellAt(state, key), lighten, strength, channels));
        ++state.stroke.strokeCellCount;
    }
}

void prism(AppState& state, const EffectStroke& stroke) {
    int steps = state.tools.prismSteps;
    if (state.tools.velPrism) steps = std::max(1, roundHalfAway(steps * stroke.pressure()));
    const EffectChannels channels{state.tools.prismFG, state.tools.prismBG};
    const auto cells = stroke.footprint();
    for (const GridKey key : cells) setActiveCell(state, key, prismCell(cellAt(state, key), 60.0 * steps, channels));
    state.stroke.strokeCellCount += static_cast<int>(cells.size());
}

void scatter(AppState& state, const EffectStroke& stroke, RandomSource& random) {
    double variance = state.tools.scatterVariance / 100.0;
    if (state.tools.velScatter) variance *= stroke.pressure();
    const EffectChannels channels{state.tools.scatterFG, state.tools.scatterBG};
    const auto cells = stroke.footprint();
    for (const GridKey key : cells)
        setActiveCell(state, key, scatterCell(cellAt(state, key), variance, channels, random));
    state.stroke.strokeCellCount += static_cast<int>(cells.size());
}

}  // namespace

void applyEffect(GridKey at, AppState& state) {
    applyEffect(at, state, std::chrono::steady_clock::now(), defaultRandomSource());
}

void applyEffect(GridKey at, AppState& state, TimeStamp now, RandomSource& random) {
    EffectStroke stroke;
    stroke.footprint = [&] { return brushFootprint(at, state); };
    stroke.imprintAt = [&](GridKey p) {
        const int size = state.tools.brush.kind == BrushSize::Kind::cells ? state.tools.brush.n : 1;
        return brushImprint(p, size, state.tools.brushRounded, state.doc.rows, state.doc.cols);
    };
    // Only a tool whose pressure switch is on asks, and it then moves the sample time on so
    // the next sample measures its speed from here.
    stroke.pressure = [&] {
        updateVelocity(at, now, state);
        state.stroke.lastPaintTime = now;
        return pressureFactor(state);
    };
    applyEffect(at, state, stroke, random);
}

void applyEffect(GridKey at, AppState& state, const EffectStroke& stroke, RandomSource& random) {
    switch (state.tools.tool) {
        case Tool::spray: spray(at, state, stroke, random); break;
        case Tool::smudge: smudge(at, state, stroke); break;
        case Tool::dodge:
        case Tool::burn: dodgeBurn(state, stroke, random); break;
        case Tool::prism: prism(state, stroke); break;
        case Tool::scatter: scatter(state, stroke, random); break;
        default: return;
    }
    state.stroke.lastPaint = at;
}

}  // namespace glyphloom
