// The actions of the menu bar's buttons (and of the few controls elsewhere that act on the
// whole document like them).
#pragma once

#include <array>
#include <utility>

namespace glyphloom {

enum class BarAction { undo, redo, save, clear, load, refImage, layers, layerShift, canvasSize, colorDepth, mirror, help };

// The canvas sizes the size picker offers, as (columns, rows).
inline constexpr std::array<std::pair<int, int>, 4> canvasSizePresets = {{{80, 25}, {80, 50}, {160, 50}, {160, 100}}};

}  // namespace glyphloom
