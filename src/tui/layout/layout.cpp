#include "tui/layout/layout.hpp"

#include <algorithm>

#include "tui/state/app_state.hpp"

namespace glyphloom {

int Layout::canvasWidth() const { return std::clamp(termCols - sidebarWidth, 0, std::max(AppState::docCols, 0)); }

int Layout::canvasHeight() const {
    return std::clamp(canvasBottom() - contentTop(), 0, std::max(AppState::docRows, 0));
}

// Spare space is split with the smaller half before the canvas (division truncates).
int Layout::canvasLeft() const { return sidebarWidth + (std::max(termCols - sidebarWidth, 0) - canvasWidth()) / 2; }

int Layout::canvasTop() const { return contentTop() + (std::max(canvasBottom() - contentTop(), 0) - canvasHeight()) / 2; }

std::optional<DocCell> Layout::docCell(int x, int y) const {
    const int r = y - canvasTop();
    const int c = x - canvasLeft();
    if (r < 0 || r >= canvasHeight() || c < 0 || c >= canvasWidth()) return std::nullopt;
    return DocCell{std::min(r + viewRow, std::max(AppState::docRows - 1, 0)),
                   std::min(c + viewCol, std::max(AppState::docCols - 1, 0))};
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
    toolPreviewCols = layout.sidebarWidth - 2;

    const bool canvasFitsAcross = cols - layout.sidebarWidth >= AppState::docCols;
    layout.bottomPad = rows - 7 >= AppState::docRows && canvasFitsAcross;
    layout.statusVisible = rows - layout.pad() - 6 >= AppState::docRows && canvasFitsAcross;

    layout.viewRow = std::max(0, std::min(state.viewOffset.row, AppState::docRows - layout.canvasHeight()));
    layout.viewCol = std::max(0, std::min(state.viewOffset.col, AppState::docCols - layout.canvasWidth()));
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

std::vector<NamedSpan> namedRegions(const Layout& l) {
    Collector c;
#define GLYPHLOOM_REGION(field) c.add(#field, l.field)
    GLYPHLOOM_REGION(toolSpans); GLYPHLOOM_REGION(styleSpans); GLYPHLOOM_REGION(stitchSpans);
    GLYPHLOOM_REGION(fillModeSpans); GLYPHLOOM_REGION(lineWidthSpans); GLYPHLOOM_REGION(boxWidthSpans);
    GLYPHLOOM_REGION(ovalWidthSpans); GLYPHLOOM_REGION(prismStepSpans); GLYPHLOOM_REGION(sprayRadiusSpans);
    GLYPHLOOM_REGION(sprayDensitySpans); GLYPHLOOM_REGION(boxStyleSpans); GLYPHLOOM_REGION(ovalModeSpans);
    GLYPHLOOM_REGION(toggleSpans); GLYPHLOOM_REGION(barButtonSpans); GLYPHLOOM_REGION(sizeOptionSpans);
    GLYPHLOOM_REGION(depthOptionSpans); GLYPHLOOM_REGION(monoTintSpans); GLYPHLOOM_REGION(conformSpan);
    GLYPHLOOM_REGION(blinkModeSpan); GLYPHLOOM_REGION(sizeCustomSpan); GLYPHLOOM_REGION(brushSpans);
    GLYPHLOOM_REGION(charButtonSpan); GLYPHLOOM_REGION(charPickerSpans); GLYPHLOOM_REGION(charModeSpans);
    GLYPHLOOM_REGION(fgSwatchSpans); GLYPHLOOM_REGION(bgSwatchSpans); GLYPHLOOM_REGION(fgModeSpans);
    GLYPHLOOM_REGION(bgModeSpans); GLYPHLOOM_REGION(fgStepSpan); GLYPHLOOM_REGION(bgStepSpan);
    GLYPHLOOM_REGION(presetSpans); GLYPHLOOM_REGION(presetModeSpans); GLYPHLOOM_REGION(presetLoadSpan);
    GLYPHLOOM_REGION(presetResetSpan); GLYPHLOOM_REGION(presetSaveSpans); GLYPHLOOM_REGION(presetFileMenuSpans);
    GLYPHLOOM_REGION(saveOptsSpans); GLYPHLOOM_REGION(sauceCreditSpan); GLYPHLOOM_REGION(sauceBoxSpans);
    GLYPHLOOM_REGION(fgChipSpans); GLYPHLOOM_REGION(bgChipSpans); GLYPHLOOM_REGION(fgbgReverseSpan);
    GLYPHLOOM_REGION(fileSpan); GLYPHLOOM_REGION(titleSpan); GLYPHLOOM_REGION(plusSpan);
    GLYPHLOOM_REGION(statusBarSpan); GLYPHLOOM_REGION(mirrorSpan); GLYPHLOOM_REGION(previewTitleSpan);
    GLYPHLOOM_REGION(faceSpans); GLYPHLOOM_REGION(fileBrowserSpans); GLYPHLOOM_REGION(fileBrowserTypeSpan);
    GLYPHLOOM_REGION(browseUpSpan); GLYPHLOOM_REGION(browseDownSpan); GLYPHLOOM_REGION(stepperSpans);
    GLYPHLOOM_REGION(selectActionSpans); GLYPHLOOM_REGION(blinkSelectionSpan); GLYPHLOOM_REGION(textDirSpans); GLYPHLOOM_REGION(textScaleSpans);
    GLYPHLOOM_REGION(toolPanelFrame); GLYPHLOOM_REGION(fillCharSpan); GLYPHLOOM_REGION(fillCharModeSpans);
    GLYPHLOOM_REGION(fillColorModeSpans); GLYPHLOOM_REGION(fillSwatchSpans); GLYPHLOOM_REGION(layerRowSpans);
    GLYPHLOOM_REGION(layerEyeSpans); GLYPHLOOM_REGION(layerUpSpans); GLYPHLOOM_REGION(layerDownSpans);
    GLYPHLOOM_REGION(layerDelSpans); GLYPHLOOM_REGION(layerAddSpan); GLYPHLOOM_REGION(layerFlattenSpan);
    GLYPHLOOM_REGION(layerShiftSpan); GLYPHLOOM_REGION(layersPanelFrame); GLYPHLOOM_REGION(paletteButtonSpans);
    GLYPHLOOM_REGION(paletteSwatchSpans); GLYPHLOOM_REGION(paletteCubeGroupSpans);
    GLYPHLOOM_REGION(paletteSliderSpans); GLYPHLOOM_REGION(paletteValueSpans); GLYPHLOOM_REGION(paletteFrame);
    GLYPHLOOM_REGION(fontImportSpan); GLYPHLOOM_REGION(fadesButtonSpan); GLYPHLOOM_REGION(fadesFrame);
    GLYPHLOOM_REGION(charsetButtonSpan); GLYPHLOOM_REGION(codepointFieldSpan); GLYPHLOOM_REGION(charsetOptionSpans);
    GLYPHLOOM_REGION(fontBrowseSpan); GLYPHLOOM_REGION(imageModeSpans); GLYPHLOOM_REGION(imageDepthSpans);
    GLYPHLOOM_REGION(imageImportFrame); GLYPHLOOM_REGION(fontRowSpans); GLYPHLOOM_REGION(fontListUpSpan);
    GLYPHLOOM_REGION(fontListDownSpan); GLYPHLOOM_REGION(fontURLSpan); GLYPHLOOM_REGION(fontBackSpan);
    GLYPHLOOM_REGION(fontDeleteYesSpan); GLYPHLOOM_REGION(fontDeleteNoSpan); GLYPHLOOM_REGION(fontOKSpan);
    GLYPHLOOM_REGION(fontCancelSpan); GLYPHLOOM_REGION(fontBrowserFrame);
#undef GLYPHLOOM_REGION
    if (l.previewFrame) c.out.push_back({"previewFrame", {l.previewFrame->first, l.previewFrame->second, l.previewFrame->second + 1}});
    return std::move(c.out);
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
