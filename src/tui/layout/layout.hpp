// The geometry of one composed frame and every clickable region drawn in it, so input is
// hit-tested against exactly what the user saw. The composer creates a fresh Layout each
// frame (geometry first, then one region per control as it draws); the dispatcher only reads
// it. Screen coordinates throughout: x is a column, y a row, 0-based.
#pragma once

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
    static constexpr int menuRow = 0;
    bool twoLineBar = false;
    static constexpr int halfPadRow = 1;
    SizeClass sizeClass = SizeClass::regular;
    int sidebarWidth = 9;
    bool bottomPad = false;
    bool statusVisible = true;

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
    };
    Regions<FillColorMode> fillColorModeSpans;
    struct FillSwatch {
        bool fg = true;
        int index = 0;
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

    // --- Derived geometry ---
    int pad() const { return bottomPad ? 1 : 0; }
    bool compact() const { return !statusVisible; }
    int fileRow() const { return twoLineBar ? 1 : 0; }
    int contentTop() const { return (twoLineBar || statusVisible) ? 2 : 1; }
    int contentLeft() const { return sidebarWidth; }
    int canvasBottom() const { return termRows - (statusVisible ? 4 : 2) - pad(); }
    int statusRow() const { return termRows - 4 - pad(); }
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
    int sidebarBottom() const { return statusVisible ? presetRow() : colorRow(); }

    // The document cell under a screen position, or nothing outside the visible canvas.
    std::optional<DocCell> docCell(int x, int y) const;
    // The drawing area inside the preview box's frame, when the box is on screen.
    std::optional<Frame> previewInner() const;
};

// Steps 1–6 of every frame: terminal size, size class, sidebar width, bottom pad, status line
// visibility and the clamped view. The bar's width (step 7) is decided by the composer.
Layout layoutGeometry(const AppState& state, int rows, int cols);

// Width of the tool preview, set by each frame's geometry pass (the sidebar minus its frame).
inline int toolPreviewCols = 7;

}  // namespace glyphloom

namespace glyphloom {

// Every drawn region of a frame by its field name, in a fixed order (lists in drawing order;
// frames as their top row and column range). For the layout dump and for tests.
struct NamedSpan {
    std::string name;
    Span span;
};
std::vector<NamedSpan> namedRegions(const Layout& layout);

std::string_view sizeClassName(Layout::SizeClass sizeClass);

}  // namespace glyphloom
