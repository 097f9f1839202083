// The overlays, drawn over everything else in the overlay table's stacking order, each only
// while it is open. This file only knows which drawing belongs to which overlay.
#include "tui/layout/parts.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom::chrome {
namespace {

void drawOverlay(Overlay overlay, const AppState& state, Screen& screen, Layout& layout) {
    switch (overlay) {
        case Overlay::sizePicker: return drawCanvasSizePicker(state, screen, layout);
        case Overlay::palettePicker: return drawPalettePicker(state, screen, layout);
        case Overlay::imageImport: return drawImageImportBox(state, screen, layout);
        case Overlay::fontBrowser: return drawFontBrowser(state, screen, layout);
        case Overlay::fadesPanel: return drawFadesPanel(state, screen, layout);
        case Overlay::layersPanel: return drawLayersPanel(state, screen, layout);
        case Overlay::toolPanel:
            // A small terminal shows the tool's options in the sidebar instead.
            if (layout.sizeClass != Layout::SizeClass::small) drawFloatingToolPanel(state, screen, layout);
            return;
        case Overlay::depthPicker: return drawColorDepthPicker(state, screen, layout);
        case Overlay::presetFileMenu: return drawPresetFileMenu(state, screen, layout);
        case Overlay::sauceBox: return drawSauceBox(state, screen, layout);
        case Overlay::saveOptions: return drawSaveOptionsBox(state, screen, layout);
        case Overlay::panspectInspector: return drawPanspectInspector(state, screen, layout);
        case Overlay::fileBrowser: return drawFileBrowser(state, screen, layout);
        case Overlay::history: return;  // unfolds from the status line, drawn with it
        case Overlay::about: return drawAboutBox(state, screen, layout);
        case Overlay::help: return drawHelpBox(state, screen, layout);
        case Overlay::charPicker: return drawCharPicker(state, screen, layout);
    }
}

}  // namespace

void drawOverlays(const AppState& state, Screen& screen, Layout& layout) {
    for (const OverlayEntry& overlay : overlayTable())
        if (overlay.isOpen(state)) drawOverlay(overlay.id, state, screen, layout);
}

}  // namespace glyphloom::chrome
