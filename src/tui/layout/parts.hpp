// The pieces Chrome::compose draws, in frame order. Each reads the editor state, draws into
// the back buffer and records its clickable regions in the frame's layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tui/state/app_state.hpp"
#include "tui/state/bar_action.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom::chrome {

// --- Menu bar ---
struct BarButton {
    std::string label;
    BarAction action;
    bool enabled = true;
};
std::vector<std::vector<BarButton>> barGroups(const AppState& state);
// Columns the buttons take: a space before each label, " │" between groups.
int barWidth(const std::vector<std::vector<BarButton>>& groups);
std::string tooltip(BarAction action, const AppState& state);
// True while the file name, a load path, a font path or the canvas size is being typed.
bool typingInBar(const AppState& state);
// The SAUCE credit label shown in the bar and in the SAUCE box; empty when there is none.
std::string sauceCreditText(const AppState& state);
void drawMenuBar(const AppState& state, Screen& screen, Layout& layout);

// --- Sidebar ---
void drawSidebar(const AppState& state, Screen& screen, Layout& layout);

// --- Canvas ---
void drawCanvas(const AppState& state, Screen& screen, const Layout& layout);

// --- Bottom of the screen ---
std::vector<std::string> statusHints(const AppState& state);
// What takes the hints' place on the status line: the quit warning while quit is armed, else
// a note still fresh; nothing otherwise.
std::optional<std::string> noteOnStatusLine(const AppState& state);
// Which rows and columns of the document are in view, e.g. "↕1–19/50 ↔1–71/160"; empty when
// the whole document is.
std::string viewPositionText(const Layout& layout);
void drawBottomRows(const AppState& state, Screen& screen, Layout& layout);
void drawStatusLine(const AppState& state, Screen& screen, Layout& layout);
void drawStatusHistory(const AppState& state, Screen& screen, const Layout& layout);
void drawPresetRow(const AppState& state, Screen& screen, Layout& layout);
// Hover texts over bar buttons and preset slots. Controls drawn later (overlays) put their
// own hover text with showStatusHover when the pointer rests on them.
void drawHoverTexts(const AppState& state, Screen& screen, const Layout& layout);
void showStatusHover(Screen& screen, const Layout& layout, std::string_view text, const ANSIColorValue& fg);

// --- Overlays, each only while its flag is set, in stacking order ---
void drawOverlays(const AppState& state, Screen& screen, Layout& layout);
void drawCanvasSizePicker(const AppState& state, Screen& screen, Layout& layout);
void drawImageImportBox(const AppState& state, Screen& screen, Layout& layout);
void drawFontBrowser(const AppState& state, Screen& screen, Layout& layout);
// On top of everything while the main loop imports an archive of fonts.
void drawFontImportProgress(const AppState& state, Screen& screen, Layout& layout);
void drawLayersPanel(const AppState& state, Screen& screen, Layout& layout);
void drawColorDepthPicker(const AppState& state, Screen& screen, Layout& layout);
void drawPresetFileMenu(const AppState& state, Screen& screen, Layout& layout);
void drawSauceBox(const AppState& state, Screen& screen, Layout& layout);
void drawSaveOptionsBox(const AppState& state, Screen& screen, Layout& layout);
void drawPanspectInspector(const AppState& state, Screen& screen, Layout& layout);
void drawFileBrowser(const AppState& state, Screen& screen, Layout& layout);
void drawAboutBox(const AppState& state, Screen& screen, Layout& layout);
void drawHelpBox(const AppState& state, Screen& screen, Layout& layout);

// --- Tool panels, colour row and palette ---
// The current tool's option rows in the sidebar from `row`, stopping above `bottom`; returns
// the first row left free.
int drawToolOptions(const AppState& state, Screen& screen, Layout& layout, int row, int bottom);
// In the small size class with the tool panel open, the panel replaces the tool list; returns
// the first row left free.
int drawSidebarToolPanel(const AppState& state, Screen& screen, Layout& layout, int top, int bottom);
void drawColorRow(const AppState& state, Screen& screen, Layout& layout);
void drawPalettePicker(const AppState& state, Screen& screen, Layout& layout);
void drawFadesPanel(const AppState& state, Screen& screen, Layout& layout);
void drawFloatingToolPanel(const AppState& state, Screen& screen, Layout& layout);
void drawCharPicker(const AppState& state, Screen& screen, Layout& layout);

}  // namespace glyphloom::chrome
