// The overlays as the user sees them: texts, the regions clicks are matched against, what
// sits on top of what, and boxes cut down on small terminals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/color/color_depth.hpp"
#include "core/model/print_values.hpp"
#include "core/model/version.hpp"
#include "core/text/utf8.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/layout/style.hpp"
#include "app/command_line.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace overlays_test {

using C = ANSIColorValue;

// Tall and wide enough for the default canvas with its status line.
constexpr int bigRows = 60;
constexpr int bigCols = 175;

struct Composed {
    Screen screen{[](std::string_view) {}, false};
    Layout layout;

    Composed(const AppState& state, int rows = bigRows, int cols = bigCols) {
        screen.resize(rows, cols);
        layout = Chrome::compose(state, screen);
    }

    std::string row(int r) const {
        std::string text;
        for (int c = 0; c < screen.cols(); ++c) text += screen.at(r, c).character.str();
        return text;
    }
    std::string text(const Span& span) const {
        std::string out;
        for (int c = span.colStart; c < span.colEnd; ++c) out += screen.at(span.row, c).character.str();
        return out;
    }
    // The first row holding `needle`, or -1.
    int rowWith(std::string_view needle) const {
        for (int r = 0; r < screen.rows(); ++r)
            if (row(r).find(needle) != std::string::npos) return r;
        return -1;
    }
    const ANSICell& at(const Span& span, int offset = 0) const { return screen.at(span.row, span.colStart + offset); }
};

// A click in the middle of a span.
int midX(const Span& span) { return (span.colStart + span.colEnd - 1) / 2; }

std::string trimmedRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// A control's typed id by its readable name.
template <class Id>
std::string idText(const Id& id) {
    return std::string(controlName(id));
}

template <class Id>
const Region<Id>* regionWithId(const Regions<Id>& regions, std::string_view id) {
    for (const auto& region : regions)
        if (idText(region.value) == id) return &region;
    return nullptr;
}

// --- Canvas-size picker ---

TEST(CanvasSizePicker, OffersEachPresetUnderTheSizeButtonAndMarksTheCurrentSize) {
    AppState state;
    openOverlay(Overlay::sizePicker, state);
    const Composed f(state);
    ASSERT_EQ(f.layout.sizeOptionSpans.size(), canvasSizePresets.size());

    const Region<BarAction>* button = nullptr;
    for (const auto& region : f.layout.barButtonSpans)
        if (region.value == BarAction::canvasSize) button = &region;
    ASSERT_NE(button, nullptr);
    EXPECT_GT(f.layout.sizeOptionSpans.front().span.row, button->span.row);

    for (std::size_t i = 0; i < canvasSizePresets.size(); ++i) {
        const auto& region = f.layout.sizeOptionSpans[i];
        const auto [cols, rows] = canvasSizePresets[i];
        EXPECT_EQ(region.value, canvasSizePresets[i]);
        const std::string label = std::to_string(cols) + "×" + std::to_string(rows);
        EXPECT_NE(f.text(region.span).find(label), std::string::npos) << f.text(region.span);
        // Only the document's own size (160×50 at start) carries the mark.
        EXPECT_EQ(f.text(region.span).find("✓") != std::string::npos, cols == 160 && rows == 50) << label;
        const auto* clicked = hit(f.layout.sizeOptionSpans, midX(region.span), region.span.row);
        ASSERT_NE(clicked, nullptr);
        EXPECT_EQ(clicked->value, canvasSizePresets[i]);
    }
    ASSERT_TRUE(f.layout.sizeCustomSpan);
    EXPECT_EQ(trimmedRight(f.text(*f.layout.sizeCustomSpan)), "  Custom…");
    EXPECT_EQ(f.layout.sizeCustomSpan->row, f.layout.sizeOptionSpans.back().span.row + 1);
}

// --- Colour-depth picker ---

TEST(ColorDepthPicker, EachTintRowIsShownInThatTintsDisplayColours) {
    AppState state;
    openOverlay(Overlay::depthPicker, state);
    state.doc.colorDepth = ColorDepth::mono;
    state.doc.monoTint = MonoTint::amber;
    const Composed f(state);
    ASSERT_EQ(f.layout.monoTintSpans.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& region = f.layout.monoTintSpans[i];
        const MonoTint tint = allMonoTints[i];
        EXPECT_EQ(region.value, tint);
        EXPECT_NE(f.text(region.span).find(label(tint)), std::string::npos);
        EXPECT_EQ(f.text(region.span).find("✓") != std::string::npos, tint == MonoTint::amber);
        for (int offset : {0, region.span.width() - 1}) {
            EXPECT_EQ(f.at(region.span, offset).foreground, displayColor(tint, C::ansi16(15))) << label(tint);
            EXPECT_EQ(f.at(region.span, offset).background, displayColor(tint, C::ansi16(0))) << label(tint);
        }
    }
    // The rows follow the depths, then the blink row.
    EXPECT_EQ(f.layout.monoTintSpans.front().span.row, f.layout.depthOptionSpans.back().span.row + 1);
    ASSERT_TRUE(f.layout.blinkModeSpan);
    EXPECT_EQ(f.layout.blinkModeSpan->row, f.layout.monoTintSpans.back().span.row + 1);

    // Other depths have no tints to choose.
    state.doc.colorDepth = ColorDepth::c16;
    const Composed c16(state);
    EXPECT_TRUE(c16.layout.monoTintSpans.empty());
    ASSERT_EQ(c16.layout.depthOptionSpans.size(), 4u);
    EXPECT_EQ(trimmedRight(c16.text(c16.layout.depthOptionSpans[1].span)), " ✓16");
    EXPECT_EQ(c16.layout.depthOptionSpans[3].value, ColorDepth::truecolor);
}

TEST(ColorDepthPicker, ConformRowAppearsOnlyWhileCellsAreOutOfSpec) {
    AppState state;
    openOverlay(Overlay::depthPicker, state);
    state.doc.colorDepth = ColorDepth::c16;
    EXPECT_FALSE(Composed(state).layout.conformSpan);

    // Two cells in 24-bit colour do not belong in a 16-colour document.
    state.doc.layers.front().cells.set(3, 4, {CellChar("A"), C::truecolor(1, 2, 3), C::ansi16(0), false});
    state.doc.layers.front().cells.set(5, 6, {CellChar("B"), C::ansi16(7), C::truecolor(200, 10, 10), false});
    const Composed f(state);
    ASSERT_TRUE(f.layout.conformSpan);
    EXPECT_NE(f.text(*f.layout.conformSpan).find("2 cells"), std::string::npos) << f.text(*f.layout.conformSpan);
    ASSERT_TRUE(f.layout.blinkModeSpan);
    EXPECT_EQ(f.layout.conformSpan->row, f.layout.blinkModeSpan->row + 1);

    // At 256 colours the same cells are in spec.
    state.doc.colorDepth = ColorDepth::c256;
    EXPECT_FALSE(Composed(state).layout.conformSpan);
}

TEST(ColorDepthPicker, BlinkRowShowsItsStateAndExplainsItselfOnTheStatusLine) {
    struct Case {
        bool blinking;
        const char* row;
        const char* hover;
    };
    const Case cases[] = {
        {false, "  blink", "blinking text — lets the foreground flash, costs the bright backgrounds"},
        {true, " ✓blink", "blinking text ON — foreground can flash, backgrounds limited to 8"},
    };
    for (const Case& c : cases) {
        AppState state;
        openOverlay(Overlay::depthPicker, state);
        state.doc.blinkingText = c.blinking;
        const Span blink = *Composed(state).layout.blinkModeSpan;
        state.mouse = {midX(blink), blink.row};
        const Composed f(state);
        ASSERT_TRUE(f.layout.blinkModeSpan);
        EXPECT_EQ(trimmedRight(f.text(*f.layout.blinkModeSpan)), c.row);
        const int status = f.layout.statusRow();
        EXPECT_EQ(trimmedRight(f.row(status).substr(f.layout.sidebarWidth)), c.hover);
        EXPECT_EQ(f.screen.at(status, f.layout.sidebarWidth).foreground, chrome::accent);

        // Elsewhere the status line keeps its hints.
        state.mouse = {midX(blink), blink.row + 5};
        EXPECT_EQ(Composed(state).row(status).find("blinking"), std::string::npos);
    }
}

// --- Layers panel ---

TEST(LayersPanel, ListsTheTopLayerFirstWithTheActiveOneHighlighted) {
    AppState state;
    openOverlay(Overlay::layersPanel, state);
    state.doc.layers = {Layer("Top", CellGrid(2, 2)), Layer("Middle", CellGrid(2, 2)), Layer("Bottom", CellGrid(2, 2))};
    state.doc.layers[2].visible = false;
    state.activeLayerIndex = 1;
    const Composed f(state);

    ASSERT_EQ(f.layout.layerRowSpans.size(), 3u);
    ASSERT_EQ(f.layout.layerEyeSpans.size(), 3u);
    ASSERT_EQ(f.layout.layerUpSpans.size(), 3u);
    ASSERT_EQ(f.layout.layerDownSpans.size(), 3u);
    ASSERT_EQ(f.layout.layerDelSpans.size(), 3u);
    const char* names[] = {"Top", "Middle", "Bottom"};
    for (int i = 0; i < 3; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const Span name = f.layout.layerRowSpans[index].span;
        EXPECT_EQ(f.layout.layerRowSpans[index].value, i);
        EXPECT_EQ(trimmedRight(f.text(name)), names[i]);
        if (i > 0) {
            EXPECT_EQ(name.row, f.layout.layerRowSpans[index - 1].span.row + 1);
        }
        EXPECT_EQ(f.at(name).background == chrome::currentToolBg, i == 1) << names[i];
        EXPECT_EQ(f.at(name).foreground == chrome::accent, i == 1) << names[i];
        // Every control of the row carries the row's layer.
        for (const Regions<int>* controls : {&f.layout.layerEyeSpans, &f.layout.layerUpSpans,
                                             &f.layout.layerDownSpans, &f.layout.layerDelSpans}) {
            const auto& control = (*controls)[index];
            EXPECT_EQ(control.value, i);
            EXPECT_EQ(control.span.row, name.row);
            EXPECT_FALSE(control.span.colEnd > name.colStart && control.span.colStart < name.colEnd);
        }
    }
    // Hidden and visible layers are told apart.
    EXPECT_NE(f.text(f.layout.layerEyeSpans[0].span), f.text(f.layout.layerEyeSpans[2].span));

    ASSERT_TRUE(f.layout.layerAddSpan && f.layout.layerShiftSpan && f.layout.layerFlattenSpan);
    EXPECT_EQ(f.text(*f.layout.layerAddSpan), " +");
    EXPECT_EQ(f.text(*f.layout.layerShiftSpan), "<->");
    EXPECT_EQ(f.text(*f.layout.layerFlattenSpan), "Flatten");
    EXPECT_LT(f.layout.layerAddSpan->row, f.layout.layerRowSpans.front().span.row);
    EXPECT_GT(f.layout.layerFlattenSpan->row, f.layout.layerRowSpans.back().span.row);

    ASSERT_TRUE(f.layout.layersPanelFrame);
    const Frame& frame = *f.layout.layersPanelFrame;
    EXPECT_NE(f.row(frame.top).find("Layers"), std::string::npos);
    for (const auto& region : f.layout.layerDelSpans)
        EXPECT_TRUE(frame.contains(region.span.colEnd - 1, region.span.row));
}

// --- Image import box ---

TEST(ImageImportBox, OffersTheModesWithTheirDescriptionsThenTheDepths) {
    AppState state;
    openOverlay(Overlay::imageImport, state);
    state.imageImportPath = "/pictures/cat.photo.png";
    state.doc.colorDepth = ColorDepth::c16;
    const Composed f(state);
    ASSERT_TRUE(f.layout.imageImportFrame);
    EXPECT_NE(f.row(f.layout.imageImportFrame->top).find("Import reference image"), std::string::npos);
    EXPECT_NE(f.rowWith("cat.photo.png"), -1);
    ASSERT_EQ(f.layout.imageModeSpans.size(), 4u);
    for (const auto& region : f.layout.imageModeSpans)
        EXPECT_EQ(trimmedRight(f.text(region.span)), " " + std::string(imageImportDescription(region.value)));
    EXPECT_EQ(f.layout.imageModeSpans[0].value, ImageImportMode::blocks);
    ASSERT_EQ(f.layout.imageDepthSpans.size(), 4u);
    EXPECT_GT(f.layout.imageDepthSpans[0].span.row, f.layout.imageModeSpans[3].span.row);
    EXPECT_EQ(f.layout.imageDepthSpans[1].value, ColorDepth::c16);
    EXPECT_NE(f.text(f.layout.imageDepthSpans[1].span).find("✓"), std::string::npos);
}

// --- Font browser ---

BlockFont threeRowFont(std::string name) {
    BlockFont font;
    font.id = name;
    font.name = std::move(name);
    font.height = 3;
    font.glyphs["G"] = {"███", "█ ▄", "███"};
    font.glyphs["L"] = {"█  ", "█  ", "███"};
    return font;
}

TEST(FontBrowser, ListsPlainThenTheFontsAndPreviewsTheHoveredOne) {
    AppState state;
    openOverlay(Overlay::fontBrowser, state);
    state.importedFonts = {threeRowFont("Chunky"), threeRowFont("Stout")};
    // The built-in faces come first, then the imported ones.
    const int builtIns = static_cast<int>(BlockFont::builtIn().size());
    const std::size_t chunkyRow = static_cast<std::size_t>(builtIns) + 1;
    state.textFontIndex = builtIns + 1;
    state.tools.fg = C::ansi16(12);
    const Composed closed(state);
    ASSERT_EQ(closed.layout.fontRowSpans.size(), static_cast<std::size_t>(builtIns) + 3);
    EXPECT_EQ(closed.layout.fontRowSpans[0].value, -1);
    EXPECT_EQ(trimmedRight(closed.text(closed.layout.fontRowSpans[0].span)), "  Plain");
    EXPECT_EQ(trimmedRight(closed.text(closed.layout.fontRowSpans[1].span)), "  " + BlockFont::builtIn()[0].name);
    EXPECT_EQ(trimmedRight(closed.text(closed.layout.fontRowSpans[chunkyRow].span)), "  Chunky");
    EXPECT_EQ(trimmedRight(closed.text(closed.layout.fontRowSpans[chunkyRow + 1].span)), "▸ Stout");
    EXPECT_EQ(closed.layout.fontRowSpans[chunkyRow + 1].value, builtIns + 1);
    EXPECT_NE(closed.rowWith("hover a font to preview"), -1);
    EXPECT_NE(closed.rowWith("click selects · OK keeps · right-click removes an import"), -1);
    ASSERT_TRUE(closed.layout.fontImportSpan && closed.layout.fontURLSpan);
    EXPECT_EQ(closed.text(*closed.layout.fontImportSpan), "+ Import file…");
    EXPECT_EQ(closed.text(*closed.layout.fontURLSpan), "+ Import URL…");
    ASSERT_TRUE(closed.layout.fontOKSpan && closed.layout.fontCancelSpan);
    EXPECT_EQ(closed.text(*closed.layout.fontOKSpan), "✓ OK");
    EXPECT_EQ(closed.text(*closed.layout.fontCancelSpan), "✕ Cancel");
    EXPECT_FALSE(closed.layout.fontListUpSpan);  // everything fits

    // Hovering Chunky letters "Glyphloom": its G and l (through the capital) in the foreground.
    const Span chunky = closed.layout.fontRowSpans[chunkyRow].span;
    state.mouse = {midX(chunky), chunky.row};
    const Composed hovered(state);
    EXPECT_EQ(hovered.rowWith("hover a font to preview"), -1);
    const int top = hovered.rowWith("███ █");
    ASSERT_NE(top, -1) << "no lettering found";
    EXPECT_NE(hovered.row(top + 1).find("█ ▄ █"), std::string::npos);
    EXPECT_NE(hovered.row(top + 2).find("███ ███"), std::string::npos);
    const int col = static_cast<int>(utf8::graphemeClusters(hovered.row(top).substr(0, hovered.row(top).find("███ █"))).size());
    EXPECT_EQ(hovered.screen.at(top, col).foreground, C::ansi16(12));
    // The box does not move while the preview follows the pointer.
    EXPECT_EQ(hovered.layout.fontBrowserFrame, closed.layout.fontBrowserFrame);

    const Span plain = closed.layout.fontRowSpans[0].span;
    state.mouse = {midX(plain), plain.row};
    EXPECT_NE(Composed(state).rowWith("plain text · one cell per character"), -1);
}

TEST(FontBrowser, ScrollsALongListAPageAtATime) {
    AppState state;
    openOverlay(Overlay::fontBrowser, state);
    for (int i = 0; i < 15; ++i) state.importedFonts.push_back(threeRowFont("Font" + std::to_string(i)));
    state.fontListScroll = 3;
    const Composed f(state);
    const int page = f.layout.fontListPage;
    ASSERT_GE(page, 1);
    EXPECT_EQ(static_cast<int>(f.layout.fontRowSpans.size()), page);
    const int builtIns = static_cast<int>(BlockFont::builtIn().size());
    EXPECT_EQ(f.layout.fontListMaxScroll, 16 + builtIns - page);
    // Row 0 of the list is face 3: the faces' index 2 (Plain is face 0).
    EXPECT_EQ(f.layout.fontRowSpans.front().value, 2);
    EXPECT_EQ(trimmedRight(f.text(f.layout.fontRowSpans.front().span)), "  " + BlockFont::builtIn()[2].name);
    ASSERT_TRUE(f.layout.fontListUpSpan && f.layout.fontListDownSpan);
    EXPECT_EQ(f.layout.fontListUpSpan->row, f.layout.fontRowSpans.front().span.row);
    EXPECT_EQ(f.layout.fontListDownSpan->row, f.layout.fontRowSpans.back().span.row);
    EXPECT_EQ(hit(f.layout.fontRowSpans, midX(*f.layout.fontListUpSpan), f.layout.fontListUpSpan->row), nullptr);

    // A stored scroll past the end shows the last page.
    state.fontListScroll = 99;
    const Composed end(state);
    EXPECT_EQ(end.layout.fontRowSpans.back().value, 14 + builtIns);
}

TEST(FontBrowser, PicksFontFilesFromTheFolderListing) {
    AppState state;
    openOverlay(Overlay::fontBrowser, state);
    state.fontFileListing = true;
    state.browseDir = "/home/ace/fonts";
    state.fileBrowserEntries = {"~", "..", "Zed/", "a.tdf", "b.flf"};
    const Composed f(state);
    ASSERT_TRUE(f.layout.fontBrowserFrame);
    EXPECT_NE(f.row(f.layout.fontBrowserFrame->top).find("Import font · pick a file"), std::string::npos);
    ASSERT_TRUE(f.layout.fontBackSpan);
    EXPECT_NE(f.rowWith("in: /home/ace/fonts"), -1);
    ASSERT_EQ(f.layout.fileBrowserSpans.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f.layout.fileBrowserSpans[i].value, state.fileBrowserEntries[i]);
        EXPECT_EQ(trimmedRight(f.text(f.layout.fileBrowserSpans[i].span)), " " + state.fileBrowserEntries[i]);
    }
    EXPECT_NE(f.rowWith("(1–5 of 5)"), -1);
    EXPECT_TRUE(f.layout.fontRowSpans.empty());
    // The font browser shows the listing; the separate file browser stays away.
    EXPECT_EQ(f.rowWith("type a name"), -1);

    state.fileBrowserEntries = {"~", ".."};
    EXPECT_NE(Composed(state).rowWith("(no .tdf / .flf / .zip files in this folder)"), -1);
}

TEST(FontBrowser, ArchiveImportShowsItsProgressOverEverything) {
    AppState state;
    openOverlay(Overlay::fontBrowser, state);
    state.fontImportProgress = FontImportProgress{"fonts-mixed.zip", 3, 6};
    const Composed half(state);
    const int title = half.rowWith(" Importing fonts…");
    ASSERT_NE(title, -1);
    EXPECT_NE(half.row(title + 1).find("fonts-mixed.zip"), std::string::npos);
    EXPECT_NE(half.row(title + 2).find("3 of 6 font files"), std::string::npos);
    // Inside the box only: the canvas's shaded surround lies beside it.
    auto count = [](std::string text, std::string_view glyph) {
        text = text.substr(text.find("│"), text.rfind("│") - text.find("│"));
        int n = 0;
        for (auto at = text.find(glyph); at != std::string::npos; at = text.find(glyph, at + glyph.size())) ++n;
        return n;
    };
    const std::string bar = half.row(title + 3);
    EXPECT_GT(count(bar, "█"), 0);
    EXPECT_EQ(count(bar, "█"), count(bar, "░"));

    state.fontImportProgress = FontImportProgress{"one.zip", 1, 1};
    const Composed full(state);
    EXPECT_NE(full.rowWith("1 of 1 font file "), -1);
    EXPECT_EQ(count(full.row(full.rowWith(" Importing fonts…") + 3), "░"), 0);

    state.fontImportProgress.reset();
    EXPECT_EQ(Composed(state).rowWith("Importing fonts"), -1);
}

TEST(FontBrowser, UrlEntryDownloadAndDeleteConfirmation) {
    AppState state;
    openOverlay(Overlay::fontBrowser, state);
    state.importedFonts = {threeRowFont("Chunky")};

    state.prompt = Prompt(PromptKind::fontPath, "https://example.org/cool.tdf");
    const Composed url(state);
    EXPECT_NE(url.row(url.layout.fontBrowserFrame->top).find("Import font · paste a URL"), std::string::npos);
    EXPECT_NE(url.rowWith("paste a font URL (Cmd-V / Ctrl-Shift-V), then Enter:"), -1);
    const int field = url.rowWith("https://example.org/cool.tdf▌");
    ASSERT_NE(field, -1);
    EXPECT_NE(url.rowWith("Enter imports · Esc cancels"), -1);

    state.prompt.reset();
    state.pendingFontURL = "https://example.org/cool.tdf";
    const Composed download(state);
    EXPECT_NE(download.row(download.layout.fontBrowserFrame->top).find("Downloading font…"), std::string::npos);
    EXPECT_NE(download.rowWith("fetching… 0 KB so far"), -1);
    EXPECT_NE(download.rowWith("Esc cancels"), -1);

    state.pendingFontURL.reset();
    state.fontDeletePending = static_cast<int>(BlockFont::builtIn().size());
    const Composed confirm(state);
    EXPECT_NE(confirm.rowWith("Delete Chunky.flf: Chunky ?"), -1);
    ASSERT_TRUE(confirm.layout.fontDeleteYesSpan && confirm.layout.fontDeleteNoSpan);
    EXPECT_EQ(confirm.text(*confirm.layout.fontDeleteYesSpan), " Yes, delete ");
    EXPECT_EQ(confirm.text(*confirm.layout.fontDeleteNoSpan), " Cancel ");
    EXPECT_TRUE(confirm.layout.fontRowSpans.empty());
}

// A TheDraw file holds several faces and deleting one deletes the file: the prompt names
// every face that goes, over as many rows as it needs, and no face of another file.
TEST(FontBrowser, DeletePromptNamesEveryFaceOfTheFile) {
    auto face = [](std::string id, std::string name) {
        BlockFont font = threeRowFont(std::move(name));
        font.id = std::move(id);
        font.isTDF = true;
        return font;
    };
    AppState state;
    openOverlay(Overlay::fontBrowser, state);
    state.importedFonts = {face("4maxx_0", "4Max"), face("4maxx_1", "4Max Col Cyn"), face("4maxx_2", "4Max Col Red"),
                           face("4maxx_3", "4Max Outline Wide Long Name"), face("4maxx_9", "4Max Tail"),
                           face("other_0", "Other Face")};
    state.fontDeletePending = static_cast<int>(BlockFont::builtIn().size()) + 1;
    const Composed confirm(state);
    const int first = confirm.rowWith("Delete 4maxx.tdf: 4Max, 4Max Col Cyn, 4Max Col Red,");
    ASSERT_NE(first, -1);
    EXPECT_NE(confirm.row(first + 1).find("4Max Outline Wide Long Name, 4Max Tail ?"), std::string::npos);
    EXPECT_EQ(confirm.rowWith("Other Face"), -1);
    ASSERT_TRUE(confirm.layout.fontDeleteYesSpan);
    EXPECT_EQ(confirm.layout.fontDeleteYesSpan->row, first + 3);

    // A file of more faces than the box has rows for ends its list in "… ?".
    for (int i = 10; i < 200; ++i) state.importedFonts.push_back(face("4maxx_" + std::to_string(i), "Face " + std::to_string(i)));
    const Composed many(state, 24, 80);
    EXPECT_NE(many.rowWith(" … ?"), -1);
    EXPECT_EQ(many.rowWith("Face 199"), -1);
    ASSERT_TRUE(many.layout.fontDeleteYesSpan);
    EXPECT_EQ(many.text(*many.layout.fontDeleteYesSpan), " Yes, delete ");
}

// --- File browser ---

TEST(FileBrowser, TitleFollowsWhatIsBeingPicked) {
    struct Case {
        BrowseFor purpose;
        const char* title;
    };
    const Case cases[] = {
        {BrowseFor::documents, " Open drawing "},
        {BrowseFor::presets, " Load presets "},
        {BrowseFor::image, " Reference image "},
    };
    for (const Case& c : cases) {
        AppState state;
        openOverlay(Overlay::fileBrowser, state);
        state.browseFor = c.purpose;
        const Composed f(state);
        EXPECT_NE(f.rowWith(std::string("┌") + c.title), -1) << c.title;
        EXPECT_NE(f.rowWith("(no files here)"), -1);
        EXPECT_TRUE(f.layout.fileBrowserSpans.empty());
        ASSERT_TRUE(f.layout.fileBrowserTypeSpan);
        EXPECT_EQ(trimmedRight(f.text(*f.layout.fileBrowserTypeSpan)), "+ type a name…");
    }
}

TEST(FileBrowser, ShowsOnePageOfEntriesWithACounter) {
    AppState state;
    openOverlay(Overlay::fileBrowser, state);
    state.fileBrowserEntries = {"..", "Zed/"};
    for (int i = 0; i < 28; ++i) state.fileBrowserEntries.push_back("art" + std::to_string(i) + ".ans");
    state.browseSel = 3;
    const Composed f(state);
    const int page = f.layout.browsePageSize;
    ASSERT_GT(page, 1);
    ASSERT_LT(page, 30);
    ASSERT_EQ(static_cast<int>(f.layout.fileBrowserSpans.size()), page);
    EXPECT_EQ(f.layout.fileBrowserSpans[1].value, "Zed/");
    EXPECT_EQ(f.layout.fileBrowserSpans[3].value, "art1.ans");
    EXPECT_EQ(f.at(f.layout.fileBrowserSpans[3].span).background, chrome::currentToolBg);
    EXPECT_NE(f.at(f.layout.fileBrowserSpans[2].span).background, chrome::currentToolBg);
    EXPECT_NE(f.rowWith("1–" + std::to_string(page) + "/30"), -1);
    ASSERT_TRUE(f.layout.browseUpSpan && f.layout.browseDownSpan);
    EXPECT_EQ(f.layout.browseUpSpan->row, f.layout.browseDownSpan->row);
    EXPECT_GT(f.layout.browseUpSpan->row, f.layout.fileBrowserSpans.back().span.row);

    // A scroll past the end shows the last full page.
    state.browseScroll = 500;
    const Composed end(state);
    EXPECT_EQ(end.layout.fileBrowserSpans.back().value, "art27.ans");
    EXPECT_NE(end.rowWith(std::to_string(30 - page + 1) + "–30/30"), -1);
}

// --- Preset file menu ---

TEST(PresetFileMenu, SaveThenLoad) {
    AppState state;
    openOverlay(Overlay::presetFileMenu, state);
    const Composed f(state);
    ASSERT_EQ(f.layout.presetFileMenuSpans.size(), 2u);
    EXPECT_TRUE(f.layout.presetFileMenuSpans[0].value);
    EXPECT_EQ(trimmedRight(f.text(f.layout.presetFileMenuSpans[0].span)), " Save");
    EXPECT_FALSE(f.layout.presetFileMenuSpans[1].value);
    EXPECT_EQ(trimmedRight(f.text(f.layout.presetFileMenuSpans[1].span)), " Load");
    // It opens over the row it belongs to, not on it.
    EXPECT_LT(f.layout.presetFileMenuSpans[1].span.row, f.layout.presetRow());
}

// --- SAUCE box and save options ---

template <class Id>
std::vector<std::string> ids(const Regions<Id>& regions) {
    std::vector<std::string> out;
    for (const auto& region : regions) out.push_back(idText(region.value));
    return out;
}

TEST(SauceBox, RowsCarryTheIdsTheirEntriesUse) {
    AppState state;
    state.sauceBoxOpen = true;
    state.sauceAuthor = "ace";
    state.doc.sauce.sauceFontName = "";
    state.doc.sauce.sauceComments = {"first note", "second note"};
    state.doc.sauce.sauceHistory = {"Original artwork by bob, 19960101"};
    state.doc.sauce.letterSpacing = LetterSpacing::ninePixel;
    state.doc.sauce.aspectRatio = AspectRatio::legacy;
    const Composed f(state);
    EXPECT_EQ(ids(f.layout.sauceBoxSpans),
              (std::vector<std::string>{"title", "author", "group", "font", "spacing", "aspect", "comment:0",
                                        "comment:1", "comment:2", "done"}));
    auto textOf = [&](std::string_view id) { return trimmedRight(f.text(regionWithId(f.layout.sauceBoxSpans, id)->span)); };
    EXPECT_EQ(textOf("title"), " title   — tap to set —");
    EXPECT_EQ(textOf("author"), " artist  ace");
    EXPECT_EQ(textOf("group"), " group   — optional —");
    EXPECT_EQ(textOf("font"), " font    — optional —");
    EXPECT_EQ(textOf("spacing"), " spacing 9 pixel");
    EXPECT_EQ(textOf("aspect"), " aspect  Stretched");
    EXPECT_EQ(textOf("comment:1"), "   second note");
    EXPECT_EQ(textOf("comment:2"), "   +");
    EXPECT_EQ(textOf("done"), "   done");
    EXPECT_NE(f.rowWith("│  ↳ Original artwork by bob, 19960101"), -1);
    EXPECT_NE(f.rowWith("┌ SAUCE record "), -1);
}

TEST(SauceBox, AFieldBeingTypedShowsTheBuffer) {
    AppState state;
    state.sauceBoxOpen = true;
    state.prompt = Prompt::forSauceField(SauceEntry::of(SauceField::group), "acid");
    state.prompt->moveCursor(false);
    state.prompt->moveCursor(false);
    const Composed f(state);
    const auto* group = regionWithId(f.layout.sauceBoxSpans, "group");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(trimmedRight(f.text(group->span)), " group   ac▌id");
    EXPECT_EQ(f.at(group->span).background, chrome::entryBg);
}

TEST(SauceBox, ReadOnlyAndClaimConfirmation) {
    AppState state;
    state.sauceBoxOpen = true;
    state.sauceBoxReadOnly = true;
    SauceRecord record;
    record.title = "Dawn";
    record.author = "bob";
    record.group = "acid";
    state.doc.sauce.sourceSauce = record;
    state.doc.sauce.sauceTitleField = "Dawn";
    state.sauceAuthor = "ace";
    const Composed view(state);
    EXPECT_NE(view.rowWith("┌ view sauce record "), -1);
    EXPECT_EQ(ids(view.layout.sauceBoxSpans), (std::vector<std::string>{"edit", "done"}));
    EXPECT_EQ(trimmedRight(view.text(view.layout.sauceBoxSpans[0].span)), "   edit this record…");
    // The record's own credit is shown, not the user's.
    EXPECT_NE(view.rowWith(" artist  bob"), -1);
    EXPECT_NE(view.rowWith(" group   acid"), -1);

    state.sauceEditConfirm = true;
    const Composed confirm(state);
    EXPECT_EQ(ids(confirm.layout.sauceBoxSpans), (std::vector<std::string>{"claim", "cancel"}));
    const int question = confirm.rowWith(" put your name on this record?");
    ASSERT_NE(question, -1);
    EXPECT_NE(confirm.row(question + 1).find("bob of acid"), std::string::npos);
    EXPECT_NE(confirm.row(question + 2).find(" moves"), std::string::npos);
    EXPECT_NE(confirm.row(question + 3).find(" into its history."), std::string::npos);
    EXPECT_EQ(trimmedRight(confirm.text(confirm.layout.sauceBoxSpans[0].span)), "   yes, edit it");
    EXPECT_EQ(trimmedRight(confirm.text(confirm.layout.sauceBoxSpans[1].span)), "   cancel");
}

TEST(SauceBox, ManyCommentsGiveWayBeforeTheControlsOnAShortTerminal) {
    AppState state;
    state.sauceBoxOpen = true;
    for (int i = 0; i < 40; ++i) state.doc.sauce.sauceHistory.push_back("old line " + std::to_string(i));
    for (int i = 0; i < 40; ++i) state.doc.sauce.sauceComments.push_back("note " + std::to_string(i));
    const Composed f(state, 30, 100);
    const auto got = ids(f.layout.sauceBoxSpans);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), "done");
    EXPECT_NE(regionWithId(f.layout.sauceBoxSpans, "title"), nullptr);
    EXPECT_NE(regionWithId(f.layout.sauceBoxSpans, "comment:0"), nullptr);
    EXPECT_EQ(regionWithId(f.layout.sauceBoxSpans, "comment:39"), nullptr);
    EXPECT_EQ(f.rowWith("old line 0"), -1);  // history yields first
    for (const auto& region : f.layout.sauceBoxSpans) EXPECT_LT(region.span.row, 30);

    // With hardly any room the way out is still there.
    const Composed tiny(state, 8, 60);
    const auto left = ids(tiny.layout.sauceBoxSpans);
    ASSERT_FALSE(left.empty());
    EXPECT_EQ(left.back(), "done");
    for (const auto& region : tiny.layout.sauceBoxSpans) EXPECT_LT(region.span.row, 8);
}

TEST(SaveOptionsBox, TogglesFollowTheSettings) {
    AppState state;
    openOverlay(Overlay::saveOptions, state);
    state.filename = "dawn";
    state.doc.writeSauce = true;
    state.exportUTF8 = false;
    state.exportPNGOnSave = true;
    state.exportTXTOnSave = false;
    const Composed f(state);
    EXPECT_EQ(ids(f.layout.saveOptsSpans),
              (std::vector<std::string>{"name", "save", "sauceon", "sauce", "utf8", "png", "txt"}));
    EXPECT_NE(f.rowWith("┌ save options "), -1);
    auto textOf = [&](std::string_view id) { return trimmedRight(f.text(regionWithId(f.layout.saveOptsSpans, id)->span)); };
    EXPECT_EQ(textOf("name"), " name   dawn");
    EXPECT_EQ(textOf("save"), " save");
    EXPECT_EQ(textOf("sauceon"), " ✓ sauce record");
    EXPECT_EQ(textOf("sauce"), " create");
    EXPECT_EQ(textOf("utf8"), "   utf8 companion");
    EXPECT_EQ(textOf("png"), " ✓ png on save");
    EXPECT_EQ(textOf("txt"), "   txt companion");

    // The record control names what a click would do with it.
    auto recordControl = [](const AppState& s) {
        const Composed c(s);
        return trimmedRight(c.text(regionWithId(c.layout.saveOptsSpans, "sauce")->span));
    };
    state.sauceAuthor = "ace";
    EXPECT_EQ(recordControl(state), " edit");
    SauceRecord foreign;
    foreign.group = "acid";
    state.doc.sauce.sourceSauce = foreign;
    EXPECT_EQ(recordControl(state), " view");
}

// --- Panspect inspector ---

TEST(PanspectInspector, DescribesTheCellUnderThePointer) {
    AppState state;
    state.tools.tool = Tool::pans;
    state.doc.layers.front().cells.set(7, 12, {CellChar("█"), C::ansi16(9), C::truecolor(1, 2, 3), false});
    // A layer above with a see-through cell there does not hide it.
    state.doc.layers.insert(state.doc.layers.begin(), Layer("Top", CellGrid(state.doc.rows, state.doc.cols)));
    Composed probe(state);
    state.mouse = {probe.layout.canvasLeft() + 12 - probe.layout.viewCol, probe.layout.canvasTop() + 7 - probe.layout.viewRow};
    const Composed f(state);
    const int title = f.rowWith("┌ Inspect");
    ASSERT_NE(title, -1);
    EXPECT_LT(title, f.layout.sidebarBottom());
    EXPECT_NE(f.rowWith("│U+2588"), -1);
    EXPECT_NE(f.rowWith("│7,12"), -1);
    EXPECT_NE(f.rowWith("│ f Br Red"), -1);
    EXPECT_NE(f.rowWith("│ b #010203"), -1);
    // The enlarged cell is drawn in the cell's own colours.
    EXPECT_EQ(f.screen.at(title + 1, 2).character.str(), "█");
    EXPECT_EQ(f.screen.at(title + 1, 2).background, C::truecolor(1, 2, 3));

    // Off the canvas there is nothing to inspect.
    state.mouse = {0, 0};
    EXPECT_EQ(Composed(state).rowWith("Inspect"), -1);
}

// --- About box ---

TEST(AboutBox, ColouredTitleVersionWrappedHistoryAndPrompt) {
    AppState state;
    openOverlay(Overlay::about, state);
    state.aboutInput = "hi";
    state.aboutHistory = {"> hello", "> " + std::string(40, 'x')};
    const Composed f(state);
    const int title = f.rowWith("Glyphloom¹⁶ᴹ");
    ASSERT_NE(title, -1);
    EXPECT_NE(f.row(title - 1).find("╔"), std::string::npos);
    const std::string row = f.row(title);
    const int col = static_cast<int>(utf8::graphemeClusters(row.substr(0, row.find("Glyphloom"))).size());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(f.screen.at(title, col + i).foreground, Chrome::titleColor(i)) << i;
    for (const char* line : {"text mode!", "16 · 256 · 16M colors", "Linux & Mac terminals", "a message of love"})
        EXPECT_NE(f.rowWith(line), -1) << line;
    EXPECT_NE(f.rowWith("v" + std::string(glyphloomVersion())), -1);

    // 29 columns, then an indented continuation.
    const int wrapped = f.rowWith("> " + std::string(27, 'x'));
    ASSERT_NE(wrapped, -1);
    EXPECT_EQ(f.row(wrapped).find(std::string(28, 'x')), std::string::npos);
    EXPECT_NE(f.row(wrapped + 1).find("║   " + std::string(13, 'x') + " "), std::string::npos);
    EXPECT_NE(f.row(wrapped + 2).find("> hi█"), std::string::npos);
}

// --- Stacking and small terminals ---

TEST(OverlayStacking, WhereTwoOverlaysMeetTheLaterOneIsWhole) {
    struct Case {
        const char* name;
        void (*openEarlier)(AppState&);
        void (*openLater)(AppState&);
    };
    const Case cases[] = {
        {"SAUCE box under file browser", [](AppState& s) { s.sauceBoxOpen = true; },
         [](AppState& s) { openOverlay(Overlay::fileBrowser, s); }},
        // The SAUCE box stays open while boxes are opened from the bar and the sidebar.
        {"SAUCE box under font browser", [](AppState& s) { s.sauceBoxOpen = true; },
         [](AppState& s) { openOverlay(Overlay::fontBrowser, s); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppState earlier, later, both;
        c.openEarlier(earlier);
        c.openLater(later);
        c.openEarlier(both);
        c.openLater(both);
        const Composed bare(AppState{}), earlierOnly(earlier), laterOnly(later), stacked(both);
        int shared = 0;
        for (int r = 0; r < bigRows; ++r) {
            for (int col = 0; col < bigCols; ++col) {
                const bool laterDrew = !(laterOnly.screen.at(r, col) == bare.screen.at(r, col));
                const bool earlierDrew = !(earlierOnly.screen.at(r, col) == bare.screen.at(r, col));
                if (!laterDrew) continue;
                shared += earlierDrew ? 1 : 0;
                ASSERT_EQ(stacked.screen.at(r, col), laterOnly.screen.at(r, col)) << "at " << r << "," << col;
            }
        }
        EXPECT_GT(shared, 0) << "the two boxes do not overlap, so the case proves nothing";
    }
}

// Regions drawn by the overlays, by their layout names.
bool isOverlayRegion(const std::string& name) {
    static const std::vector<std::string> prefixes = {
        "sizeOption", "sizeCustom", "depthOption", "monoTint", "conform", "blinkMode", "presetFileMenu",
        "saveOpts",   "sauceBox",   "fileBrowser", "browse",   "layer",   "image",     "font"};
    for (const std::string& prefix : prefixes)
        if (name.rfind(prefix, 0) == 0) return true;
    return false;
}

TEST(OverlayClipping, EveryOverlayStaysOnTinyTerminals) {
    AppState full;
    full.sauceBoxOpen = true;  // lies beneath whichever box is open
    full.tools.tool = Tool::pans;
    full.doc.colorDepth = ColorDepth::mono;
    full.doc.layers.front().cells.set(0, 0, {CellChar("x"), C::truecolor(9, 9, 9), C::ansi16(3), true});
    for (int i = 0; i < 6; ++i) full.doc.layers.push_back(Layer("L" + std::to_string(i), CellGrid(2, 2)));
    for (int i = 0; i < 12; ++i) full.importedFonts.push_back(threeRowFont("F" + std::to_string(i)));
    for (int i = 0; i < 40; ++i) full.fileBrowserEntries.push_back("f" + std::to_string(i) + ".ans");
    for (int i = 0; i < 9; ++i) full.doc.sauce.sauceComments.push_back(std::string(80, 'c'));
    for (int i = 0; i < 9; ++i) full.aboutHistory.push_back(std::string(70, 'h'));

    const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {4, 9}, {8, 20}, {14, 40}, {24, 80}};
    for (const OverlayEntry& overlay : overlayTable()) {
      if (!isExclusive(overlay.id)) continue;
      for (const auto& [rows, cols] : sizes) {
        for (const bool pointerOnCanvas : {false, true}) {
            AppState state = full;
            openOverlay(overlay.id, state);
            if (overlay.id == Overlay::imageImport) state.imageImportPath = "/tmp/a.png";
            state.mouse = pointerOnCanvas ? ScreenPoint{cols - 1, rows / 2} : ScreenPoint{-1, -1};
            const Composed f(state, rows, cols);
            for (const NamedSpan& region : namedRegions(f.layout)) {
                if (!isOverlayRegion(region.name)) continue;
                SCOPED_TRACE(region.name + " at " + std::to_string(rows) + "×" + std::to_string(cols));
                EXPECT_GE(region.span.row, 0);
                EXPECT_LT(region.span.row, rows);
                EXPECT_GE(region.span.colStart, 0);
                EXPECT_LE(region.span.colEnd, cols);
                EXPECT_LT(region.span.colStart, region.span.colEnd);
            }
        }
      }
    }
}

}  // namespace overlays_test
}  // namespace glyphloom
