// The geometry of one composed frame and every clickable region drawn in it, so input is
// hit-tested against exactly what the user saw. The composer creates a fresh Layout each
// frame (geometry first, then one region per control as it draws); the dispatcher only reads
// it. Screen coordinates throughout: x is a column, y a row, 0-based.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/model/cell.hpp"
#include "core/color/color_depth.hpp"
#include "core/render/image_import_mode.hpp"
#include "core/model/tool_options.hpp"
#include "tui/state/bar_action.hpp"
#include "tui/state/color_mode.hpp"
#include "tui/state/control_ids.hpp"

namespace glyphloom {

class AppState;

// One clickable run of cells on one screen row: columns colStart ..< colEnd.
struct Span {
    int row = 0;
    int colStart = 0;
    int colEnd = 0;

    bool contains(int x, int y) const { return y == row && x >= colStart && x < colEnd; }
    int width() const { return colEnd - colStart; }
    friend bool operator==(const Span&, const Span&) = default;
};

// The rectangle of an open panel or overlay; clicks inside it belong to it.
struct Frame {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;

    bool contains(int x, int y) const { return y >= top && y < top + height && x >= left && x < left + width; }
    friend bool operator==(const Frame&, const Frame&) = default;
};

// A drawn control and what clicking it means.
template <class T>
struct Region {
    Span span;
    T value;
};
template <class T>
using Regions = std::vector<Region<T>>;

// The first region under (x, y), if any.
template <class T>
const Region<T>* hit(const Regions<T>& regions, int x, int y) {
    for (const auto& region : regions)
        if (region.span.contains(x, y)) return &region;
    return nullptr;
}
inline bool hit(const std::optional<Span>& span, int x, int y) { return span && span->contains(x, y); }
inline bool hit(const std::optional<Frame>& frame, int x, int y) { return frame && frame->contains(x, y); }

// A document cell under the pointer.
using DocCell = GridKey;

struct Layout {
    enum class SizeClass { small, regular, large };

    // --- Geometry, set before anything is drawn ---
    int termRows = 0;
    int termCols = 0;
    // The size of the document the frame shows.
    int documentRows = 0;
    int documentCols = 0;
    static constexpr int menuRow = 0;
    bool twoLineBar = false;
    static constexpr int halfPadRow = 1;
    SizeClass sizeClass = SizeClass::regular;
    int sidebarWidth = 9;
    bool bottomPad = false;
    bool statusVisible = true;   // the status line (every terminal with room for some canvas)
    bool presetVisible = true;   // the preset row (terminals of presetMinRows and more)
    bool separatorVisible = true;  // the thin row under a one-line bar, while the canvas fits

    // --- Tool strip and tool options ---
    Regions<Tool> toolSpans;
    Regions<LineStyle> styleSpans;
    Regions<LineStitchMode> stitchSpans;
    Regions<FillMode> fillModeSpans;
    Regions<int> lineWidthSpans, boxWidthSpans, ovalWidthSpans;
    Regions<int> prismStepSpans;
    Regions<int> sprayRadiusSpans, sprayDensitySpans;
    Regions<BoxStyle> boxStyleSpans;
    Regions<OvalDrawMode> ovalModeSpans;
    Regions<ToggleId> toggleSpans;

    // --- Menu bar ---
    Regions<BarAction> barButtonSpans;

    // --- Canvas-size and colour-depth overlays ---
    Regions<std::pair<int, int>> sizeOptionSpans;  // (cols, rows)
    Regions<ColorDepth> depthOptionSpans;
    Regions<MonoTint> monoTintSpans;
    std::optional<Span> conformSpan, blinkModeSpan, sizeCustomSpan;

    // --- Brush and characters ---
    Regions<BrushSize> brushSpans;
    std::optional<Span> charButtonSpan;
    Regions<std::string> charPickerSpans;
    Regions<CharMode> charModeSpans;

    // --- Colour row ---
    Regions<int> fgSwatchSpans, bgSwatchSpans;
    Regions<ColorMode> fgModeSpans, bgModeSpans;
    std::optional<Span> fgStepSpan, bgStepSpan;

    // --- Preset row ---
    Regions<int> presetSpans;
    Regions<bool> presetModeSpans;  // true: cycle, false: random
    std::optional<Span> presetLoadSpan, presetResetSpan;
    Regions<int> presetSaveSpans;
    Regions<bool> presetFileMenuSpans;  // true: save

    // --- Save options and SAUCE box ---
    Regions<SaveOption> saveOptsSpans;
    std::optional<Span> sauceCreditSpan;
    Regions<SauceBoxRow> sauceBoxSpans;

    // --- Colour chips ---
    std::vector<Span> fgChipSpans, bgChipSpans;
    std::optional<Span> fgbgReverseSpan;

    // --- Menu bar texts and status ---
    std::optional<Span> fileSpan, titleSpan, plusSpan, statusBarSpan, mirrorSpan;

    // --- Tool preview ---
    std::optional<std::pair<int, int>> previewFrame;  // (top, left)
    std::optional<Span> previewTitleSpan;

    // --- Text tool faces (no index: the plain one-cell-per-character face) ---
    Regions<std::optional<int>> faceSpans;

    // --- File browser ---
    Regions<std::string> fileBrowserSpans;
    std::optional<Span> fileBrowserTypeSpan, browseUpSpan, browseDownSpan;
    int browsePageSize = 1;

    // --- Steppers and actions ---
    struct Step {
        StepperId id = StepperId::sprayRadius;
        int delta = 0;
        friend bool operator==(const Step&, const Step&) = default;
    };
    Regions<Step> stepperSpans;
    Regions<SelectAction> selectActionSpans;
    std::optional<Span> blinkSelectionSpan;
    Regions<TextDirection> textDirSpans;
    Regions<int> textScaleSpans;
    std::optional<Frame> toolPanelFrame;

    // --- Shape fill panel ---
    std::optional<Span> fillCharSpan;
    Regions<FillChannelMode> fillCharModeSpans;
    struct FillColorMode {
        bool fg = true;
        FillChannelMode mode = FillChannelMode::solid;
        friend bool operator==(const FillColorMode&, const FillColorMode&) = default;
    };
    Regions<FillColorMode> fillColorModeSpans;
    struct FillSwatch {
        bool fg = true;
        int index = 0;
        friend bool operator==(const FillSwatch&, const FillSwatch&) = default;
    };
    Regions<FillSwatch> fillSwatchSpans;

    // --- Layers panel ---
    Regions<int> layerRowSpans, layerEyeSpans, layerUpSpans, layerDownSpans, layerDelSpans;
    std::optional<Span> layerAddSpan, layerFlattenSpan, layerShiftSpan;
    std::optional<Frame> layersPanelFrame;

    // --- Palette picker ---
    Regions<bool> paletteButtonSpans;  // true: foreground
    Regions<int> paletteSwatchSpans;
    Regions<int> paletteCubeGroupSpans;
    struct Slider {
        PaletteChannel channel = PaletteChannel::tcR;
        int col0 = 0;
        int width = 0;
    };
    Regions<Slider> paletteSliderSpans;
    Regions<PaletteChannel> paletteValueSpans;
    std::optional<Frame> paletteFrame;

    // --- Fades panel and character set ---
    std::optional<Span> fontImportSpan, fadesButtonSpan;
    std::optional<Frame> fadesFrame;
    std::optional<Span> charsetButtonSpan, codepointFieldSpan;
    std::optional<Frame> charPickerFrame;
    Regions<int> charsetOptionSpans;
    std::optional<Span> fontBrowseSpan;

    // --- Image import box ---
    Regions<ImageImportMode> imageModeSpans;
    Regions<ColorDepth> imageDepthSpans;
    std::optional<Frame> imageImportFrame;

    // --- Font browser ---
    Regions<int> fontRowSpans;  // index into the available fonts; -1 is the plain face
    std::optional<Span> fontListUpSpan, fontListDownSpan;
    int fontListMaxScroll = 0;
    int fontListPage = 1;
    std::optional<Span> fontURLSpan, fontBackSpan, fontDeleteYesSpan, fontDeleteNoSpan;
    std::optional<Span> fontOKSpan, fontCancelSpan;
    std::optional<Frame> fontBrowserFrame;

    // --- Viewport scroll: the document cell at the viewport's top-left corner ---
    int viewRow = 0;
    int viewCol = 0;
    // Where the status line says which part of the document is in view (absent when it all is).
    std::optional<Span> positionSpan;

    // --- Sidebar scroll: when the tools and the current tool's options do not all fit, the
    // sidebar shows `sidebarPage` rows of them from `sidebarScroll`, between a ▲ and a ▼ row ---
    int sidebarScroll = 0;
    int sidebarMaxScroll = 0;
    int sidebarPage = 1;
    int sidebarOptionsRow = 0;  // where the current tool's options begin, counted like the scroll
    std::optional<Span> sidebarUpSpan, sidebarDownSpan;
    // Labels shown cut short, with their whole text for the status line on hover.
    Regions<std::string> hoverLabels;

    // --- Derived geometry ---
    int pad() const { return bottomPad ? 1 : 0; }
    bool compact() const { return !statusVisible; }
    int fileRow() const { return twoLineBar ? 1 : 0; }
    int contentTop() const { return (twoLineBar || separatorVisible) ? 2 : 1; }
    int contentLeft() const { return sidebarWidth; }
    int canvasBottom() const { return statusVisible ? statusRow() : colorRow(); }
    int statusRow() const { return termRows - (presetVisible ? 4 : 3) - pad(); }
    int presetRow() const { return termRows - 3 - pad(); }
    int colorRow() const { return termRows - 2 - pad(); }
    int padRow() const { return termRows - 1 - pad(); }
    int bottomEdgeRow() const { return termRows - 1; }
    int canvasWidth() const;
    int canvasHeight() const;
    int canvasLeft() const;
    int canvasTop() const;
    // First sidebar row and the row the sidebar stops above.
    int sidebarTop() const { return (twoLineBar && statusVisible) ? 2 : 1; }
    int sidebarBottom() const { return presetVisible ? presetRow() : colorRow(); }
    // The row the bottom rows' bar background starts on.
    int bottomRowsTop() const { return presetVisible ? presetRow() : colorRow(); }

    // The document cell under a screen position, or nothing outside the visible canvas.
    std::optional<DocCell> docCell(int x, int y) const;
    // The drawing area inside the preview box's frame, when the box is on screen.
    std::optional<Frame> previewInner() const;
    // The width of the tool preview's strip: the sidebar inside its frame.
    int previewStripCols() const { return std::max(sidebarWidth - 2, 1); }
};

// The geometry of every frame: terminal size, size class, sidebar width, bottom pad, which of
// the status line, preset row and separator are shown, and the clamped view. The bar's width
// is decided by the composer.
Layout layoutGeometry(const AppState& state, int rows, int cols);

// The smallest terminal heights with a status line and with a preset row: below 10 rows the
// canvas keeps every row it can get; below 20 the presets give their row to the canvas.
inline constexpr int statusMinRows = 10;
inline constexpr int presetMinRows = 20;

}  // namespace glyphloom

namespace glyphloom {

// Every drawn region of a frame by its field name, in a fixed order (lists in drawing order;
// frames as their top row and column range). For the layout dump and for tests.
struct NamedSpan {
    std::string name;
    Span span;
};
std::vector<NamedSpan> namedRegions(const Layout& layout);

// Appends every region of `from` moved down by `dy` rows, keeping those that land in rows
// firstRow ..< endRow: the sidebar draws its whole column apart and shows a window of it.
void appendMovedRegions(Layout& into, const Layout& from, int dy, int firstRow, int endRow);

std::string_view sizeClassName(Layout::SizeClass sizeClass);

}  // namespace glyphloom
