#include "tui/tools/effects.hpp"

#include <cmath>
#include <vector>

#include "core/color/color_math.hpp"
#include "core/draw/effects.hpp"
#include "core/draw/mirror_points.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

namespace {

// Document cells of the active layer: reads outside the layer are blank, writes are dropped.
ANSICell readCell(const Layer& layer, GridKey at) {
    const ANSICell* cell = layer.cells.cellAt(at.row - layer.rowOffset, at.col - layer.colOffset);
    return cell ? *cell : ANSICell::blank();
}

void writeCell(Layer& layer, GridKey at, const ANSICell& cell) {
    layer.cells.set(at.row - layer.rowOffset, at.col - layer.colOffset, cell);
}

int roundHalfAway(double value) { return static_cast<int>(std::round(value)); }

void spray(GridKey at, Layer& layer, AppState& state, const EffectStroke& stroke, RandomSource& random) {
    // A density of 0 sprays nothing, even where pressure would round it up to one dot.
    if (state.sprayDensity <= 0) return;
    int density = state.sprayDensity;
    if (state.velSprayDensity) density = std::max(1, roundHalfAway(density * stroke.pressure()));
    for (const GridKey dot : sprayTargets(at, state.sprayRadius, density, AppState::docRows, AppState::docCols, random)) {
        ANSICell cell = readCell(layer, dot);
        if (auto ch = activeCharOpt(state, random)) cell.character = *ch;
        cell.foreground = activeFg(state, random);
        if (state.sprayVariance > 0)
            cell.foreground = jitterColor(cell.foreground, state.sprayVariance / 100.0 * 0.4, random);
        if (state.sprayTargetBG) cell.background = activeBg(state, random);
        cell.blink = false;
        writeCell(layer, dot, cell);
        for (const GridKey mirror : mirrorPoints(dot, AppState::docRows, AppState::docCols, state.symmetryMode)) writeCell(layer, mirror, cell);
        advanceCycle(state);
    }
}

// One smudge at `at`: every source is read before anything is written, so the copy does not
// feed on itself within a sample.
void smudgeOnce(GridKey at, int dRow, int dCol, Layer& layer, const EffectStroke& stroke) {
    const auto pairs = smudgeSources(stroke.imprintAt(at), dRow, dCol,
                                     AppState::docRows, AppState::docCols);
    std::vector<ANSICell> copies;
    copies.reserve(pairs.size());
    for (const auto& [dst, src] : pairs) copies.push_back(readCell(layer, src));
    for (std::size_t i = 0; i < pairs.size(); ++i) writeCell(layer, pairs[i].first, copies[i]);
}

void smudge(GridKey at, Layer& layer, const AppState& state, const EffectStroke& stroke) {
    if (!state.lastPaint || *state.lastPaint == at) return;
    const int dRow = at.row - state.lastPaint->row;
    const int dCol = at.col - state.lastPaint->col;
    smudgeOnce(at, dRow, dCol, layer, stroke);
    // Mirrored copies move the mirrored way.
    const int mirroredRow = AppState::docRows - 1 - at.row;
    const int mirroredCol = AppState::docCols - 1 - at.col;
    const bool h = state.symmetryMode == SymmetryMode::horizontal || state.symmetryMode == SymmetryMode::both;
    const bool v = state.symmetryMode == SymmetryMode::vertical || state.symmetryMode == SymmetryMode::both;
    if (h) smudgeOnce({at.row, mirroredCol}, dRow, -dCol, layer, stroke);
    if (v) smudgeOnce({mirroredRow, at.col}, -dRow, dCol, layer, stroke);
    if (h && v) smudgeOnce({mirroredRow, mirroredCol}, -dRow, -dCol, layer, stroke);
}

void dodgeBurn(Layer& layer, AppState& state, const EffectStroke& stroke, RandomSource& random) {
    const bool lighten = (state.tool == Tool::dodge) != state.paintSwap;
    double probability = state.dodgeBurnStrength / 50.0;
    double strength = state.dodgeBurnStrength / 100.0;
    if (state.velDodgeBurn) {
        const double f = stroke.pressure();
        probability *= f;
        strength *= f;
    }
    // A 16-colour step is all or nothing; during a drag the probability dithers it. The
    // press itself changes every cell under the brush.
    const bool dither = state.colorDepth == ColorDepth::c16 && state.lastPaint && probability < 1;
    const EffectChannels channels{state.dodgeBurnFG, state.dodgeBurnBG};
    for (const GridKey key : stroke.footprint()) {
        if (dither && !(probability > random.uniformDouble())) continue;
        writeCell(layer, key, dodgeBurnCell(readCell(layer, key), lighten, strength, channels));
        ++state.strokeCellCount;
    }
}

void prism(Layer& layer, AppState& state, const EffectStroke& stroke) {
    int steps = state.prismSteps;
    if (state.velPrism) steps = std::max(1, roundHalfAway(steps * stroke.pressure()));
    const EffectChannels channels{state.prismFG, state.prismBG};
    const auto cells = stroke.footprint();
    for (const GridKey key : cells) writeCell(layer, key, prismCell(readCell(layer, key), 60.0 * steps, channels));
    state.strokeCellCount += static_cast<int>(cells.size());
}

void scatter(Layer& layer, AppState& state, const EffectStroke& stroke, RandomSource& random) {
    double variance = state.scatterVariance / 100.0;
    if (state.velScatter) variance *= stroke.pressure();
    const EffectChannels channels{state.scatterFG, state.scatterBG};
    const auto cells = stroke.footprint();
    for (const GridKey key : cells) writeCell(layer, key, scatterCell(readCell(layer, key), variance, channels, random));
    state.strokeCellCount += static_cast<int>(cells.size());
}

}  // namespace

void applyEffect(GridKey at, AppState& state, const EffectStroke& stroke, RandomSource& random) {
    if (validLayer(state, state.activeLayerIndex)) {
        Layer& layer = state.layers[static_cast<std::size_t>(state.activeLayerIndex)];
        switch (state.tool) {
            case Tool::spray: spray(at, layer, state, stroke, random); break;
            case Tool::smudge: smudge(at, layer, state, stroke); break;
            case Tool::dodge:
            case Tool::burn: dodgeBurn(layer, state, stroke, random); break;
            case Tool::prism: prism(layer, state, stroke); break;
            case Tool::scatter: scatter(layer, state, stroke, random); break;
            default: return;
        }
    }
    state.lastPaint = at;
}

}  // namespace glyphloom
