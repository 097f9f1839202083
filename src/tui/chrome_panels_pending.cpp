// Tool panels, colour row and palette pieces whose drawing is still being built; each draws nothing yet.
#include "tui/chrome_parts.hpp"
#include "tui/panels.hpp"

namespace glyphloom::chrome {

int drawToolOptions(const AppState&, Screen&, Layout&, int row, int) { return row; }
void drawSidebarToolPanel(const AppState&, Screen&, Layout&, int, int) {}
bool toolHasPanelItems(Tool tool) { return glyphloom::toolHasPanelItems(tool); }
void drawColorRow(const AppState&, Screen&, Layout&) {}
void drawPalettePicker(const AppState&, Screen&, Layout&) {}
void drawFadesPanel(const AppState&, Screen&, Layout&) {}
void drawFloatingToolPanel(const AppState&, Screen&, Layout&) {}
void drawCharPicker(const AppState&, Screen&, Layout&) {}

}  // namespace glyphloom::chrome
