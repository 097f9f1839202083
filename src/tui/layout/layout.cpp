#include "tui/layout/layout.hpp"

#include <algorithm>

#include "tui/state/app_state.hpp"

namespace glyphloom {

int Layout::canvasWidth() const { return std::clamp(termCols - sidebarWidth, 0, std::max(documentCols, 0)); }

int Layout::canvasHeight() const {
    return std::clamp(canvasBottom() - contentTop(), 0, std::max(documentRows, 0));
}

// Spare space is split with the smaller half before the canvas (division truncates).
int Layout::canvasLeft() const { return sidebarWidth + (std::max(termCols - sidebarWidth, 0) - canvasWidth()) / 2; }

int Layout::canvasTop() const { return contentTop() + (std::max(canvasBottom() - contentTop(), 0) - canvasHeight()) / 2; }

std::optional<DocCell> Layout::docCell(int x, int y) const {
    const int r = y - canvasTop();
    const int c = x - canvasLeft();
    if (r < 0 || r >= canvasHeight() || c < 0 || c >= canvasWidth()) return std::nullopt;
    return DocCell{std::min(r + viewRow, std::max(documentRows - 1, 0)),
                   std::min(c + viewCol, std::max(documentCols - 1, 0))};
}

std::optional<Frame> Layout::previewInner() const {
    if (!previewFrame) return std::nullopt;
    // The box ends just above the mirror label, the sidebar's last row.
    const auto [top, left] = *previewFrame;
    const int bottom = sidebarBottom() - 2;
    const int height = bottom - top - 1;
    if (height <= 0) return std::nullopt;
    return Frame{top + 1, left + 1, sidebarWidth - 2, height};
}

Layout layoutGeometry(const AppState& state, int rows, int cols) {
    Layout layout;
    layout.termRows = rows;
    layout.termCols = cols;
    if (rows < 28) {
        layout.sizeClass = Layout::SizeClass::small;
    } else if (rows >= 40 && cols >= 140) {
        layout.sizeClass = Layout::SizeClass::large;
        layout.sidebarWidth = 12;
    } else {
        layout.sizeClass = Layout::SizeClass::regular;
    }
    layout.documentRows = state.doc.rows;
    layout.documentCols = state.doc.cols;

    const bool canvasFitsAcross = cols - layout.sidebarWidth >= layout.documentCols;
    layout.bottomPad = rows - 7 >= layout.documentRows && canvasFitsAcross;
    // The status line and the preset row stay whatever the canvas size: a canvas that does
    // not fit scrolls. Only the thin separator is kept for canvases that fit with room.
    layout.statusVisible = rows >= statusMinRows;
    layout.presetVisible = rows >= presetMinRows;
    layout.separatorVisible = rows - layout.pad() - 6 >= layout.documentRows && canvasFitsAcross;

    layout.viewRow = std::max(0, std::min(state.viewOffset.row, layout.documentRows - layout.canvasHeight()));
    layout.viewCol = std::max(0, std::min(state.viewOffset.col, layout.documentCols - layout.canvasWidth()));
    return layout;
}

}  // namespace glyphloom

namespace glyphloom {
namespace {

struct Collector {
    std::vector<NamedSpan> out;
    template <class T>
    void add(const char* name, const Regions<T>& regions) {
        for (const auto& region : regions) out.push_back({name, region.span});
    }
    void add(const char* name, const std::vector<Span>& spans) {
        for (const auto& span : spans) out.push_back({name, span});
    }
    void add(const char* name, const std::optional<Span>& span) {
        if (span) out.push_back({name, *span});
    }
    void add(const char* name, const std::optional<Frame>& frame) {
        if (frame) out.push_back({name, {frame->top, frame->left, frame->left + frame->width}});
    }
};

}  // namespace

// Every region field of a Layout, in the dump's order.
#define GLYPHLOOM_LAYOUT_REGIONS(X) \
    X(toolSpans) X(styleSpans) X(stitchSpans) X(fillModeSpans) X(lineWidthSpans) X(boxWidthSpans) \
    X(ovalWidthSpans) X(prismStepSpans) X(sprayRadiusSpans) X(sprayDensitySpans) X(boxStyleSpans) \
    X(ovalModeSpans) X(toggleSpans) X(barButtonSpans) X(sizeOptionSpans) X(depthOptionSpans) X(monoTintSpans) \
    X(conformSpan) X(blinkModeSpan) X(sizeCustomSpan) X(brushSpans) X(charButtonSpan) X(charPickerSpans) \
    X(charModeSpans) X(fgSwatchSpans) X(bgSwatchSpans) X(fgModeSpans) X(bgModeSpans) X(fgStepSpan) \
    X(bgStepSpan) X(presetSpans) X(presetModeSpans) X(presetLoadSpan) X(presetResetSpan) X(presetSaveSpans) \
    X(presetFileMenuSpans) X(saveOptsSpans) X(sauceCreditSpan) X(sauceBoxSpans) X(fgChipSpans) X(bgChipSpans) \
    X(fgbgReverseSpan) X(fileSpan) X(titleSpan) X(plusSpan) X(statusBarSpan) X(mirrorSpan) \
    X(previewTitleSpan) X(faceSpans) X(fileBrowserSpans) X(fileBrowserTypeSpan) X(browseUpSpan) \
    X(browseDownSpan) X(stepperSpans) X(selectActionSpans) X(blinkSelectionSpan) X(textDirSpans) \
    X(textScaleSpans) X(toolPanelFrame) X(fillCharSpan) X(fillCharModeSpans) X(fillColorModeSpans) \
    X(fillSwatchSpans) X(layerRowSpans) X(layerEyeSpans) X(layerUpSpans) X(layerDownSpans) X(layerDelSpans) \
    X(layerAddSpan) X(layerFlattenSpan) X(layerShiftSpan) X(layersPanelFrame) X(paletteButtonSpans) \
    X(paletteSwatchSpans) X(paletteCubeGroupSpans) X(paletteSliderSpans) X(paletteValueSpans) X(paletteFrame) \
    X(fontImportSpan) X(fadesButtonSpan) X(fadesFrame) X(charsetButtonSpan) X(codepointFieldSpan) \
    X(charPickerFrame) \
    X(charsetOptionSpans) X(fontBrowseSpan) X(imageModeSpans) X(imageDepthSpans) X(imageImportFrame) \
    X(fontRowSpans) X(fontListUpSpan) X(fontListDownSpan) X(fontURLSpan) X(fontBackSpan) X(fontDeleteYesSpan) \
    X(fontDeleteNoSpan) X(fontOKSpan) X(fontCancelSpan) X(fontBrowserFrame) X(sidebarUpSpan) \
    X(sidebarDownSpan) X(positionSpan) X(hoverLabels)

std::vector<NamedSpan> namedRegions(const Layout& l) {
    Collector c;
#define GLYPHLOOM_REGION(field) c.add(#field, l.field);
    GLYPHLOOM_LAYOUT_REGIONS(GLYPHLOOM_REGION)
#undef GLYPHLOOM_REGION
    if (l.previewFrame) c.out.push_back({"previewFrame", {l.previewFrame->first, l.previewFrame->second, l.previewFrame->second + 1}});
    return std::move(c.out);
}

namespace {

struct Mover {
    int dy, firstRow, endRow;
    bool keeps(const Span& span) const { return span.row + dy >= firstRow && span.row + dy < endRow; }
    Span moved(Span span) const {
        span.row += dy;
        return span;
    }
    template <class T>
    void move(Regions<T>& into, const Regions<T>& from) const {
        for (const auto& region : from)
            if (keeps(region.span)) into.push_back({moved(region.span), region.value});
    }
    void move(std::vector<Span>& into, const std::vector<Span>& from) const {
        for (const Span& span : from)
            if (keeps(span)) into.push_back(moved(span));
    }
    void move(std::optional<Span>& into, const std::optional<Span>& from) const {
        if (from && keeps(*from)) into = moved(*from);
    }
    void move(std::optional<Frame>& into, const std::optional<Frame>& from) const {
        if (!from || from->top + dy < firstRow || from->top + from->height + dy > endRow) return;
        into = *from;
        into->top += dy;
    }
};

}  // namespace

void appendMovedRegions(Layout& into, const Layout& from, int dy, int firstRow, int endRow) {
    const Mover mover{dy, firstRow, endRow};
#define GLYPHLOOM_MOVE(field) mover.move(into.field, from.field);
    GLYPHLOOM_LAYOUT_REGIONS(GLYPHLOOM_MOVE)
#undef GLYPHLOOM_MOVE
}

std::string_view sizeClassName(Layout::SizeClass sizeClass) {
    switch (sizeClass) {
        case Layout::SizeClass::small: return "small";
        case Layout::SizeClass::regular: return "regular";
        case Layout::SizeClass::large: return "large";
    }
    return "regular";
}

}  // namespace glyphloom
