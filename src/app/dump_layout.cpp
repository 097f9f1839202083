#include "app/dump_layout.hpp"

#include <charconv>

#include "tui/layout/chrome.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {

void applyLayoutSetupFlags(const CommandLine& commandLine, AppState& state) {
    if (auto name = commandLine.valuesOf("--tool", 1)) {
        if (auto tool = fromRawValue<Tool>(name->front())) state.tools.tool = *tool;
    }
    struct Flag {
        const char* name;
        Overlay overlay;
    };
    // One overlay is open at a time: of several flags, the last listed here wins.
    static const Flag flags[] = {
        {"--charpicker", Overlay::charPicker},   {"--layers", Overlay::layersPanel},
        {"--palette", Overlay::palettePicker},   {"--about", Overlay::about},
        {"--fades", Overlay::fadesPanel},        {"--depthmenu", Overlay::depthPicker},
        {"--saveopts", Overlay::saveOptions},    {"--savemenu", Overlay::saveOptions},
        {"--presetfilemenu", Overlay::presetFileMenu}, {"--fontbrowser", Overlay::fontBrowser},
        {"--docbrowser", Overlay::fileBrowser},  {"--sizemenu", Overlay::sizePicker},
    };
    for (const Flag& flag : flags)
        if (commandLine.has(flag.name)) openOverlay(flag.overlay, state);
    if (commandLine.has("--panel")) state.toolPanelOpen = true;
    if (commandLine.has("--ownfill")) state.tools.shapeFill.enabled = true;
    if (commandLine.has("--fontbrowse")) {
        openOverlay(Overlay::fontBrowser, state);
        state.fontFileListing = true;
    }
    if (commandLine.has("--refimgbrowser")) {
        openOverlay(Overlay::fileBrowser, state);
        state.browseFor = BrowseFor::image;
    }
    if (commandLine.has("--charsetmenu")) {
        openOverlay(Overlay::charPicker, state);
        state.charsetMenuOpen = true;
    }
    if (auto path = commandLine.valuesOf("--imageimport", 1)) {
        openOverlay(Overlay::imageImport, state);
        state.imageImportPath = path->front();
    }
    if (auto value = commandLine.valuesOf("--charset", 1)) {
        int index = 0;
        const std::string& text = value->front();
        if (std::from_chars(text.data(), text.data() + text.size(), index).ec == std::errc()) state.charsetIndex = index;
    }
    if (commandLine.has("--addlayer")) addLayer(state);
    // A browser opened by a flag lists its folder, as opening it from the editor does.
    if (state.overlay == Overlay::fileBrowser) refreshBrowse(state);
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
