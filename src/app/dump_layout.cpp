#include "app/dump_layout.hpp"

#include <charconv>

#include "tui/layout/chrome.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/toolbar.hpp"

namespace glyphloom {

void applyLayoutSetupFlags(const CommandLine& commandLine, AppState& state) {
    if (auto name = commandLine.valuesOf("--tool", 1)) {
        if (auto tool = fromRawValue<Tool>(name->front())) state.tools.tool = *tool;
    }
    struct Flag {
        const char* name;
        bool AppState::*field;
    };
    static const Flag flags[] = {
        {"--charpicker", &AppState::charPickerOpen},   {"--panel", &AppState::toolPanelOpen},
        {"--layers", &AppState::layersPanelOpen},      {"--palette", &AppState::palettePickerOpen},
        {"--about", &AppState::aboutOpen},             {"--fades", &AppState::fadesPanelOpen},
        {"--depthmenu", &AppState::depthPickerOpen},   {"--saveopts", &AppState::saveOptionsOpen},
        {"--savemenu", &AppState::saveOptionsOpen},    {"--presetfilemenu", &AppState::presetFileMenuOpen},
        {"--fontbrowser", &AppState::fontBrowserOpen2}, {"--docbrowser", &AppState::fileBrowserOpen},
        {"--sizemenu", &AppState::sizePickerOpen},
    };
    for (const Flag& flag : flags)
        if (commandLine.has(flag.name)) state.*flag.field = true;
    if (commandLine.has("--ownfill")) state.tools.shapeFill.enabled = true;
    if (commandLine.has("--fontbrowse")) {
        state.fontBrowserOpen2 = true;
        state.fontBrowserMode = true;
    }
    if (commandLine.has("--refimgbrowser")) {
        state.fileBrowserOpen = true;
        state.imageBrowserMode = true;
    }
    if (commandLine.has("--charsetmenu")) {
        state.charPickerOpen = true;
        state.charsetMenuOpen = true;
    }
    if (auto path = commandLine.valuesOf("--imageimport", 1)) state.imageImportPath = path->front();
    if (auto value = commandLine.valuesOf("--charset", 1)) {
        int index = 0;
        const std::string& text = value->front();
        if (std::from_chars(text.data(), text.data() + text.size(), index).ec == std::errc()) state.charsetIndex = index;
    }
    if (commandLine.has("--addlayer")) addLayer(state);
    // A browser opened by a flag lists its folder, as opening it from the editor does.
    if (state.fileBrowserOpen) refreshBrowse(state);
}

void dumpLayout(const AppState& state, int rows, int cols, std::FILE* out) {
    Screen screen([](std::string_view) {}, false);
    screen.resize(rows, cols);
    const Layout layout = Chrome::compose(state, screen);
    std::fprintf(out, "size %dx%d\n", rows, cols);
    std::fprintf(out, "class %s\n", std::string(sizeClassName(layout.sizeClass)).c_str());
    // The rows the frame gave each part (-1: not shown) and the window the sidebar scrolls.
    std::fprintf(out, "rows\tstatus %d\tpreset %d\tcolor %d\n", layout.statusVisible ? layout.statusRow() : -1,
                 layout.presetVisible ? layout.presetRow() : -1, layout.colorRow());
    std::fprintf(out, "canvas\t%d\t%d\t%d\t%d\tview %d,%d\n", layout.canvasTop(), layout.canvasLeft(),
                 layout.canvasHeight(), layout.canvasWidth(), layout.viewRow, layout.viewCol);
    std::fprintf(out, "sidebar\tscroll %d of %d\tpage %d\toptions at %d\n", layout.sidebarScroll,
                 layout.sidebarMaxScroll, layout.sidebarPage, layout.sidebarOptionsRow);
    for (const NamedSpan& region : namedRegions(layout))
        std::fprintf(out, "%s\t%d\t%d\t%d\n", region.name.c_str(), region.span.row, region.span.colStart,
                     region.span.colEnd);
}

}  // namespace glyphloom
