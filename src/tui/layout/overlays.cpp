// The overlays, drawn over everything else in a fixed stacking order, each only while its
// flag in the editor state is set.
#include "tui/layout/parts.hpp"

namespace glyphloom::chrome {

void drawOverlays(const AppState& state, Screen& screen, Layout& layout) {
    if (state.sizePickerOpen) drawCanvasSizePicker(state, screen, layout);
    if (state.palettePickerOpen) drawPalettePicker(state, screen, layout);
    if (state.imageImportPath) drawImageImportBox(state, screen, layout);
    if (state.fontBrowserOpen2) drawFontBrowser(state, screen, layout);
    if (state.fadesPanelOpen) drawFadesPanel(state, screen, layout);
    if (state.layersPanelOpen) drawLayersPanel(state, screen, layout);
    if (state.toolPanelOpen && layout.sizeClass != Layout::SizeClass::small) drawFloatingToolPanel(state, screen, layout);
    if (state.depthPickerOpen) drawColorDepthPicker(state, screen, layout);
    if (state.presetFileMenuOpen) drawPresetFileMenu(state, screen, layout);
    if (state.sauceBoxOpen) drawSauceBox(state, screen, layout);
    if (state.saveOptionsOpen) drawSaveOptionsBox(state, screen, layout);
    if (state.tool == Tool::pans) drawPanspectInspector(state, screen, layout);
    if (state.fileBrowserOpen) drawFileBrowser(state, screen, layout);
    if (state.aboutOpen) drawAboutBox(state, screen, layout);
    if (state.helpOpen) drawHelpBox(state, screen, layout);
    if (state.charPickerOpen || state.charsetMenuOpen) drawCharPicker(state, screen, layout);
}

}  // namespace glyphloom::chrome
