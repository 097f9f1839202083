// What the effect tools do to one cell or one sample, apart from the editor: where spray
// dots land, where smudge copies from, and the colour changes of dodge, burn, prism and
// scatter. The tools in tui/tools/effects walk the brush and apply these.
#pragma once

#include <utility>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/random_source.hpp"

namespace glyphloom {

// Which colours of a cell an effect changes.
struct EffectChannels {
    bool fg = true;
    bool bg = false;
};

// The cells hit by `density` random throws within `radius` columns of `at` (half as many
// rows, since cells are twice as tall as wide). Throws outside the circle or the
// rows × columns document are dropped, not retried.
std::vector<GridKey> sprayTargets(GridKey at, int radius, int density, int rows, int columns,
                                  RandomSource& random = defaultRandomSource());

// (destination, source) pairs that drag the content under `footprint` along by
// (dRow, dCol); sources are clamped to the document so edges smear outward.
std::vector<std::pair<GridKey, GridKey>> smudgeSources(const std::vector<GridKey>& footprint, int dRow, int dCol,
                                                       int rows, int columns);

// One lighten or darken step of the chosen colours; character and blink stay.
ANSICell dodgeBurnCell(const ANSICell& cell, bool lighten, double strength, EffectChannels channels);
// Hue rotation of the chosen colours by `degrees`.
ANSICell prismCell(const ANSICell& cell, double degrees, EffectChannels channels);
// Random RGB noise of ±truncate(variance × 255) on the chosen colours, each kept in its kind.
ANSICell scatterCell(const ANSICell& cell, double variance, EffectChannels channels,
                     RandomSource& random = defaultRandomSource());

}  // namespace glyphloom
