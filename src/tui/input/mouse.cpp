// Pointer presses, moves and releases: the overlays' own controls first, then the bar, the
// sidebar, the colour and preset rows, and finally the canvas.
#include <algorithm>
#include <cstdlib>

#include "tui/input/dispatch.hpp"
#include "tui/input/panel_clicks.hpp"
#include "tui/actions/document_io.hpp"
#include "tui/actions/file_browser.hpp"
#include "tui/actions/font_import.hpp"
#include "tui/state/identity.hpp"
#include "tui/actions/image_import.hpp"
#include "tui/state/sauce_state.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/tools/fill_tool.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/shape_tool.hpp"
#include "tui/tools/tool_preview.hpp"

namespace glyphloom {
namespace {

// The file browser takes every click while it is open.
void fileBrowserClick(int x, int y, AppState& state, const Layout& layout) {
    if (hit(layout.fileBrowserTypeSpan, x, y)) {
        if (state.fontBrowserMode) {
            startTextEntry(TextEntryMode::fontPath, state);
            state.statusNote = "paste a font URL (or a file path), Enter to import";
        } else {
            startTextEntry(TextEntryMode::loadPath, state);
            state.statusNote = "type a filename, Enter to open";
        }
        return;
    }
    const int page = std::max(1, layout.browsePageSize);
    const int last = std::max(0, static_cast<int>(state.fileBrowserEntries.size()) - page);
    if (hit(layout.browseUpSpan, x, y)) {
        state.browseScroll = std::clamp(state.browseScroll - page, 0, last);
        return;
    }
    if (hit(layout.browseDownSpan, x, y)) {
        state.browseScroll = std::clamp(state.browseScroll + page, 0, last);
        return;
    }
    for (std::size_t i = 0; i < layout.fileBrowserSpans.size(); ++i) {
        if (!layout.fileBrowserSpans[i].span.contains(x, y)) continue;
        // Rows are drawn from the scroll position on.
        activateBrowseEntry(state.browseScroll + static_cast<int>(i), state);
        return;
    }
    state.fileBrowserOpen = false;
}

// The font browser: pick a face, keep it or go back to the one before, import, remove.
void fontBrowserClick(int x, int y, int button, AppState& state, const Layout& layout) {
    if (state.fontBrowserMode) {  // choosing a font file: the folder listing
        if (hit(layout.fileBrowserSpans, x, y) || hit(layout.browseUpSpan, x, y) || hit(layout.browseDownSpan, x, y)) {
            fileBrowserClick(x, y, state, layout);
            if (!state.fileBrowserOpen) state.fontBrowserMode = false;  // a file was chosen
            state.fileBrowserOpen = false;
        }
        return;
    }
    if (state.fontDeletePending) {
        if (hit(layout.fontDeleteYesSpan, x, y)) deleteImportedFont(*state.fontDeletePending, state);
        state.fontDeletePending.reset();
        return;
    }
    if (const auto* row = hit(layout.fontRowSpans, x, y)) {
        if (button == 2) {
            if (row->value >= 0) state.fontDeletePending = row->value;
            return;
        }
        if (!state.fontBrowserPrev) state.fontBrowserPrev = state.textFontIndex;
        state.textFontIndex = row->value < 0 ? std::nullopt : std::optional<int>(row->value);
        return;
    }
    const int page = std::max(1, layout.fontListPage);
    if (hit(layout.fontListUpSpan, x, y)) {
        state.fontListScroll = std::clamp(state.fontListScroll - page, 0, std::max(layout.fontListMaxScroll, 0));
    } else if (hit(layout.fontListDownSpan, x, y)) {
        state.fontListScroll = std::clamp(state.fontListScroll + page, 0, std::max(layout.fontListMaxScroll, 0));
    } else if (hit(layout.fontImportSpan, x, y)) {
        state.fontBrowserMode = true;
        state.presetBrowserMode = state.imageBrowserMode = false;
        refreshBrowse(state);
    } else if (hit(layout.fontURLSpan, x, y)) {
        startTextEntry(TextEntryMode::fontPath, state);
    } else if (hit(layout.fontOKSpan, x, y)) {
        state.fontBrowserOpen2 = false;
        state.fontBrowserPrev.reset();
    } else if (hit(layout.fontCancelSpan, x, y)) {
        if (state.fontBrowserPrev) state.textFontIndex = *state.fontBrowserPrev;
        state.fontBrowserOpen2 = false;
        state.fontBrowserPrev.reset();
    }
}

// The colour-depth picker's rows; a click elsewhere closes it.
void depthPickerClick(int x, int y, AppState& state, const Layout& layout) {
    if (hit(layout.blinkModeSpan, x, y)) return toggleBlinkingTextFromDepthPicker(state);
    if (hit(layout.conformSpan, x, y)) return conformDocument(state);
    if (const auto* tint = hit(layout.monoTintSpans, x, y)) return setMonoTint(tint->value, state);
    if (const auto* depth = hit(layout.depthOptionSpans, x, y)) return setDocumentColorDepth(depth->value, state);
    state.depthPickerOpen = false;
}

// A click on the layers panel; returns true when the click was the panel's.
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
    state.layersPanelOpen = false;
    return false;
}

// The SAUCE box: fields start typing their value, spacing and aspect step through their
// choices, and the read-only box leads to claiming the record.
void sauceBoxRowClicked(const std::string& id, AppState& state) {
    auto startField = [&](const std::string& value) {
        startTextEntry(TextEntryMode::sauceField, state, value);
        state.sauceEntryKind = id;
    };
    if (id == "done") {
        state.sauceBoxOpen = false;
        state.sauceBoxReadOnly = false;
        state.sauceEditConfirm = false;
    } else if (id == "edit") {
        state.sauceEditConfirm = true;
    } else if (id == "claim") {
        claimSauceAuthorship(state);
        state.sauceEditConfirm = false;
        state.sauceBoxReadOnly = false;
    } else if (id == "cancel") {
        state.sauceEditConfirm = false;
    } else if (id == "spacing") {
        state.letterSpacing = static_cast<LetterSpacing>((static_cast<int>(state.letterSpacing) + 1) % 3);
    } else if (id == "aspect") {
        state.aspectRatio = static_cast<AspectRatio>((static_cast<int>(state.aspectRatio) + 1) % 3);
    } else if (id == "title") {
        startField(state.sauceTitleField);
    } else if (id == "author") {
        startField(state.sauceAuthor);
    } else if (id == "group") {
        startField(state.sauceGroup);
    } else if (id == "font") {
        startField(state.sauceFontName);
    } else if (id.rfind("comment:", 0) == 0) {
        const std::size_t line = std::strtoul(id.c_str() + 8, nullptr, 10);
        startField(line < state.sauceComments.size() ? state.sauceComments[line] : std::string());
    }
}

void openSauceBox(AppState& state) {
    state.sauceBoxOpen = true;
    state.sauceBoxReadOnly = sauceRecordState(state) == SauceRecordState::foreign;
    state.sauceEditConfirm = false;
}

// The save-options box: its toggles are part of the user's identity and are kept at once.
void saveOptionClicked(const std::string& id, AppState& state) {
    if (id == "name") {
        startTextEntry(TextEntryMode::sauceField, state, state.filename);
        state.sauceEntryKind = "name";
        return;
    }
    if (id == "sauce") return openSauceBox(state);
    if (id == "utf8") {
        state.exportUTF8 = !state.exportUTF8;
    } else if (id == "png") {
        state.exportPNGOnSave = !state.exportPNGOnSave;
    } else if (id == "txt") {
        state.exportTXTOnSave = !state.exportTXTOnSave;
    } else if (id == "sauceon") {
        state.writeSauce = !state.writeSauce;
        if (state.writeSauce) {
            state.statusNote = "sauce record on";
        } else if (state.sourceSauce && state.sourceSauce->hasCredit()) {
            state.statusNote = "no sauce record — " + state.sourceSauce->creditLine() + " will not be credited";
        } else {
            state.statusNote = "no sauce record";
        }
    } else {
        return;
    }
    if (const std::string failure = persistSauceIdentity(state); !failure.empty())
        state.statusNote = "identity not saved: " + failure;
}

// A click on any other open box; returns true when the click was taken.
bool boxClick(int x, int y, AppState& state, const Layout& layout) {
    if (state.sauceBoxOpen) {
        if (const auto* row = hit(layout.sauceBoxSpans, x, y)) {
            sauceBoxRowClicked(row->value, state);
            return true;
        }
    }
    if (state.saveOptionsOpen) {
        if (const auto* option = hit(layout.saveOptsSpans, x, y)) {
            saveOptionClicked(option->value, state);
            return true;
        }
    }
    if (state.sizePickerOpen) {
        if (const auto* size = hit(layout.sizeOptionSpans, x, y)) {
            applyCanvasSizePreset(size->value.first, size->value.second, state);
            return true;
        }
        if (hit(layout.sizeCustomSpan, x, y)) {
            startCanvasSizeEntry(state);
            return true;
        }
        state.sizePickerOpen = false;  // a click elsewhere closes the drop-down
    }
    if (state.imageImportPath) {
        if (const auto* mode = hit(layout.imageModeSpans, x, y)) {
            importImageAsLayer(mode->value, state);
            return true;
        }
        if (hit(layout.imageImportFrame, x, y)) return true;
    }
    if (state.layersPanelOpen && layersPanelClick(x, y, state, layout)) return true;
    return floatingPanelClick(x, y, 0, state, layout);
}

void startFileNameEntry(AppState& state) { startTextEntry(TextEntryMode::fileName, state, state.filename, true); }

// The menu bar and its texts.
bool barClick(int x, int y, bool clearWasArmed, AppState& state, const Layout& layout) {
    if (const auto* button = hit(layout.barButtonSpans, x, y)) {
        if (button->value == BarAction::clear) clearButtonClicked(clearWasArmed, state);
        else perform(button->value, state);
        return true;
    }
    if (hit(layout.titleSpan, x, y)) {
        state.aboutOpen = true;
        return true;
    }
    if (hit(layout.mirrorSpan, x, y)) {
        perform(BarAction::mirror, state);
        return true;
    }
    if (hit(layout.statusBarSpan, x, y)) {
        state.historyOpen = !state.historyOpen;
        state.historyOpenedAt = std::chrono::steady_clock::now();
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

void blinkSelection(AppState& state) {
    if (!state.selection) {
        state.statusNote = "select something first";
        return;
    }
    state.snapshotForUndo();
    if (!state.blinkingText) {
        state.blinkingText = true;
        if (state.penBg.isANSI16() && state.penBg.n >= 8) state.penBg = ANSIColorValue::ansi16(state.penBg.n - 8);
    }
    int flipped = 0;
    if (validLayer(state, state.activeLayerIndex)) {
        Layer& layer = state.layers[static_cast<std::size_t>(state.activeLayerIndex)];
        const CellRect rect = *state.selection;
        for (int r = std::min(rect.r1, rect.r2); r <= std::max(rect.r1, rect.r2); ++r) {
            for (int c = std::min(rect.c1, rect.c2); c <= std::max(rect.c1, rect.c2); ++c) {
                const ANSICell* cell = layer.cells.cellAt(r, c);
                if (cell == nullptr) continue;
                ANSICell flippedCell = *cell;
                flippedCell.blink = !flippedCell.blink;
                layer.cells.set(r, c, flippedCell);
                ++flipped;
            }
        }
    }
    state.statusNote = "blink on " + std::to_string(flipped) + " cell" + (flipped == 1 ? "" : "s") + " — backgrounds now 8";
}

// The sidebar.
bool sidebarClick(int x, int y, AppState& state, const Layout& layout) {
    if (hit(layout.previewTitleSpan, x, y)) {
        state.previewScratchDoc.reset();
        return true;
    }
    if (const auto inner = layout.previewInner(); inner && inner->contains(x, y)) {
        state.previewStroking = true;
        previewScratchApply(GridKey{y - inner->top, x - inner->left}, PreviewPhase::press, state);
        return true;
    }
    if (const auto* tool = hit(layout.toolSpans, x, y)) {
        if (tool->value == state.tool) {
            state.toolPanelOpen = !state.toolPanelOpen;
        } else {
            state.tool = tool->value;
            state.toolPanelOpen = false;
        }
        return true;
    }
    if (hit(layout.charButtonSpan, x, y)) {
        state.charPickerTarget = CharTarget::pen;
        state.charPickerOpen = true;
        return true;
    }
    if (const auto* face = hit(layout.faceSpans, x, y)) {
        state.textFontIndex = face->value;
        return true;
    }
    if (hit(layout.fontBrowseSpan, x, y)) {
        state.fontBrowserOpen2 = true;
        return true;
    }
    if (const auto* action = hit(layout.selectActionSpans, x, y)) {
        if (action->value == "Blink") blinkSelection(state);
        else performSelectAction(action->value, state);
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
        state.presetFileMenuOpen = !state.presetFileMenuOpen;
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

// The canvas, which takes what no box or bar above took.
void canvasClick(GridKey cell, int button, AppState& state) {
    if (state.pasteFloat) {
        if (state.clipboard) {
            state.snapshotForUndo();
            stampClipboard(*state.clipboard, cell, state);
        }
        state.pasteFloat = false;
        state.previewOverlay.clear();
        return;
    }
    if (state.shiftingLayer) {
        if (validLayer(state, state.activeLayerIndex)) {
            const Layer& layer = state.layers[static_cast<std::size_t>(state.activeLayerIndex)];
            state.layerShiftDrag = LayerShiftDrag{cell, GridKey{layer.rowOffset, layer.colOffset}};
        }
        return;
    }
    if (!state.shapeStart) advancePresetMode(state);
    state.cursorVisible = state.tool == Tool::text;
    state.paintSwap = button == 2;
    switch (state.tool) {
        case Tool::fill:
            applyFloodFill(cell, state);
            return;
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select:
            beginStroke(state);
            state.paintingStroke = false;
            state.shapeStart = cell;
            state.lastShapeDrag = cell;
            state.previewOverlay = computeShape(cell, cell, state);
            return;
        case Tool::text:
            state.textOriginRow = cell.row;
            state.textOriginCol = cell.col;
            state.cursor = cell;
            state.textStampHistory.clear();
            state.plainStampHistory.clear();
            return;
        case Tool::pans:
            state.panDrag = PanDrag{state.mouse, state.viewOffset};
            return;
        default:
            state.snapshotForUndo();
            beginStroke(state);
            state.paintingStroke = true;
            paint(cell, state);
            return;
    }
}

}  // namespace

void handleMouseDown(int x, int y, int button, AppState& state, const Layout& layout) {
    state.mouse = {x, y};
    state.statusNote = std::nullopt;
    state.kbCursor.reset();

    if (state.renameActive) {  // a click anywhere ends typing the file name
        if (!state.renameBuffer.empty()) state.filename = state.renameBuffer;
        cancelTextEntry(state);
        if (hit(layout.barButtonSpans, x, y)) saveDocument(state);
        return;
    }
    if (state.kbStroke) liftKeyboardPen(state);
    if (state.stepEntryChannel) {
        const bool onEntryControl = hit(layout.fgStepSpan, x, y) || hit(layout.bgStepSpan, x, y) ||
                                    hit(layout.paletteValueSpans, x, y);
        if (!onEntryControl) commitStepEntry(state);
    }
    if (state.helpOpen || state.aboutOpen) {
        state.helpOpen = state.aboutOpen = false;
        state.aboutInput.clear();
        state.aboutHistory.clear();
        return;
    }
    if (state.historyOpen) {
        state.historyOpen = false;
        state.historyOpenedAt.reset();
        return;
    }
    if (hit(layout.fontBackSpan, x, y)) {
        state.fontBrowserMode = false;
        state.fontLoadActive = false;
        state.fontListScroll = 0;
        return;
    }
    if (state.fileBrowserOpen) return fileBrowserClick(x, y, state, layout);
    if (state.fontBrowserOpen2 && (hit(layout.fontBrowserFrame, x, y) || state.fontBrowserMode))
        return fontBrowserClick(x, y, button, state, layout);
    if (state.depthPickerOpen) return depthPickerClick(x, y, state, layout);
    if (state.presetFileMenuOpen) {
        state.presetFileMenuOpen = false;
        if (const auto* row = hit(layout.presetFileMenuSpans, x, y)) {
            if (row->value) exportPresetBank(state);
            else openPresetLoadBrowser(state);
            return;
        }
    }
    if (boxClick(x, y, state, layout)) return;

    // An armed clear or preset deletion survives only an immediately repeated click.
    const bool clearWasArmed = state.clearArmed;
    const std::optional<int> deleteArmed = state.presetDeleteArmed;
    state.clearArmed = false;
    state.presetDeleteArmed.reset();

    if (barClick(x, y, clearWasArmed, state, layout)) return;
    if (sidebarClick(x, y, state, layout)) return;
    if (optionsAndColorRowClick(x, y, button, state, layout)) return;
    if (presetRowClick(x, y, button, deleteArmed.has_value(), deleteArmed.value_or(-1), state, layout)) return;
    if (const auto cell = layout.docCell(x, y)) canvasClick(*cell, button, state);
}

void handleMouseMove(int x, int y, AppState& state, const Layout& layout) {
    state.mouse = {x, y};
    if (state.paletteSliderDrag) {
        paletteSliderDragTo(x, state);
        return;
    }
    if (state.previewStroking) {
        const auto inner = layout.previewInner();
        if (inner && inner->contains(x, y)) previewScratchApply(GridKey{y - inner->top, x - inner->left}, PreviewPhase::drag, state);
        return;
    }
    const auto cell = layout.docCell(x, y);
    if (state.layerShiftDrag) {
        if (cell && validLayer(state, state.activeLayerIndex)) {
            Layer& layer = state.layers[static_cast<std::size_t>(state.activeLayerIndex)];
            layer.rowOffset = clampedLayerOffset(static_cast<long long>(state.layerShiftDrag->off.row) + cell->row -
                                                 state.layerShiftDrag->anchor.row);
            layer.colOffset = clampedLayerOffset(static_cast<long long>(state.layerShiftDrag->off.col) + cell->col -
                                                 state.layerShiftDrag->anchor.col);
            state.statusNote = layer.name + " shift " + std::to_string(layer.colOffset) + "," + std::to_string(layer.rowOffset);
        }
        return;
    }
    if (state.panDrag) {
        const int row = state.panDrag->offset.row - (y - state.panDrag->mouse.y);
        const int col = state.panDrag->offset.col - (x - state.panDrag->mouse.x);
        state.viewOffset = {std::clamp(row, 0, std::max(AppState::docRows - 1, 0)),
                            std::clamp(col, 0, std::max(AppState::docCols - 1, 0))};
        return;
    }
    if (!cell) return;
    const GridKey at = *cell;
    if (state.pasteFloat && state.clipboard) {
        state.previewOverlay = floatPreviewOverlay(*state.clipboard, at);
    } else if (state.shapeStart) {
        state.lastShapeDrag = at;
        state.previewOverlay = computeShape(*state.shapeStart, at, state);
    } else if (state.paintingStroke) {
        paint(at, state);
    }
}

void handleMouseUp(int x, int y, AppState& state, const Layout& layout) {
    state.mouse = {x, y};
    state.paletteSliderDrag.reset();
    if (state.previewStroking) {
        state.previewStroking = false;
        const Frame inner = layout.previewInner().value_or(Frame{});
        previewScratchApply(GridKey{y - inner.top, x - inner.left}, PreviewPhase::release, state);
    }
    state.layerShiftDrag.reset();
    const auto cell = layout.docCell(x, y);
    if (state.panDrag) {
        const PanDrag drag = *state.panDrag;
        state.panDrag.reset();
        // Released where it was pressed: Panspect picks that cell instead of panning.
        if (drag.mouse.x == x && drag.mouse.y == y && cell) pickCell(*cell, state);
    }
    if (state.shapeStart) {
        const GridKey end = cell ? *cell : state.lastShapeDrag.value_or(*state.shapeStart);
        finishShape(end, state);
    }
    if (state.paintingStroke && !state.kbStroke) {
        if (state.strokeCellCount > 0) {
            state.statusNote = lowerToolName(state.tool) + " · " + std::to_string(state.strokeCellCount);
        }
        state.paintingStroke = false;
        state.lastPaint.reset();
        state.lastPaintTime.reset();
        state.strokeCellCount = 0;
        state.penConns.clear();
        state.penColors.clear();
        state.penChars.clear();
        state.paintSwap = false;
    }
}

}  // namespace glyphloom
