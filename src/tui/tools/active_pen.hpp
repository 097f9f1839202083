// The colour and character the next stamp uses, with the colour and character cycles and the
// random pools applied, and the advance of those cycles after a stamp. Every tool that writes
// cells with the pen (brushes, shapes, fills, text) reads them here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/draw/shapes.hpp"
#include "core/model/color.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// Random picks are made afresh at every call, so consecutive stamps may differ.
ANSIColorValue activeFg(const AppState& state, RandomSource& random = defaultRandomSource());
ANSIColorValue activeBg(const AppState& state, RandomSource& random = defaultRandomSource());
// Nothing when painting leaves characters alone.
std::optional<std::string> activeCharOpt(const AppState& state, RandomSource& random = defaultRandomSource());

// One stamp done: each running cycle counts it and moves on every `step` stamps.
void advanceCycle(AppState& state);
// What the next `count` stamps would receive, without moving the cycles: shape and block fills
// give their k-th cell frame k. Random channels pick afresh per frame.
std::vector<CycleFrame> simulatedCycleFrames(int count, const AppState& state,
                                             RandomSource& random = defaultRandomSource());

// A stroke begins: the cycles whose reset-per-stroke setting is on start from the top (the
// character cycle from the selected character); the others go on where the last stroke left them.
void restartCyclesForStroke(AppState& state);
// Re-bases the character cycle on the selected character (only while the cycle is on).
void resetCharCycleToSelected(AppState& state);

}  // namespace glyphloom
