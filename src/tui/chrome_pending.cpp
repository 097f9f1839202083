// Interface pieces whose drawing is still being built; each draws nothing yet.
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

int drawToolOptions(const AppState&, Screen&, Layout&, int row, int) { return row; }
void drawSidebarToolPanel(const AppState&, Screen&, Layout&, int, int) {}
bool toolHasPanelItems(Tool) { return false; }
void drawColorRow(const AppState&, Screen&, Layout&) {}
void drawPalettePicker(const AppState&, Screen&, Layout&) {}
void drawFadesPanel(const AppState&, Screen&, Layout&) {}
void drawFloatingToolPanel(const AppState&, Screen&, Layout&) {}
void drawCharPicker(const AppState&, Screen&, Layout&) {}

}  // namespace glyphloom::chrome
