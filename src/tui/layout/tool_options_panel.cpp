// The option rows under the tool strip: the current tool's choice chips (brush sizes, line and
// box styles, widths, fill modes, text direction and scale, selection actions), the Text
// tool's face list, its on/off toggles and the character button. Each chip records its
// payload; the dispatcher stores it.
#include <algorithm>

#include "tui/layout/panel_items.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/state/text_fonts.hpp"

namespace glyphloom::chrome {
namespace {

// The sidebar shows this many faces at most; the font browser has the whole list.
constexpr int faceListMaxRows = 8;

constexpr BrushSize brushChoices[] = {BrushSize::cells(1), BrushSize::cells(2), BrushSize::cells(3),
                                      BrushSize::cells(4), BrushSize::cells(5), BrushSize::quarter(),
                                      BrushSize::half()};

std::string brushLabel(const BrushSize& size) {
    switch (size.kind) {
        case BrushSize::Kind::quarter: return "¼";
        case BrushSize::Kind::half: return "½";
        case BrushSize::Kind::cells: break;
    }
    return std::to_string(size.n);
}

std::string_view lineStyleLabel(LineStyle style) {
    switch (style) {
        case LineStyle::none: return "·";
        case LineStyle::single: return "─";
        case LineStyle::rounded: return "╭";
        case LineStyle::double_: return "═";
    }
    return "─";
}

std::string_view stitchLabel(LineStitchMode mode) {
    switch (mode) {
        case LineStitchMode::off: return "off";
        case LineStitchMode::stitch: return "st";
        case LineStitchMode::track: return "tr";
        case LineStitchMode::slash: return "sl";
    }
    return "off";
}

std::string_view boxStyleLabel(BoxStyle style) {
    switch (style) {
        case BoxStyle::single: return "┌";
        case BoxStyle::double_: return "╔";
        case BoxStyle::mixedH: return "╒";
        case BoxStyle::mixedV: return "╓";
    }
    return "┌";
}

std::string_view textDirectionLabel(TextDirection direction) {
    switch (direction) {
        case TextDirection::right: return "→";
        case TextDirection::left: return "←";
        case TextDirection::down: return "↓";
        case TextDirection::up: return "↑";
    }
    return "→";
}

// What the character button shows: the pen character, or the mode that replaces it.
std::string penCharText(const AppState& state) {
    if (state.tools.charCycle) return "⟳";
    if (state.tools.charRandom) return "⤨";
    if (state.tools.charNull) return "ø";
    return state.tools.penChar;
}

bool usesPenCharacter(Tool tool) {
    switch (tool) {
        case Tool::paint:
        case Tool::draw:
        case Tool::pen:
        case Tool::fill:
        case Tool::spray:
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select: return true;
        default: return false;
    }
}

bool usesBrush(Tool tool) {
    switch (tool) {
        case Tool::paint:
        case Tool::draw:
        case Tool::eraser:
        case Tool::smudge:
        case Tool::dodge:
        case Tool::burn:
        case Tool::prism:
        case Tool::scatter: return true;
        default: return false;
    }
}

// Lays the rows out top to bottom, dropping whatever does not fit above `bottom`.
class OptionRows {
public:
    OptionRows(Screen& screen, Layout& layout, int row, int bottom)
        : screen_(screen), layout_(layout), row_(row), bottom_(bottom), width_(layout.sidebarWidth) {}

    int row() const { return row_; }

    void header(std::string_view text) {
        if (row_ >= bottom_) return;
        screen_.putText(fitText(text, width_ - 1), row_++, 1, disabled, sidebarBg);
    }
    void chips(std::string_view title, const std::vector<Chip>& chips) {
        // A title alone at the foot would be useless.
        if (row_ + 1 >= bottom_) {
            row_ = std::max(row_, bottom_);
            return;
        }
        header(title);
        row_ = flowChips(screen_, chips, row_, width_, bottom_, sidebarBg);
    }
    void toggle(std::string_view label, ToggleSetting setting, const AppState& state) {
        if (row_ >= bottom_) return;
        const ToggleId id = ToggleId::of(setting);
        const Span span = drawToggleRow(screen_, label, toggleValue(id, state), row_++, 1, width_ - 1, sidebarBg);
        layout_.toggleSpans.push_back({span, id});
        if (textWidth(label) > span.width() - 2) layout_.hoverLabels.push_back({span, std::string(label)});
    }
    void button(std::string_view text, std::optional<Span>& target) {
        if (row_ >= bottom_) return;
        target = putSpan(screen_, fitText(text, width_ - 1, true), row_++, 1, white, sidebarBg);
    }
    // "Plain" and the faces, one per row, as many as fit above the rows still to come
    // (`keep`); when not all fit, the window holds the current face.
    void faces(const AppState& state, int keep) {
        const int total = availableFontCount(state) + 1;
        const int shown = std::min({total, faceListMaxRows, bottom_ - keep - row_ - 1});
        if (shown < 1) return;
        header("Face");
        const BlockFont* current = currentTextFont(state);
        const int currentRow = current ? *state.textFontIndex + 1 : 0;
        const int first = std::clamp(currentRow - shown / 2, 0, total - shown);
        for (int i = first; i < first + shown; ++i) {
            const std::optional<int> index = i == 0 ? std::nullopt : std::optional(i - 1);
            const std::string name = index ? availableFont(state, *index)->name : std::string("Plain");
            const bool lit = i == currentRow;
            std::string text = " " + fitWords(name, width_ - 1);
            for (int w = textWidth(text); w < width_; ++w) text += ' ';
            const Span span = putSpan(screen_, text, row_++, 0, lit ? accent : toolName, lit ? currentToolBg : sidebarBg);
            layout_.faceSpans.push_back({span, index});
            if (textWidth(name) > width_ - 1) layout_.hoverLabels.push_back({span, name});
        }
    }
    void gap() {
        if (row_ < bottom_) ++row_;
    }

private:
    Screen& screen_;
    Layout& layout_;
    int row_;
    int bottom_;
    int width_;
};

template <class T, class Label>
std::vector<Chip> choiceChips(const std::vector<T>& values, const T& current, Label label, Regions<T>& target) {
    std::vector<Chip> chips;
    for (const T& value : values)
        chips.push_back({std::string(label(value)), value == current,
                         [&target, value](const Span& span) { target.push_back({span, value}); }});
    return chips;
}

std::vector<Chip> numberChips(const std::vector<int>& values, int current, Regions<int>& target,
                              std::string_view suffix = "") {
    return choiceChips(values, current, [&](int n) { return std::to_string(n) + std::string(suffix); }, target);
}

void drawStyleRows(OptionRows& rows, LineStyle current, Layout& layout) {
    rows.chips("Style", choiceChips<LineStyle>({LineStyle::none, LineStyle::single, LineStyle::rounded,
                                                LineStyle::double_},
                                               current, lineStyleLabel, layout.styleSpans));
}

}  // namespace

int drawToolOptions(const AppState& state, Screen& screen, Layout& layout, int row, int bottom) {
    OptionRows rows(screen, layout, row, bottom);
    rows.gap();
    const Tool tool = state.tools.tool;
    if (usesBrush(tool)) {
        rows.chips("Size", choiceChips(std::vector<BrushSize>(std::begin(brushChoices), std::end(brushChoices)),
                                       state.tools.brush, brushLabel, layout.brushSpans));
    }
    switch (tool) {
        case Tool::pen: drawStyleRows(rows, state.tools.penLineStyle, layout); break;
        case Tool::line:
            drawStyleRows(rows, state.tools.lineStyle, layout);
            rows.chips("Stitch",
                       choiceChips<LineStitchMode>(
                           {LineStitchMode::off, LineStitchMode::stitch, LineStitchMode::track, LineStitchMode::slash},
                           state.tools.lineStitchMode, stitchLabel, layout.stitchSpans));
            rows.chips("Width", numberChips({1, 2, 3, 4}, state.tools.lineThickness, layout.lineWidthSpans));
            break;
        case Tool::fill:
            rows.chips("Fill",
                       choiceChips<FillMode>({FillMode::solid(), FillMode::gradient(GradientDirection::horizontal),
                                              FillMode::gradient(GradientDirection::vertical),
                                              FillMode::gradient(GradientDirection::radial)},
                                             state.tools.fillMode,
                                             [](const FillMode& mode) -> std::string_view {
                                                 if (mode.kind == FillMode::Kind::solid) return "■";
                                                 switch (mode.direction) {
                                                     case GradientDirection::horizontal: return "↔";
                                                     case GradientDirection::vertical: return "↕";
                                                     case GradientDirection::radial: return "◎";
                                                 }
                                                 return "■";
                                             },
                                             layout.fillModeSpans));
            break;
        case Tool::spray:
            rows.chips("Radius", numberChips({1, 2, 4, 6, 8}, state.tools.sprayRadius, layout.sprayRadiusSpans));
            rows.chips("Density", numberChips({2, 5, 8, 12, 20}, state.tools.sprayDensity, layout.sprayDensitySpans));
            break;
        case Tool::box:
            rows.chips("Style",
                       choiceChips<BoxStyle>({BoxStyle::single, BoxStyle::double_, BoxStyle::mixedH, BoxStyle::mixedV},
                                             state.tools.boxOptions.style, boxStyleLabel, layout.boxStyleSpans));
            rows.chips("Width", numberChips({1, 2, 3, 4}, state.tools.boxOptions.thickness, layout.boxWidthSpans));
            rows.toggle("Filled", ToggleSetting::boxFilled, state);
            rows.toggle("Outline", ToggleSetting::boxOutline, state);
            rows.toggle("Lines", ToggleSetting::boxPenLine, state);
            break;
        case Tool::oval:
            rows.chips("Mode", ovalModeChips(state, layout));
            rows.chips("Width", numberChips({1, 2, 3, 4}, state.tools.ovalOptions.thickness, layout.ovalWidthSpans));
            rows.toggle("Filled", ToggleSetting::ovalFilled, state);
            rows.toggle("Outline", ToggleSetting::ovalOutline, state);
            break;
        case Tool::dodge:
        case Tool::burn:
            rows.toggle("FG", ToggleSetting::dbFG, state);
            rows.toggle("BG", ToggleSetting::dbBG, state);
            break;
        case Tool::prism:
            rows.chips("Steps", numberChips({1, 2, 3}, state.tools.prismSteps, layout.prismStepSpans));
            rows.toggle("FG", ToggleSetting::prFG, state);
            rows.toggle("BG", ToggleSetting::prBG, state);
            break;
        case Tool::scatter:
            rows.toggle("FG", ToggleSetting::scFG, state);
            rows.toggle("BG", ToggleSetting::scBG, state);
            break;
        case Tool::text:
            rows.chips("Dir", choiceChips<TextDirection>(
                                  {TextDirection::right, TextDirection::left, TextDirection::down, TextDirection::up},
                                  state.tools.textDirection, textDirectionLabel, layout.textDirSpans));
            rows.chips("Scale", numberChips({1, 2, 3}, state.tools.textScale, layout.textScaleSpans, "×"));
            rows.faces(state, 1);
            rows.button("Fonts…", layout.fontBrowseSpan);
            break;
        case Tool::select: {
            std::vector<Chip> actions;
            for (SelectAction action : {SelectAction::copy, SelectAction::cut, SelectAction::fill, SelectAction::paste,
                                        SelectAction::text})
                actions.push_back({std::string(selectActionLabel(action)), false, [&layout, action](const Span& span) {
                                       layout.selectActionSpans.push_back({span, action});
                                   }});
            actions.push_back({"Blink", false, [&layout](const Span& span) { layout.blinkSelectionSpan = span; }});
            rows.chips("Select", actions);
            break;
        }
        case Tool::pans: rows.toggle("Auto pan", ToggleSetting::autoPan, state); break;
        default: break;
    }
    if (usesBrush(tool) && tool != Tool::scatter) {
        rows.toggle("Round", ToggleSetting::round, state);
        rows.toggle("Vel size", ToggleSetting::velSize, state);
    }
    if (usesPenCharacter(tool)) rows.button("Char " + penCharText(state), layout.charButtonSpan);
    return rows.row();
}

}  // namespace glyphloom::chrome
