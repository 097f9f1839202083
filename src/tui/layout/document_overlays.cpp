// The overlays that act on the document as a whole: the canvas-size and colour-depth pickers
// hung under their bar buttons, the layers panel and the image-import box. They only draw and
// record their controls; what a click on them does belongs to the toolbar actions.
#include <algorithm>
#include <string>
#include <vector>

#include "core/color/color_depth.hpp"
#include "core/render/image_import_mode.hpp"
#include "tui/layout/overlay_box.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {


// " ✓" before the current choice of a list, two blanks before the others.
std::string marked(bool current, std::string_view label) { return (current ? " ✓" : "  ") + std::string(label); }

int widest(const std::vector<std::string>& texts) {
    int width = 0;
    for (const std::string& text : texts) width = std::max(width, textWidth(text));
    return width;
}

const ANSIColorValue& rowFg(bool current) { return current ? accent : toolName; }
const ANSIColorValue& rowBg(bool current) { return current ? currentToolBg : boxBg; }

std::string blinkHoverText(bool blinkingText) {
    return blinkingText ? "blinking text ON — foreground can flash, backgrounds limited to 8"
                        : "blinking text — lets the foreground flash, costs the bright backgrounds";
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void drawCanvasSizePicker(const AppState& state, Screen& screen, Layout& layout) {
    std::vector<std::string> rows;
    for (const auto& [cols, rowCount] : canvasSizePresets) {
        const bool current = cols == state.doc.cols && rowCount == state.doc.rows;
        rows.push_back(marked(current, std::to_string(cols) + "×" + std::to_string(rowCount)));
    }
    rows.emplace_back("  Custom…");
    const Frame frame = dropBelowButton(layout, BarAction::canvasSize, widest(rows) + 3,
                                        static_cast<int>(rows.size()) + 2);
    drawBox(screen, frame, "", boxBorder, boxBg);
    BoxRows box(screen, frame);
    for (std::size_t i = 0; i < canvasSizePresets.size(); ++i) {
        const auto [cols, rowCount] = canvasSizePresets[i];
        const bool current = cols == state.doc.cols && rowCount == state.doc.rows;
        if (auto span = box.fill(static_cast<int>(i), rows[i], rowFg(current), rowBg(current)))
            layout.sizeOptionSpans.push_back({*span, canvasSizePresets[i]});
    }
    layout.sizeCustomSpan = box.fill(static_cast<int>(canvasSizePresets.size()), rows.back(), toolName, boxBg);
}

void drawColorDepthPicker(const AppState& state, Screen& screen, Layout& layout) {
    const bool mono = state.doc.colorDepth == ColorDepth::mono;
    const int outOfSpec = outOfSpecCount(state.doc.layers, state.doc.colorDepth, state.doc.blinkingText);

    // The texts first, so the box can be as wide as its longest row.
    std::vector<std::string> depthRows, tintRows;
    for (ColorDepth depth : allColorDepths) depthRows.push_back(marked(depth == state.doc.colorDepth, label(depth)));
    if (mono)
        for (MonoTint tint : allMonoTints) tintRows.push_back(marked(tint == state.doc.monoTint, label(tint)));
    const std::string blinkRow = state.doc.blinkingText ? " ✓blink" : "  blink";
    const std::string conformRow =
        "  fix " + std::to_string(outOfSpec) + (outOfSpec == 1 ? " cell" : " cells");

    std::vector<std::string> all = depthRows;
    all.insert(all.end(), tintRows.begin(), tintRows.end());
    all.push_back(blinkRow);
    if (outOfSpec > 0) all.push_back(conformRow);
    const Frame frame = dropBelowButton(layout, BarAction::colorDepth, widest(all) + 3, static_cast<int>(all.size()) + 2);
    drawBox(screen, frame, "", boxBorder, boxBg);
    BoxRows box(screen, frame);

    int row = 0;
    for (std::size_t i = 0; i < allColorDepths.size(); ++i, ++row) {
        const bool current = allColorDepths[i] == state.doc.colorDepth;
        if (auto span = box.fill(row, depthRows[i], rowFg(current), rowBg(current)))
            layout.depthOptionSpans.push_back({*span, allColorDepths[i]});
    }
    // Each tint is shown the way it would show the art: its bright tone on its dark one.
    for (std::size_t i = 0; i < tintRows.size(); ++i, ++row) {
        const MonoTint tint = allMonoTints[i];
        const ANSIColorValue fg = displayColor(tint, ANSIColorValue::ansi16(15));
        const ANSIColorValue bg = displayColor(tint, ANSIColorValue::ansi16(0));
        if (auto span = box.fill(row, tintRows[i], fg, bg)) layout.monoTintSpans.push_back({*span, tint});
    }
    layout.blinkModeSpan = box.fill(row++, blinkRow, rowFg(state.doc.blinkingText), boxBg);
    if (outOfSpec > 0) layout.conformSpan = box.fill(row, conformRow, ANSIColorValue::ansi16(11), boxBg);

    if (hit(layout.blinkModeSpan, state.mouse.x, state.mouse.y))
        showStatusHover(screen, layout, blinkHoverText(state.doc.blinkingText), accent);
}

void drawLayersPanel(const AppState& state, Screen& screen, Layout& layout) {
    constexpr int nameWidth = 12;
    // Columns inside the border: visibility mark, name, then ↑ ↓ ×.
    constexpr int eyeCol = 0;
    constexpr int nameCol = 3;
    constexpr int upCol = nameCol + nameWidth + 1;
    constexpr int downCol = upCol + 2;
    constexpr int delCol = downCol + 2;
    constexpr int innerWidth = delCol + 2;

    const int count = static_cast<int>(state.doc.layers.size());
    const Frame frame = dropBelowButton(layout, BarAction::layers, innerWidth + 2, count + 4);
    layout.layersPanelFrame = recordedFrame(frame);
    drawBox(screen, frame, " Layers ", boxBorder, boxBg);
    BoxRows box(screen, frame);

    // Header: add (greyed at the layer limit, where it only explains the limit) and shift mode.
    layout.layerAddSpan = box.put(0, 0, " +", count < 7 ? accent : disabled, boxBg);
    const ANSIColorValue shiftFg = state.shiftingLayer ? white : accent;
    const ANSIColorValue shiftBg = state.shiftingLayer ? currentToolBg : boxBg;
    layout.layerShiftSpan = box.put(0, box.innerWidth() - 4, "<->", shiftFg, shiftBg);

    // Index 0 is the top of the stack, so the list reads top layer first.
    for (int i = 0; i < count; ++i) {
        const int row = 1 + i;
        if (!box.has(row)) break;
        const Layer& layer = state.doc.layers[static_cast<std::size_t>(i)];
        const bool active = i == state.activeLayerIndex;
        const ANSIColorValue bg = active ? currentToolBg : boxBg;
        box.fill(row, "", toolName, bg);
        if (auto eye = box.put(row, eyeCol, layer.visible ? " ● " : " ○ ", layer.visible ? accent : disabled, bg))
            layout.layerEyeSpans.push_back({*eye, i});
        std::string name = fitText(layer.name, nameWidth, true);
        for (int w = textWidth(name); w < nameWidth; ++w) name += ' ';
        if (auto span = box.put(row, nameCol, name, active ? accent : toolName, bg))
            layout.layerRowSpans.push_back({*span, i});
        if (auto up = box.put(row, upCol, "↑", i > 0 ? accent : disabled, bg)) layout.layerUpSpans.push_back({*up, i});
        if (auto down = box.put(row, downCol, "↓", i + 1 < count ? accent : disabled, bg))
            layout.layerDownSpans.push_back({*down, i});
        if (auto del = box.put(row, delCol, "×", count > 1 ? ANSIColorValue::ansi16(9) : disabled, bg))
            layout.layerDelSpans.push_back({*del, i});
    }
    layout.layerFlattenSpan = box.put(1 + count, 1, "Flatten", count > 1 ? accent : disabled, boxBg);
}

void drawImageImportBox(const AppState& state, Screen& screen, Layout& layout) {
    const std::string title = " Import reference image ";
    std::vector<std::string> modeRows, depthRows;
    for (ImageImportMode mode : allImageImportModes) modeRows.push_back(" " + std::string(imageImportDescription(mode)));
    for (ColorDepth depth : allColorDepths)
        depthRows.push_back(marked(depth == state.doc.colorDepth, "depth " + std::string(label(depth))));
    std::vector<std::string> all = modeRows;
    all.insert(all.end(), depthRows.begin(), depthRows.end());
    const int width = std::max(textWidth(title), widest(all) + 1) + 2;
    // File name, blank, the modes, blank, the depths.
    const int height = 2 + 1 + 1 + static_cast<int>(modeRows.size()) + 1 + static_cast<int>(depthRows.size());
    const Frame frame = centredOverCanvas(layout, width, height);
    layout.imageImportFrame = recordedFrame(frame);
    drawBox(screen, frame, title, boxBorder, boxBg);
    BoxRows box(screen, frame);

    box.fill(0, " " + baseName(state.imageImportPath.value_or("")), disabled, boxBg);
    int row = 2;
    for (std::size_t i = 0; i < modeRows.size(); ++i, ++row)
        if (auto span = box.fill(row, modeRows[i], toolName, boxBg))
            layout.imageModeSpans.push_back({*span, allImageImportModes[i]});
    ++row;
    for (std::size_t i = 0; i < depthRows.size(); ++i, ++row) {
        const bool current = allColorDepths[i] == state.doc.colorDepth;
        if (auto span = box.fill(row, depthRows[i], rowFg(current), rowBg(current)))
            layout.imageDepthSpans.push_back({*span, allColorDepths[i]});
    }
}

}  // namespace glyphloom::chrome
