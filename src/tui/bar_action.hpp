// The actions of the menu bar's buttons (and of the few controls elsewhere that act on the
// whole document like them).
#pragma once

namespace glyphloom {

enum class BarAction { undo, redo, save, clear, load, refImage, layers, layerShift, canvasSize, colorDepth, mirror, help };

}  // namespace glyphloom
