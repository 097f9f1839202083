#include "tui/input/dispatch.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/codec/png_decode.hpp"
#include "core/codec/png_encode.hpp"
#include "core/io/file_io.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/input/text_entry.hpp"
#include "tui/actions/font_browser.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace dispatch_test {

namespace fs = std::filesystem;

// A fresh folder made the current directory for one test: what the editor saves or exports
// without a folder of its own lands here, not among the build's files.
class ScratchFolder {
public:
    ScratchFolder() : previous_(fs::current_path()) {
        path_ = fs::temp_directory_path() / ("glyphloom-dispatch-" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
        fs::current_path(path_);
    }
    ~ScratchFolder() {
        fs::current_path(previous_);
        fs::remove_all(path_);
    }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path previous_;
    fs::path path_;
};

// An editor on a 60 × 200 terminal: every event is dispatched against the frame last
// composed, as the main loop does.
struct Session {
    AppState state;
    Terminal terminal;
    Screen screen{[](std::string_view) {}, false};
    Layout layout;

    Session() {
        screen.resize(60, 200);
        redraw();
    }
    void redraw() { layout = Chrome::compose(state, screen); }
    void send(const InputEvent& event) {
        handle(event, state, layout, terminal, screen);
        redraw();
    }
    void click(Span span, int button = 0) {  // by value: the layout is replaced after each event
        send(InputEvent::mouseDown(span.colStart, span.row, button));
        send(InputEvent::mouseUp(span.colStart, span.row));
    }
    void clickBar(BarAction action) {
        const auto it = std::find_if(layout.barButtonSpans.begin(), layout.barButtonSpans.end(),
                                     [&](const auto& r) { return r.value == action; });
        ASSERT_NE(it, layout.barButtonSpans.end());
        click(it->span);
    }
    void type(const std::string& text) {
        for (unsigned char byte : text) send(InputEvent::key(byte));
    }
    std::string note() const { return state.statusNote.value_or(""); }
    std::string text(Span span) const {
        std::string out;
        for (int c = span.colStart; c < span.colEnd; ++c) screen.at(span.row, c).character.appendTo(out);
        return out;
    }
    // The text a bar button shows.
    std::string button(BarAction action) const {
        for (const auto& r : layout.barButtonSpans) {
            if (r.value != action) continue;
            std::string out;
            for (int c = r.span.colStart; c < r.span.colEnd; ++c) screen.at(r.span.row, c).character.appendTo(out);
            return out;
        }
        return {};
    }
};

TEST(RequestQuit, SavedDocumentQuitsAtOnce) {
    Session s;
    s.send(InputEvent::key(17));  // Ctrl-Q
    EXPECT_TRUE(s.state.shouldQuit);
}

TEST(RequestQuit, UnsavedChangesNeedASecondRequestWithNoDeliberateInputBetween) {
    Session s;
    s.state.snapshotForUndo();  // an edit makes the document dirty
    s.send(InputEvent::key(3));
    EXPECT_FALSE(s.state.shouldQuit);
    EXPECT_TRUE(s.state.quitArmed);
    EXPECT_EQ(s.note(), "unsaved changes — Ctrl-C again to quit");

    s.send(InputEvent::mouseMove(4, 4, false));  // merely moving keeps it armed
    s.send(InputEvent::key('a'));                // a key disarms it
    s.send(InputEvent::key(3));
    EXPECT_FALSE(s.state.shouldQuit);
    s.send(InputEvent::mouseMove(5, 5, false));
    s.send(InputEvent::key(3));
    EXPECT_TRUE(s.state.shouldQuit);
}

TEST(RequestQuit, AClickDisarmsAndEndOfInputNeedsNoConfirmation) {
    Session s;
    s.state.snapshotForUndo();
    s.send(InputEvent::key(3));
    s.send(InputEvent::mouseDown(1, 1, 0));
    EXPECT_FALSE(s.state.quitArmed);
    s.send(InputEvent::eof());
    EXPECT_TRUE(s.state.shouldQuit);
}

TEST(DispatchClicks, HelpSwallowsTheNextClick) {
    Session s;
    openOverlay(Overlay::help, s.state);
    s.redraw();
    s.clickBar(BarAction::layers);
    EXPECT_NE(s.state.overlay, Overlay::help);
    EXPECT_NE(s.state.overlay, Overlay::layersPanel);  // the click did nothing else
}

TEST(DispatchClicks, ClickWhileTypingAFileNameOnlyCommitsTheName) {
    const ScratchFolder folder;  // the bar click saves into the current directory
    Session s;
    ASSERT_TRUE(s.layout.fileSpan);
    s.click(*s.layout.fileSpan);
    ASSERT_TRUE(promptIs(s.state.prompt, PromptKind::fileName));
    EXPECT_TRUE(s.state.prompt->selectAll());
    EXPECT_EQ(s.state.prompt->text(), "Untitled");
    s.type("art");  // replaces the selected text
    s.clickBar(BarAction::layers);
    EXPECT_FALSE(promptIs(s.state.prompt, PromptKind::fileName));
    EXPECT_EQ(s.state.filename, "art");
    EXPECT_NE(s.state.overlay, Overlay::layersPanel);
    EXPECT_TRUE(fs::exists(folder / "art.ans"));
}

TEST(DispatchClicks, FontFileListingEntersFoldersAndPagesWithoutLeaving) {
    const ScratchFolder folder;
    fs::create_directories(folder / "fonts");
    for (int i = 0; i < 60; ++i) {
        const std::string name = "f" + std::to_string(100 + i) + ".tdf";
        ASSERT_TRUE(writeFileAtomically((folder / "fonts" / name).string(), std::string_view("x")).empty());
    }
    Session s;
    s.state.browseDir = fs::current_path().string();
    openFontBrowser(s.state);
    openFontFileListing(s.state);
    s.redraw();
    const auto row = std::find_if(s.layout.fileBrowserSpans.begin(), s.layout.fileBrowserSpans.end(),
                                  [](const auto& r) { return r.value == "fonts/"; });
    ASSERT_NE(row, s.layout.fileBrowserSpans.end());
    s.click(row->span);
    EXPECT_TRUE(s.state.fontFileListing) << "entering a folder stays in the listing";
    EXPECT_EQ(fs::path(s.state.browseDir).filename(), "fonts");
    EXPECT_FALSE(s.state.pendingFontFile);

    ASSERT_TRUE(s.layout.browseDownSpan);
    s.click(*s.layout.browseDownSpan);
    EXPECT_TRUE(s.state.fontFileListing) << "paging stays in the listing";
    EXPECT_GT(s.state.browseScroll, 0);

    const auto file = std::find_if(s.layout.fileBrowserSpans.begin(), s.layout.fileBrowserSpans.end(),
                                   [](const auto& r) { return r.value.ends_with(".tdf"); });
    ASSERT_NE(file, s.layout.fileBrowserSpans.end());
    const std::string picked = file->value;
    s.click(file->span);
    EXPECT_FALSE(s.state.fontFileListing) << "a picked file ends the listing";
    EXPECT_EQ(fs::path(s.state.pendingFontFile.value_or("")).filename(), picked);
    EXPECT_NE(s.state.overlay, Overlay::fileBrowser);
}

TEST(DispatchClicks, ToolRowSelectsThenOpensItsPanel) {
    Session s;
    const Span box = std::find_if(s.layout.toolSpans.begin(), s.layout.toolSpans.end(),
                                  [](const auto& r) { return r.value == Tool::box; })->span;
    s.click(box);
    EXPECT_EQ(s.state.tools.tool, Tool::box);
    EXPECT_FALSE(s.state.toolPanelOpen);
    s.click(box);
    EXPECT_TRUE(s.state.toolPanelOpen);
}

TEST(DispatchClicks, SidebarFaceRowsChooseTheTextFace) {
    Session s;
    s.state.tools.tool = Tool::text;
    s.redraw();
    auto rowOf = [&](std::optional<int> index) {
        const auto it = std::find_if(s.layout.faceSpans.begin(), s.layout.faceSpans.end(),
                                     [&](const auto& r) { return r.value == index; });
        EXPECT_NE(it, s.layout.faceSpans.end());
        return it == s.layout.faceSpans.end() ? Span{} : it->span;
    };
    s.click(rowOf(3));
    EXPECT_EQ(s.state.textFontIndex, std::optional<int>(3));
    EXPECT_EQ(s.state.tools.tool, Tool::text);
    // Typing now stamps the chosen face: "Classic" is four rows tall.
    s.state.cursor = {20, 10};
    s.type("A");
    EXPECT_EQ(s.state.textStampHistory.size(), 1u);
    EXPECT_EQ(s.state.textStampHistory.back().height, 4);
    s.click(rowOf(std::nullopt));
    EXPECT_FALSE(s.state.textFontIndex);
}

TEST(DispatchClicks, StatusLineTogglesTheHistory) {
    Session s;
    ASSERT_TRUE(s.layout.statusBarSpan);
    s.click(*s.layout.statusBarSpan);
    EXPECT_EQ(s.state.overlay, Overlay::history);
    EXPECT_TRUE(s.state.historyOpenedAt);
    s.send(InputEvent::mouseDown(100, 20, 0));  // any click closes it and does nothing else
    EXPECT_NE(s.state.overlay, Overlay::history);
}

TEST(DispatchKeys, CanvasSizeEntryClampsAndRejects) {
    struct Case {
        const char* typed;
        int cols, rows;
        const char* note;
    };
    const Case cases[] = {
        {"500x1", 320, 4, "canvas 320×4"},
        {"120X40", 120, 40, "canvas 120×40"},
        {"wide", 160, 50, "bad size — wanted COLSxROWS"},
    };
    for (const Case& c : cases) {
        Session s;
        s.clickBar(BarAction::canvasSize);
        ASSERT_EQ(s.state.overlay, Overlay::sizePicker);
        ASSERT_TRUE(s.layout.sizeCustomSpan);
        s.click(*s.layout.sizeCustomSpan);
        ASSERT_TRUE(promptIs(s.state.prompt, PromptKind::canvasSize));
        s.type(c.typed);
        s.send(InputEvent::key(13));
        EXPECT_FALSE(promptIs(s.state.prompt, PromptKind::canvasSize));
        EXPECT_EQ(s.state.doc.cols, c.cols) << c.typed;
        EXPECT_EQ(s.state.doc.rows, c.rows) << c.typed;
        EXPECT_EQ(s.note(), c.note);
    }
}

TEST(DispatchKeys, TextFieldEditingMovesTheCursorAndCancels) {
    Session s;
    s.click(*s.layout.fileSpan);
    s.send(InputEvent::arrowKey(Arrow::left));  // from a full selection: to the start
    EXPECT_FALSE(s.state.prompt->selectAll());
    EXPECT_EQ(s.state.prompt->cursor(), 0);
    s.type("x");
    EXPECT_EQ(s.state.prompt->text(), "xUntitled");
    s.send(InputEvent::arrowKey(Arrow::right));
    s.send(InputEvent::key(127));  // deletes before the cursor
    EXPECT_EQ(s.state.prompt->text(), "xntitled");
    s.type("é");  // two UTF-8 bytes, one character
    EXPECT_EQ(s.state.prompt->text(), "xéntitled");
    EXPECT_EQ(s.state.prompt->cursor(), 2);
    s.send(InputEvent::key(27));
    EXPECT_FALSE(promptIs(s.state.prompt, PromptKind::fileName));
    EXPECT_EQ(s.state.filename, "Untitled");
}

TEST(DispatchClicks, TheCharacterPickersGroundTakesTheClickNotTheCanvasBelow) {
    Session s;
    penCharTapped(s.state);
    s.redraw();
    ASSERT_TRUE(s.layout.charPickerFrame);
    const Frame frame = *s.layout.charPickerFrame;
    const int x = frame.left + frame.width - 2, y = frame.top + frame.height - 2;  // a blank corner inside
    ASSERT_TRUE(s.layout.docCell(x, y)) << "the corner lies over the canvas";
    s.send(InputEvent::mouseDown(x, y, 0));
    s.send(InputEvent::mouseUp(x, y));
    EXPECT_EQ(s.state.overlay, Overlay::charPicker);
    EXPECT_TRUE(s.state.undoStack.empty()) << "nothing was painted under the picker";
}

TEST(DispatchKeys, CodepointEntryPlacesTheGlyphOrSaysWhyNot) {
    Session s;
    openOverlay(Overlay::charPicker, s.state);
    startCodepointEntry(s.state);
    s.type("2591");
    s.send(InputEvent::key(13));
    EXPECT_EQ(s.state.tools.penChar, "░");
    EXPECT_NE(s.state.overlay, Overlay::charPicker);
    EXPECT_EQ(s.note(), "placed U+2591");

    // A surrogate, an unassigned code point, a combining mark, a zero-width space, a control.
    for (const auto& [typed, shown] : {std::pair{"d800", "D800"}, {"3040", "3040"}, {"301", "301"},
                                       {"200b", "200B"}, {"7", "7"}}) {
        startCodepointEntry(s.state);
        s.type(typed);
        s.send(InputEvent::key(13));
        EXPECT_EQ(s.state.tools.penChar, "░") << typed;
        EXPECT_EQ(s.note(), std::string("no glyph at U+") + shown);
    }
}

TEST(DispatchKeys, ArrowsMoveTheCursorWithinTheDocument) {
    Session s;
    s.send(InputEvent::arrowKey(Arrow::up));
    s.send(InputEvent::arrowKey(Arrow::left));
    EXPECT_EQ(s.state.cursor, (GridKey{0, 0}));
    EXPECT_TRUE(s.state.cursorVisible);
    for (int i = 0; i < 3; ++i) s.send(InputEvent::arrowKey(Arrow::down));
    s.send(InputEvent::arrowKey(Arrow::right));
    EXPECT_EQ(s.state.cursor, (GridKey{3, 1}));
}

TEST(DispatchKeys, EscClosesTheTopmostOverlayFirst) {
    Session s;
    s.state.sauceBoxOpen = true;  // stays open beneath the boxes opened over it
    openOverlay(Overlay::layersPanel, s.state);
    s.send(InputEvent::key(27));
    EXPECT_FALSE(s.state.overlay);
    EXPECT_TRUE(s.state.sauceBoxOpen);
    s.send(InputEvent::key(27));
    EXPECT_FALSE(s.state.sauceBoxOpen);
}

TEST(DispatchKeys, KeyboardPointerStartsOverOverlaysAndClicksWithSpace) {
    Session s;
    openOverlay(Overlay::layersPanel, s.state);
    s.state.mouse = {50, 10};
    s.redraw();
    s.send(InputEvent::arrowKey(Arrow::right));
    ASSERT_TRUE(s.state.kbCursor);
    EXPECT_EQ(*s.state.kbCursor, (ScreenCell{10, 50}));
    EXPECT_EQ(s.note(), "keyboard pointer — arrows move · Space click · Esc back");
    s.send(InputEvent::arrowKey(Arrow::right));
    EXPECT_EQ(*s.state.kbCursor, (ScreenCell{10, 51}));
    s.send(InputEvent::key(' '));
    EXPECT_EQ(s.state.pendingClick, (ScreenCell{10, 51}));
    s.send(InputEvent::key(27));
    EXPECT_FALSE(s.state.kbCursor);
}

// The keyboard pointer clicked the font browser's URL field: Enter and Space belong to the
// field from then on, not to the pointer.
TEST(DispatchKeys, KeyboardPointerLeavesEnterAndSpaceToTheFontURLField) {
    Session s;
    openOverlay(Overlay::fontBrowser, s.state);
    s.redraw();
    ASSERT_TRUE(s.layout.fontURLSpan);
    s.state.kbCursor = ScreenCell{s.layout.fontURLSpan->row, s.layout.fontURLSpan->colStart};
    startFontURLEntry(s.state);
    s.redraw();

    s.type("https://fonts.test/a b.flf");
    EXPECT_FALSE(s.state.pendingClick);
    EXPECT_EQ(s.state.prompt->text(), "https://fonts.test/a b.flf");
    s.send(InputEvent::key('\r'));
    EXPECT_FALSE(s.state.pendingClick);
    EXPECT_FALSE(s.state.prompt);
    EXPECT_EQ(s.state.pendingFontURL.value_or(""), "https://fonts.test/a b.flf");
}

TEST(DispatchKeys, UndoAndRedoKeys) {
    Session s;
    s.state.snapshotForUndo();
    s.state.doc.layers[0].cells.set(0, 0, {CellChar("x"), ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(0), false});
    s.send(InputEvent::key(26));
    EXPECT_EQ(*s.state.doc.layers[0].cells.cellAt(0, 0), ANSICell::blank());
    s.send(InputEvent::key(25));
    EXPECT_EQ(s.state.doc.layers[0].cells.cellAt(0, 0)->character, CellChar("x"));
}

TEST(DispatchPointer, PanspectPicksTheCellWhereItWasPressedAndReleased) {
    Session s;
    s.state.tools.tool = Tool::pans;
    s.state.doc.blinkingText = true;
    s.state.tools.fgCycle = true;
    s.state.doc.layers[0].cells.set(2, 3, {CellChar("▓"), ANSIColorValue::ansi16(4), ANSIColorValue::ansi16(12), false});
    s.redraw();
    const int x = s.layout.canvasLeft() + 3, y = s.layout.canvasTop() + 2;
    s.send(InputEvent::mouseDown(x, y, 0));
    s.send(InputEvent::mouseUp(x, y));
    EXPECT_EQ(s.state.tools.penChar, "▓");
    EXPECT_EQ(s.state.tools.fg, ANSIColorValue::ansi16(4));
    EXPECT_EQ(s.state.tools.penBg, ANSIColorValue::ansi16(4));  // bright background taken down in blink mode
    EXPECT_FALSE(s.state.tools.fgCycle);
    EXPECT_EQ(s.note(), "picked ▓/Blue/Blue");
}

TEST(DispatchPointer, SelectDragBecomesTheSelection) {
    Session s;
    s.state.tools.tool = Tool::select;
    s.redraw();
    const int x = s.layout.canvasLeft(), y = s.layout.canvasTop();
    s.send(InputEvent::mouseDown(x + 1, y + 1, 0));
    s.send(InputEvent::mouseMove(x + 4, y + 2, true));
    s.send(InputEvent::mouseUp(x + 4, y + 2));
    ASSERT_TRUE(s.state.selection);
    EXPECT_EQ(*s.state.selection, (CellRect{1, 1, 2, 4}));
    EXPECT_EQ(s.note(), "4×2 selected — Paste places a copy");
    EXPECT_FALSE(s.state.stroke.shapeStart);
}

TEST(DispatchClicks, LayersPanelControlsWorkAndAClickOutsideClosesIt) {
    Session s;
    s.clickBar(BarAction::layers);
    ASSERT_EQ(s.state.overlay, Overlay::layersPanel);
    ASSERT_TRUE(s.layout.layerAddSpan);
    s.click(*s.layout.layerAddSpan);
    s.click(*s.layout.layerAddSpan);
    EXPECT_EQ(s.state.doc.layers.size(), 3u);
    ASSERT_EQ(s.layout.layerRowSpans.size(), 3u);
    s.click(s.layout.layerRowSpans[2].span);  // the bottom layer
    EXPECT_EQ(s.state.activeLayerIndex, 2);
    s.click(s.layout.layerEyeSpans[0].span);
    EXPECT_FALSE(s.state.doc.layers[0].visible);
    s.send(InputEvent::mouseDown(s.layout.canvasLeft() + 100, s.layout.canvasTop() + 40, 0));
    EXPECT_NE(s.state.overlay, Overlay::layersPanel);
}

TEST(DispatchClicks, ColourRowSwatchesSetForegroundAndRightClickBackground) {
    Session s;
    ASSERT_GE(s.layout.fgSwatchSpans.size(), 16u);
    s.click(s.layout.fgSwatchSpans[4].span);
    EXPECT_EQ(s.state.tools.fg, ANSIColorValue::ansi16(4));
    s.click(s.layout.fgSwatchSpans[6].span, 2);
    EXPECT_EQ(s.state.tools.penBg, ANSIColorValue::ansi16(6));
    EXPECT_EQ(s.state.tools.fg, ANSIColorValue::ansi16(4));
}

TEST(DispatchClicks, PalettePickerPicksA256Colour) {
    Session s;
    const auto fgButton = std::find_if(s.layout.paletteButtonSpans.begin(), s.layout.paletteButtonSpans.end(),
                                       [](const auto& r) { return r.value; });
    ASSERT_NE(fgButton, s.layout.paletteButtonSpans.end());
    s.click(fgButton->span);
    ASSERT_EQ(s.state.overlay, Overlay::palettePicker);
    const auto swatch = std::find_if(s.layout.paletteSwatchSpans.begin(), s.layout.paletteSwatchSpans.end(),
                                     [](const auto& r) { return r.value == 196; });
    ASSERT_NE(swatch, s.layout.paletteSwatchSpans.end());
    s.click(swatch->span);
    EXPECT_EQ(s.state.tools.fg, ANSIColorValue::ansi256(196));
}

TEST(DispatchClicks, DepthPickerRowSetsTheDepth) {
    Session s;
    s.clickBar(BarAction::colorDepth);
    ASSERT_EQ(s.state.overlay, Overlay::depthPicker);
    const auto row = std::find_if(s.layout.depthOptionSpans.begin(), s.layout.depthOptionSpans.end(),
                                  [](const auto& r) { return r.value == ColorDepth::c16; });
    ASSERT_NE(row, s.layout.depthOptionSpans.end());
    s.click(row->span);
    EXPECT_EQ(s.state.doc.colorDepth, ColorDepth::c16);
    EXPECT_EQ(s.button(BarAction::colorDepth), " 16 ");
}

TEST(DispatchClicks, SteppersClampThroughTheToolPanel) {
    Session s;
    s.state.tools.tool = Tool::spray;
    s.state.toolPanelOpen = true;
    s.redraw();
    const auto plus = std::find_if(s.layout.stepperSpans.begin(), s.layout.stepperSpans.end(),
                                   [](const auto& r) { return r.value.id == StepperId::sprayRadius && r.value.delta > 0; });
    ASSERT_NE(plus, s.layout.stepperSpans.end());
    const Span control = plus->span;  // the layout is replaced by every click
    for (int i = 0; i < 10; ++i) s.click(control);
    EXPECT_EQ(s.state.tools.sprayRadius, 8);
}

TEST(DispatchClicks, SauceBoxFieldsAreTypedAndTheCreditReachesTheBar) {
    Session s;
    openOverlay(Overlay::saveOptions, s.state);
    s.redraw();
    const auto sauceRow = std::find_if(s.layout.saveOptsSpans.begin(), s.layout.saveOptsSpans.end(),
                                       [](const auto& r) { return r.value == SaveOption::sauceRecord; });
    ASSERT_NE(sauceRow, s.layout.saveOptsSpans.end());
    s.click(sauceRow->span);
    ASSERT_TRUE(s.state.sauceBoxOpen);
    EXPECT_FALSE(s.state.sauceBoxReadOnly);
    const auto titleRow = std::find_if(s.layout.sauceBoxSpans.begin(), s.layout.sauceBoxSpans.end(),
                                       [](const auto& r) { return r.value == SauceBoxRow{SauceBoxRowKind::title}; });
    ASSERT_NE(titleRow, s.layout.sauceBoxSpans.end());
    s.click(titleRow->span);
    ASSERT_EQ(s.state.prompt, Prompt::forSauceField(SauceEntry::of(SauceField::title), ""));
    s.type("  Moonrise  \r");
    EXPECT_EQ(s.state.doc.sauce.sauceTitleField, "Moonrise");
    EXPECT_FALSE(s.state.prompt);

    s.state.doc.writeSauce = true;
    s.state.ownedPath = "/tmp/moonrise.ans";
    closeOverlay(Overlay::saveOptions, s.state);
    s.redraw();
    ASSERT_TRUE(s.layout.sauceCreditSpan);
    std::string credit;
    for (int c = s.layout.sauceCreditSpan->colStart; c < s.layout.sauceCreditSpan->colEnd; ++c)
        s.screen.at(s.layout.sauceCreditSpan->row, c).character.appendTo(credit);
    EXPECT_EQ(credit, "Moonrise");
    const auto done = std::find_if(s.layout.sauceBoxSpans.begin(), s.layout.sauceBoxSpans.end(),
                                   [](const auto& r) { return r.value == SauceBoxRow{SauceBoxRowKind::done}; });
    ASSERT_NE(done, s.layout.sauceBoxSpans.end());
    s.click(done->span);
    EXPECT_FALSE(s.state.sauceBoxOpen);
}

TEST(DispatchPointer, WheelOverACanvasThatFitsLeavesTheView) {
    Session s;
    const AppState before = s.state;
    s.send(InputEvent::scroll(s.layout.canvasLeft() + 2, s.layout.canvasTop() + 2, false));
    EXPECT_EQ(s.state.viewOffset, before.viewOffset);
    EXPECT_EQ(s.state.cursor, before.cursor);
}

TEST(DispatchKeys, CtrlFExportsAVideoFrame) {
    const ScratchFolder folder;
    Session s;
    s.state.filename = "clip";
    s.send(InputEvent::key(6));
    EXPECT_EQ(s.note().rfind("exported clip.1080.png (", 0), 0u) << s.note();
    const auto frame = readWholeFile((folder / "clip.1080.png").string(), 1 << 24);
    ASSERT_TRUE(frame.data);
    const auto image = decodePNG(*frame.data);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 1920);
    EXPECT_EQ(image->height, 1080);
}

TEST(DispatchClicks, ImageImportBoxDepthRowsSetTheDepthTheImportUses) {
    const ScratchFolder folder;
    const std::string picture = (folder / "red.png").string();
    std::vector<std::uint8_t> red;  // 2 × 2 pixels
    for (int i = 0; i < 4; ++i) red.insert(red.end(), {255, 0, 0});
    ASSERT_EQ(writeFileAtomically(picture, encodePNG(2, 2, red)), "");
    auto row = [](const auto& spans, auto value) {
        const auto it = std::find_if(spans.begin(), spans.end(), [&](const auto& r) { return r.value == value; });
        EXPECT_NE(it, spans.end());
        return it == spans.end() ? Span{} : it->span;
    };
    Session s;
    s.state.doc.colorDepth = ColorDepth::truecolor;
    const std::size_t layers = s.state.doc.layers.size();

    // Picked, then imported: mono turns the red into black.
    openOverlay(Overlay::imageImport, s.state);
    s.state.imageImportPath = picture;
    s.redraw();
    s.click(row(s.layout.imageDepthSpans, ColorDepth::mono));
    ASSERT_TRUE(s.state.imageImportPath);  // picking a depth keeps the box open
    EXPECT_EQ(s.state.doc.colorDepth, ColorDepth::mono);
    EXPECT_NE(s.text(row(s.layout.imageDepthSpans, ColorDepth::mono)).find("✓"), std::string::npos);
    s.click(row(s.layout.imageModeSpans, ImageImportMode::fg));
    ASSERT_EQ(s.state.doc.layers.size(), layers + 1);
    EXPECT_EQ(s.state.doc.layers[0].cells.cellAt(0, 0)->foreground, ANSIColorValue::ansi16(0));

    // Another depth, another mapping.
    openOverlay(Overlay::imageImport, s.state);
    s.state.imageImportPath = picture;
    s.redraw();
    s.click(row(s.layout.imageDepthSpans, ColorDepth::truecolor));
    s.click(row(s.layout.imageModeSpans, ImageImportMode::fg));
    ASSERT_EQ(s.state.doc.layers.size(), layers + 2);
    EXPECT_EQ(s.state.doc.layers[0].cells.cellAt(0, 0)->foreground, ANSIColorValue::truecolor(255, 0, 0));
}

}  // namespace dispatch_test
}  // namespace glyphloom

namespace glyphloom {
namespace dispatch_test {

TEST(DispatchClicks, PresetFileMenuRowsAndClicksElsewhere) {
    Session s;
    ASSERT_TRUE(s.layout.presetLoadSpan);
    s.click(*s.layout.presetLoadSpan);
    ASSERT_EQ(s.state.overlay, Overlay::presetFileMenu);
    ASSERT_EQ(s.layout.presetFileMenuSpans.size(), 2u);
    // A click elsewhere closes the menu and still reaches what it landed on.
    s.click(s.layout.fgSwatchSpans[5].span);
    EXPECT_NE(s.state.overlay, Overlay::presetFileMenu);
    EXPECT_EQ(s.state.tools.fg, ANSIColorValue::ansi16(5));

    s.click(*s.layout.presetLoadSpan);
    const auto load = std::find_if(s.layout.presetFileMenuSpans.begin(), s.layout.presetFileMenuSpans.end(),
                                   [](const auto& r) { return !r.value; });
    ASSERT_NE(load, s.layout.presetFileMenuSpans.end());
    s.click(load->span);
    EXPECT_NE(s.state.overlay, Overlay::presetFileMenu);
    EXPECT_EQ(s.state.overlay, Overlay::fileBrowser) << "the load row opens the browser";
}

TEST(DispatchClicks, SliderDragFollowsThePointerUntilTheButtonComesUp) {
    Session s;
    openOverlay(Overlay::palettePicker, s.state);
    s.state.tcDraft = {0, 0, 0, 0};
    s.redraw();
    ASSERT_EQ(s.layout.paletteSliderSpans.size(), 4u);
    const Span red = s.layout.paletteSliderSpans[0].span;
    s.send(InputEvent::mouseDown(red.colStart, red.row, 0));
    EXPECT_EQ(s.state.tcDraft.r, 0);
    s.send(InputEvent::mouseMove(red.colEnd + 5, red.row + 3, true));  // past the end, off the row
    EXPECT_EQ(s.state.tcDraft.r, 255);
    EXPECT_EQ(s.state.tools.fg, ANSIColorValue::truecolor(255, 0, 0));
    s.send(InputEvent::mouseUp(red.colEnd + 5, red.row + 3));
    s.send(InputEvent::mouseMove(red.colStart, red.row, false));
    EXPECT_EQ(s.state.tcDraft.r, 255) << "the drag ended with the release";
}

TEST(DispatchClicks, PoolChipsAndSelectionChipsReachTheirActions) {
    Session s;
    s.state.tools.fgCycle = true;
    s.state.tools.fgCyclePool = {ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)};
    s.redraw();
    ASSERT_EQ(s.layout.fgChipSpans.size(), 3u);
    s.click(s.layout.fgChipSpans[1]);
    EXPECT_EQ(s.state.tools.fgCyclePool,
              (std::vector<ANSIColorValue>{ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(3)}));
    EXPECT_EQ(s.note(), "fg cycle: 2 colors");

    s.state.tools.tool = Tool::select;
    s.redraw();
    ASSERT_TRUE(s.layout.blinkSelectionSpan);
    s.click(*s.layout.blinkSelectionSpan);
    EXPECT_EQ(s.note(), "select something first");
}

}  // namespace dispatch_test
}  // namespace glyphloom
