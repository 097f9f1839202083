// The effect tools (spray, smudge, dodge, burn, prism, scatter): one pointer sample of a drag
// changes the cells already on the active layer. What each does to a cell lives in
// core/draw/effects; the brush cells and the simulated pressure come from the stroke
// machinery through EffectStroke, so the tools can be driven and tested on their own.
#pragma once

#include <functional>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// What a sample needs from the stroke machinery.
struct EffectStroke {
    // The cells the brush covers on the way from the previous sample to this one.
    std::function<std::vector<GridKey>()> footprint;
    // The brush imprint around one point, full size (smudge works point by point).
    std::function<std::vector<GridKey>(GridKey)> imprintAt;
    // A fresh velocity sample turned into the pressure factor (0…1); called only by a tool
    // whose pressure switch is on.
    std::function<double()> pressure;
};

// One sample of the current effect tool at document cell `at`; ends with lastPaint = at.
void applyEffect(GridKey at, AppState& state);
// The same with the sample's time and the source of random picks given, for repeatable strokes.
void applyEffect(GridKey at, AppState& state, TimeStamp now, RandomSource& random);
// The same with the brush cells and pressure supplied by the caller.
void applyEffect(GridKey at, AppState& state, const EffectStroke& stroke, RandomSource& random);

}  // namespace glyphloom
