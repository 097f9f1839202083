// The live sample of the current tool in the sidebar preview box, the sample of a hovered
// preset, and try-out strokes drawn in the box. Every sample runs the real tool code on a
// throw-away editor state whose own document is the strip; the real document and its undo
// history are left as they were.
#pragma once

#include <memory>
#include <string>

#include "core/model/cell.hpp"
#include "core/model/cell_grid.hpp"
#include "core/model/random_source.hpp"
#include "tui/layout/layout.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

enum class PreviewPhase { press, drag, release };

// A fresh editor state whose single layer is a blank strip of the preview's size, carrying
// every setting the tools read (tool, brush, pen, cycles and pools, shapes, fills, symmetry,
// effects). The cycles start from their beginning, so a sample depends on settings only.
AppState scratchToolState(const AppState& from);

// What the current tool with its settings draws in the strip (previewStripRows rows,
// preview.stripCols columns).
CellGrid simulateToolPreview(const AppState& from);
CellGrid simulateToolPreview(const AppState& from, RandomSource& random);

// Text naming every setting the sample of the current tool depends on, and nothing else.
std::string toolPreviewFingerprint(const AppState& state);

// Rebuilds the sample when the fingerprint has changed; not for Panspect, nor while a
// try-out strip is shown.
void updateToolPreview(AppState& state);
// The same for the strip width `layout` gives the preview box.
void updateToolPreview(AppState& state, const Layout& layout);
// The sample of the filled preset slot under the pointer, computed once per slot hovered.
void updatePresetHoverPreview(AppState& state, const Layout& layout);

// One pointer event of a try-out stroke at strip cell `at`.
void previewScratchApply(GridKey at, PreviewPhase phase, AppState& state);
// A press in the preview box starts a try-out stroke that the pointer's moves carry on
// until the button comes up (wherever it comes up).
void startPreviewStroke(GridKey at, AppState& state);
void endPreviewStroke(GridKey at, AppState& state);
// The box's title throws the try-out strokes away and shows the live sample again.
void clearPreviewTryout(AppState& state);

}  // namespace glyphloom
