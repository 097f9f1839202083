// Overlays whose drawing is still being built; each draws nothing yet.
#include "tui/chrome_parts.hpp"

namespace glyphloom::chrome {

void drawCanvasSizePicker(const AppState&, Screen&, Layout&) {}
void drawImageImportBox(const AppState&, Screen&, Layout&) {}
void drawFontBrowser(const AppState&, Screen&, Layout&) {}
void drawLayersPanel(const AppState&, Screen&, Layout&) {}
void drawColorDepthPicker(const AppState&, Screen&, Layout&) {}
void drawPresetFileMenu(const AppState&, Screen&, Layout&) {}
void drawSauceBox(const AppState&, Screen&, Layout&) {}
void drawSaveOptionsBox(const AppState&, Screen&, Layout&) {}
void drawPanspectInspector(const AppState&, Screen&, Layout&) {}
void drawFileBrowser(const AppState&, Screen&, Layout&) {}
void drawAboutBox(const AppState&, Screen&, Layout&) {}

}  // namespace glyphloom::chrome
