// Which box or panel is open over the editor. The boxes and panels exclude each other: the
// editor keeps one `std::optional<Overlay>` (`AppState::overlay`), so opening one closes the
// one before. Three rows of the overlay table are not held there: the SAUCE box and the tool
// panel, which stay open beneath the boxes opened over them (`AppState::sauceBoxOpen`,
// `AppState::toolPanelOpen`), and the Panspect inspector, which is open while its tool is.
#pragma once

namespace glyphloom {

enum class Overlay {
    sizePicker,
    palettePicker,
    imageImport,
    fontBrowser,
    fadesPanel,
    layersPanel,
    toolPanel,
    depthPicker,
    presetFileMenu,
    sauceBox,
    saveOptions,
    panspectInspector,
    fileBrowser,
    history,
    about,
    help,
    charPicker,
};

// What the file browser lists and what picking a file does.
enum class BrowseFor { documents, image, presets };

}  // namespace glyphloom
