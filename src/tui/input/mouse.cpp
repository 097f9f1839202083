// Pointer presses, moves and releases: the overlays' own controls first, then the bar, the
// sidebar, the colour and preset rows, and finally the canvas.
#include <algorithm>
#include <cstdlib>

#include "tui/input/dispatch.hpp"
#include "tui/input/panel_clicks.hpp"
#include "tui/actions/about_box.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/font_browser.hpp"
#include "tui/actions/image_import.hpp"
#include "tui/actions/keyboard_pointer.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/actions/sauce_box.hpp"
#include "tui/actions/save_options.hpp"
#include "tui/actions/tool_options.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/actions/view_scroll.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/actions/canvas_press.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/panspect.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/tool_preview.hpp"

namespace glyphloom {
namespace {

// The file browser takes every click while it is open; one outside its rows closes it.
void fileBrowserClick(int x, int y, AppState& state, const Layout& layout) {
    if (hit(layout.fileBrowserTypeSpan, x, y)) return startBrowsePathEntry(state);
    if (hit(layout.browseUpSpan, x, y)) return pageBrowse(false, layout.browsePageSize, state);
    if (hit(layout.browseDownSpan, x, y)) return pageBrowse(true, layout.browsePageSize, state);
    for (std::size_t i = 0; i < layout.fileBrowserSpans.size(); ++i) {
        if (!layout.fileBrowserSpans[i].span.contains(x, y)) continue;
        // Rows are drawn from the scroll position on.
        return activateBrowseEntry(state.browseScroll + static_cast<int>(i), state);
    }
    closeFileBrowser(state);
}

// The font browser: pick a face, keep it or go back to the one before, import, remove.
void fontBrowserClick(int x, int y, int button, AppState& state, const Layout& layout) {
    if (state.fontFileListing) {  // choosing a font file: the folder listing
        if (hit(layout.browseUpSpan, x, y)) return pageBrowse(false, layout.browsePageSize, state);
        if (hit(layout.browseDownSpan, x, y)) return pageBrowse(true, layout.browsePageSize, state);
        for (std::size_t i = 0; i < layout.fileBrowserSpans.size(); ++i) {
            if (layout.fileBrowserSpans[i].span.contains(x, y))
                return fontFileEntryTapped(state.browseScroll + static_cast<int>(i), state);
        }
        return;
    }
    if (state.fontDeletePending) return answerFontDelete(hit(layout.fontDeleteYesSpan, x, y), state);
    if (const auto* row = hit(layout.fontRowSpans, x, y)) return fontRowTapped(row->value, button == 2, state);
    const int page = std::max(1, layout.fontListPage);
    if (hit(layout.fontListUpSpan, x, y)) return scrollFontList(-page, layout.fontListMaxScroll, state);
    if (hit(layout.fontListDownSpan, x, y)) return scrollFontList(page, layout.fontListMaxScroll, state);
    if (hit(layout.fontImportSpan, x, y)) return openFontFileListing(state);
    if (hit(layout.fontURLSpan, x, y)) return startFontURLEntry(state);
    if (hit(layout.fontOKSpan, x, y)) return closeFontBrowser(true, state);
    if (hit(layout.fontCancelSpan, x, y)) return closeFontBrowser(false, state);
}

// The colour-depth picker's rows; a click elsewhere closes it.
void depthPickerClick(int x, int y, AppState& state, const Layout& layout) {
    if (hit(layout.blinkModeSpan, x, y)) return toggleBlinkingTextFromDepthPicker(state);
    if (hit(layout.conformSpan, x, y)) return conformDocument(state);
    if (const auto* tint = hit(layout.monoTintSpans, x, y)) return setMonoTint(tint->value, state);
    if (const auto* depth = hit(layout.depthOptionSpans, x, y)) return setDocumentColorDepth(depth->value, state);
    closeDepthPicker(state);
}

// The layers panel; returns true when the click was the panel's.
bool layersPanelClick(int x, int y, AppState& state, const Layout& layout) {
    if (const auto* r = hit(layout.layerEyeSpans, x, y)) return toggleLayerVisible(r->value, state), true;
    if (const auto* r = hit(layout.layerUpSpans, x, y)) return moveLayer(r->value, true, state), true;
    if (const auto* r = hit(layout.layerDownSpans, x, y)) return moveLayer(r->value, false, state), true;
    if (const auto* r = hit(layout.layerDelSpans, x, y)) return deleteLayer(r->value, state), true;
    if (const auto* r = hit(layout.layerRowSpans, x, y)) return selectLayer(r->value, state), true;
    if (hit(layout.layerAddSpan, x, y)) return addLayer(state), true;
    if (hit(layout.layerShiftSpan, x, y)) return toggleLayerShift(state), true;
    if (hit(layout.layerFlattenSpan, x, y)) return flattenLayers(state), true;
    if (hit(layout.layersPanelFrame, x, y)) return true;  // swallowed
    closeLayersPanel(state);
    return false;
}

// The boxes and panels below the pickers, top first: save options, canvas size, image
// import, layers, the floating panels, and last the SAUCE box, which lies beneath them all.
// True when the click was taken.
bool boxClick(int x, int y, AppState& state, const Layout& layout) {
    if (state.overlay == Overlay::saveOptions) {
        if (const auto* option = hit(layout.saveOptsSpans, x, y)) {
            saveOptionTapped(option->value, state);
            return true;
        }
    }
    if (state.overlay == Overlay::sizePicker) {
        if (const auto* size = hit(layout.sizeOptionSpans, x, y)) {
            applyCanvasSizePreset(size->value.first, size->value.second, state);
            return true;
        }
        if (hit(layout.sizeCustomSpan, x, y)) {
            startCanvasSizeEntry(state);
            return true;
        }
        closeSizePicker(state);  // a click elsewhere closes the drop-down
    }
    if (state.overlay == Overlay::imageImport) {
        if (const auto* mode = hit(layout.imageModeSpans, x, y)) {
            importImageAsLayer(mode->value, state);
            return true;
        }
        if (const auto* depth = hit(layout.imageDepthSpans, x, y)) {
            // The picture is mapped in the document's own depth, so the box sets that.
            setDocumentColorDepth(depth->value, state);
            return true;
        }
        if (hit(layout.imageImportFrame, x, y)) return true;
    }
    if (state.overlay == Overlay::layersPanel && layersPanelClick(x, y, state, layout)) return true;
    if (floatingPanelClick(x, y, 0, state, layout)) return true;
    if (state.sauceBoxOpen) {
        if (const auto* row = hit(layout.sauceBoxSpans, x, y)) {
            sauceBoxRowTapped(row->value, state);
            return true;
        }
    }
    return false;
}

// The menu bar: its buttons, then the title, mirror, status line, SAUCE credit and file name.
bool barClick(int x, int y, bool clearWasArmed, AppState& state, const Layout& layout) {
    if (const auto* button = hit(layout.barButtonSpans, x, y)) {
        if (button->value == BarAction::clear) clearButtonClicked(clearWasArmed, state);
        else perform(button->value, state);
        return true;
    }
    if (hit(layout.titleSpan, x, y)) {
        openAbout(state);
        return true;
    }
    if (hit(layout.mirrorSpan, x, y)) {
        perform(BarAction::mirror, state);
        return true;
    }
    if (hit(layout.statusBarSpan, x, y)) {
        toggleStatusHistory(state);
        return true;
    }
    if (hit(layout.sauceCreditSpan, x, y)) {
        openSauceBox(state);
        return true;
    }
    if (hit(layout.fileSpan, x, y)) {
        startFileNameEntry(state);
        return true;
    }
    return false;
}

// The sidebar: preview, tools, character, faces, fonts and the selection's actions.
bool sidebarClick(int x, int y, AppState& state, const Layout& layout) {
    if (hit(layout.previewTitleSpan, x, y)) {
        clearPreviewTryout(state);
        return true;
    }
    if (const auto inner = layout.previewInner(); inner && inner->contains(x, y)) {
        startPreviewStroke(GridKey{y - inner->top, x - inner->left}, state);
        return true;
    }
    if (hit(layout.sidebarUpSpan, x, y) || hit(layout.sidebarDownSpan, x, y)) {
        pageSidebar(hit(layout.sidebarDownSpan, x, y), state, layout);
        return true;
    }
    if (const auto* tool = hit(layout.toolSpans, x, y)) {
        // Opening or closing the current tool's panel changes what the sidebar holds.
        if (tool->value == state.tools.tool) state.sidebarScroll = 0;
        toolTapped(tool->value, state);
        return true;
    }
    if (hit(layout.charButtonSpan, x, y)) {
        penCharTapped(state);
        return true;
    }
    if (const auto* face = hit(layout.faceSpans, x, y)) {
        chooseTextFace(face->value, state);
        return true;
    }
    if (hit(layout.fontBrowseSpan, x, y)) {
        openFontBrowser(state);
        return true;
    }
    if (const auto* action = hit(layout.selectActionSpans, x, y)) {
        performSelectAction(action->value, state);
        return true;
    }
    if (hit(layout.blinkSelectionSpan, x, y)) {
        blinkSelection(state);
        return true;
    }
    return false;
}

// The preset row.
bool presetRowClick(int x, int y, int button, bool deleteWasArmed, int armedSlot, AppState& state, const Layout& layout) {
    if (const auto* mode = hit(layout.presetModeSpans, x, y)) {
        togglePresetMode(mode->value, state);
        return true;
    }
    if (hit(layout.presetResetSpan, x, y)) {
        resetPresetsToDefault(state);
        return true;
    }
    if (hit(layout.presetLoadSpan, x, y)) {
        togglePresetFileMenu(state);
        return true;
    }
    if (const auto* save = hit(layout.presetSaveSpans, x, y)) {
        savePresetAt(save->value, state);
        return true;
    }
    if (const auto* slot = hit(layout.presetSpans, x, y)) {
        if (button == 2)
            rightClickPresetSlot(slot->value, deleteWasArmed && armedSlot == slot->value, state);
        else
            clickPresetSlot(slot->value, state);
        return true;
    }
    if (hit(layout.plusSpan, x, y)) {
        addPreset(state);
        return true;
    }
    return false;
}

}  // namespace

void handleMouseDown(int x, int y, int button, AppState& state, const Layout& layout) {
    pointerPressed(x, y, state);

    // The order matters, top to bottom: a click first ends typing the file name (and is
    // spent on that); it lifts the keyboard pen and commits a typed number unless it lands
    // on a number field; then the overlays that any click closes, the font browser's back
    // button, the file browser, the font browser, the depth picker, the preset file menu and
    // the remaining boxes and panels take it. Only then do the bar, the sidebar, the option
    // and colour rows, the preset row and finally the canvas see it.
    if (promptIs(state.prompt, PromptKind::fileName))
        return commitFileNameEntry(hit(layout.barButtonSpans, x, y) != nullptr, state);
    if (state.stroke.kbStroke) liftKeyboardPen(state);
    if (promptIs(state.prompt, PromptKind::stepValue)) {
        const bool onEntryControl = hit(layout.fgStepSpan, x, y) || hit(layout.bgStepSpan, x, y) ||
                                    hit(layout.paletteValueSpans, x, y);
        if (!onEntryControl) commitStepEntry(state);
    }
    if (closeOverlayOnAnyClick(state)) return;
    if (hit(layout.fontBackSpan, x, y)) return leaveFontFileListing(state);
    if (state.overlay == Overlay::fileBrowser) return fileBrowserClick(x, y, state, layout);
    if (state.overlay == Overlay::fontBrowser && (hit(layout.fontBrowserFrame, x, y) || state.fontFileListing))
        return fontBrowserClick(x, y, button, state, layout);
    if (state.overlay == Overlay::depthPicker) return depthPickerClick(x, y, state, layout);
    if (state.overlay == Overlay::presetFileMenu) {
        const auto* row = hit(layout.presetFileMenuSpans, x, y);
        presetFileMenuClicked(row ? std::optional<bool>(row->value) : std::nullopt, state);
        if (row) return;
    }
    if (boxClick(x, y, state, layout)) return;

    // An armed clear or preset deletion survives only an immediately repeated click.
    const bool clearWasArmed = takeClearArm(state);
    const std::optional<int> deleteArmed = takePresetDeleteArm(state);

    if (barClick(x, y, clearWasArmed, state, layout)) return;
    if (sidebarClick(x, y, state, layout)) return;
    if (optionsAndColorRowClick(x, y, button, state, layout)) return;
    if (presetRowClick(x, y, button, deleteArmed.has_value(), deleteArmed.value_or(-1), state, layout)) return;
    if (const auto cell = layout.docCell(x, y)) pressCanvas(*cell, button, state);
}

void handleMouseMove(int x, int y, AppState& state, const Layout& layout) {
    state.mouse = {x, y};  // where the pointer is: input the hover and the keyboard pointer read
    if (state.paletteSliderDrag) {
        paletteSliderDragTo(x, state);
        return;
    }
    if (state.preview.previewStroking) {
        const auto inner = layout.previewInner();
        if (inner && inner->contains(x, y)) previewScratchApply(GridKey{y - inner->top, x - inner->left}, PreviewPhase::drag, state);
        return;
    }
    const auto cell = layout.docCell(x, y);
    if (state.layerShiftDrag) {
        if (cell) layerShiftDragTo(*cell, state);
        return;
    }
    if (state.panDrag) return panDragTo(x, y, state);
    if (cell) dragCanvas(*cell, state);
}

void handleMouseUp(int x, int y, AppState& state, const Layout& layout) {
    state.mouse = {x, y};  // as on a move
    endPaletteSliderDrag(state);
    if (state.preview.previewStroking) {
        const Frame inner = layout.previewInner().value_or(Frame{});
        endPreviewStroke(GridKey{y - inner.top, x - inner.left}, state);
    }
    endLayerShiftDrag(state);
    const auto cell = layout.docCell(x, y);
    endPanDrag(x, y, cell, state);
    releaseCanvas(cell, state);
}

}  // namespace glyphloom
