// The palette picker: the 256-colour grid (classic 16, the colour cube in six slices, the grey
// ramp) with a dot per group, and the R, G, B and brightness sliders that mix a 24-bit colour.
#include <algorithm>
#include <utility>

#include "tui/layout/panel_items.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/state/palette_mix.hpp"

namespace glyphloom::chrome {
namespace {

constexpr int innerWidth = 40;
constexpr int boxWidth = innerWidth + 2;
// Inner rows: the classic 16 and the cube, the grey ramp, the sliders, the hint.
constexpr int gridRows = 15;
constexpr int greyRows = 2;
constexpr int sliderRowCount = 4;
constexpr int hintRows = 1;
constexpr int sliderWidth = 28;

struct SliderRow {
    const char* label;
    PaletteChannel channel;
    ANSIColorValue ink;
};
constexpr SliderRow sliderRows[] = {
    {"R", PaletteChannel::tcR, ANSIColorValue::ansi16(9)},
    {"G", PaletteChannel::tcG, ANSIColorValue::ansi16(10)},
    {"B", PaletteChannel::tcB, ANSIColorValue::ansi16(12)},
    {" L", PaletteChannel::tcL, ANSIColorValue::ansi16(15)},
};

class PaletteDrawer {
public:
    PaletteDrawer(const AppState& state, Screen& screen, Layout& layout, int top, int left)
        : state_(state), screen_(screen), layout_(layout), top_(top), left_(left + 1) {
        const bool fg = state.paletteTargetFg;
        current_ = fg ? state.tools.fg : state.tools.penBg;
        if (fg ? state.tools.fgCycle : state.tools.bgCycle)
            pool_ = fg ? &state.tools.fgCyclePool : &state.tools.bgCyclePool;
        else if (fg ? state.tools.fgRandom : state.tools.bgRandom)
            pool_ = fg ? &state.tools.fgRandomPool : &state.tools.bgRandomPool;
    }

    void groupDot(int group, int row, int col) {
        const auto colors = paletteBulkColors(group);
        const bool all = pool_ && std::all_of(colors.begin(), colors.end(), [&](const ANSIColorValue& c) {
                             return std::find(pool_->begin(), pool_->end(), c) != pool_->end();
                         });
        const Span span = putSpan(screen_, "•", top_ + row, left_ + col, all ? white : accent, panelBg);
        layout_.paletteCubeGroupSpans.push_back({span, group});
    }

    void swatch(int index, int row, int col) {
        const ANSIColorValue color = ANSIColorValue::ansi256(index);
        std::string mark;
        if (color == current_) mark = "[]";
        else if (pool_ && std::find(pool_->begin(), pool_->end(), color) != pool_->end()) mark = "•";
        const Span span = drawSwatch(screen_, color, mark, top_ + row, left_ + col, swatchWidth);
        layout_.paletteSwatchSpans.push_back({span, index});
    }

    void label(std::string_view text, int row, int col, const ANSIColorValue& ink = disabled) {
        screen_.putText(text, top_ + row, left_ + col, ink, panelBg);
    }

    void grid() {
        // Classic 16.
        groupDot(paletteGroupBase16, 0, 0);
        for (int i = 0; i < 16; ++i) swatch(i, 0, 2 + i * swatchWidth);
        // The cube: a slice per red level, green down and blue across, three slices a row.
        for (int half = 0; half < 2; ++half) {
            const int dotRow = 1 + half * 7;
            if (half == 0) groupDot(paletteGroupCube, dotRow, 0);
            for (int s = 0; s < 3; ++s) {
                const int group = half * 3 + s;
                const int col = 2 + s * (6 * swatchWidth + 1);
                groupDot(group, dotRow, col);
                label(std::to_string(group + 1), dotRow, col + 1);
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b) swatch(16 + 36 * group + 6 * g + b, dotRow + 1 + g, col + b * swatchWidth);
            }
        }
    }

    // The grey ramp in two rows of twelve.
    void greys(int firstRow) {
        groupDot(paletteGroupGrays, firstRow, 0);
        for (int i = 0; i < 24; ++i) swatch(232 + i, firstRow + i / 12, 2 + (i % 12) * swatchWidth);
    }

    void sliders(int firstRow) {
        const ANSIColorValue mixed = tcDraftColor(state_.tcDraft);
        for (std::size_t i = 0; i < std::size(sliderRows); ++i) {
            const SliderRow& slider = sliderRows[i];
            const int row = firstRow + static_cast<int>(i);
            label(slider.label, row, 0, toolName);
            const int col0 = left_ + 2;
            const int value = paletteSliderCurrent(slider.channel, state_.tcDraft);
            const int low = slider.channel == PaletteChannel::tcL ? -128 : 0;
            const int high = slider.channel == PaletteChannel::tcL ? 128 : 255;
            const int filled = (value - low) * (sliderWidth - 1) / (high - low);
            for (int c = 0; c < sliderWidth; ++c)
                screen_.put({CellChar(c == filled ? "█" : (c < filled ? "▓" : "░")), slider.ink, panelBg, false},
                            top_ + row, col0 + c);
            layout_.paletteSliderSpans.push_back(
                {{top_ + row, col0, col0 + sliderWidth}, {slider.channel, col0, sliderWidth}});

            // The number, or the digits being typed for it.
            const bool typing = state_.prompt && state_.prompt->stepChannel() == slider.channel;
            std::string text = typing ? state_.prompt->text() + "▌" : std::to_string(value);
            text = std::string(static_cast<std::size_t>(std::max(0, 4 - textWidth(text))), ' ') + text;
            const Span span = putSpan(screen_, text, top_ + row, col0 + sliderWidth + 1, typing ? entryFg : white,
                                      typing ? entryBg : panelBg);
            layout_.paletteValueSpans.push_back({span, slider.channel});
            drawSwatch(screen_, mixed, "", top_ + row, span.colEnd + 1, innerWidth - (span.colEnd + 1 - left_));
        }
    }

    void hint(int row) { label(" click a bar to set · grid loads", row, 0); }

private:
    const AppState& state_;
    Screen& screen_;
    Layout& layout_;
    int top_;   // the frame's top row; grid rows count from the row under it
    int left_;  // first column inside the frame
    ANSIColorValue current_;
    const std::vector<ANSIColorValue>* pool_ = nullptr;
};

}  // namespace

void drawPalettePicker(const AppState& state, Screen& screen, Layout& layout) {
    // Centred over the canvas, resting on the bottom rows when the screen is short. A short
    // screen may also cover the status and preset rows, never the colour row; shorter still,
    // the box drops the hint, then the sliders, then the grey ramp, so that it always shows
    // a whole frame.
    const int floor = layout.statusVisible ? layout.statusRow() : layout.colorRow();
    const bool withGreys = layout.colorRow() - 1 >= gridRows + greyRows + 2;
    const int full = gridRows + greyRows + sliderRowCount + hintRows + 2;
    const int room = full <= floor - 1 ? floor - 1 : layout.colorRow() - 1;
    int boxHeight = gridRows + 2;
    if (withGreys) boxHeight += greyRows;
    const bool withSliders = boxHeight + sliderRowCount <= room;
    if (withSliders) boxHeight += sliderRowCount;
    const bool withHint = withSliders && boxHeight + hintRows <= room;
    if (withHint) boxHeight += hintRows;
    const int bottomLimit = full <= floor - 1 ? floor : layout.colorRow();
    const int top = std::max(1, std::min(layout.canvasTop(), bottomLimit - boxHeight));
    const int spare = std::max(layout.termCols - layout.sidebarWidth - boxWidth, 0);
    const int left = layout.sidebarWidth + spare / 2;
    const Frame frame{top, left, boxWidth, boxHeight};
    drawBox(screen, frame, state.paletteTargetFg ? " FG palette " : " BG palette ", separator, panelBg);
    layout.paletteFrame = frame;
    PaletteDrawer drawer(state, screen, layout, top + 1, left);
    drawer.grid();
    int row = gridRows;
    if (withGreys) drawer.greys(std::exchange(row, row + greyRows));
    if (withSliders) drawer.sliders(std::exchange(row, row + sliderRowCount));
    if (withHint) drawer.hint(row);
}

}  // namespace glyphloom::chrome
