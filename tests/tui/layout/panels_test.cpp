// The tool panels, colour rows, palette, fades panel and character picker as composed into an
// in-memory screen: what each control shows and the region it records for the dispatcher.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/text/charsets.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/layout/style.hpp"
#include "tui/actions/palette.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace layout_panels_test {

struct Frame_ {
    Screen screen{[](std::string_view) {}, false};
    Layout layout;
};

// 60 × 180 is the large class with the status line; 24 × 80 is small and compact.
Frame_ compose(const AppState& state, int rows = 60, int cols = 180) {
    Frame_ f;
    f.screen.resize(rows, cols);
    f.layout = Chrome::compose(state, f.screen);
    return f;
}

std::string text(const Screen& screen, const Span& span) {
    std::string out;
    for (int c = span.colStart; c < span.colEnd; ++c) out += screen.at(span.row, c).character.str();
    return out;
}

std::string rowText(const Screen& screen, int row) { return text(screen, {row, 0, screen.cols()}); }

std::set<std::string> regionNames(const Layout& layout) {
    std::set<std::string> names;
    for (const NamedSpan& region : namedRegions(layout)) names.insert(region.name);
    return names;
}

template <class T>
std::vector<T> payloads(const Regions<T>& regions) {
    std::vector<T> out;
    for (const auto& region : regions) out.push_back(region.value);
    return out;
}

TEST(ChromePanels, ColourRowSwatchesMarksAndIndices) {
    AppState state;
    state.tools.fg = ANSIColorValue::ansi16(4);
    state.tools.penBg = ANSIColorValue::ansi16(9);
    state.tools.bgRandom = true;
    state.tools.bgRandomPool = {ANSIColorValue::ansi16(2), ANSIColorValue::ansi256(100)};
    for (const auto& [rows, cols, width] : {std::tuple{60, 180, 4}, std::tuple{24, 80, 2}}) {
        SCOPED_TRACE(rows);
        const Frame_ f = compose(state, rows, cols);
        ASSERT_EQ(f.layout.fgSwatchSpans.size(), 16u);
        ASSERT_EQ(f.layout.bgSwatchSpans.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            const Span& fg = f.layout.fgSwatchSpans[static_cast<std::size_t>(i)].span;
            const Span& bg = f.layout.bgSwatchSpans[static_cast<std::size_t>(i)].span;
            EXPECT_EQ(f.layout.fgSwatchSpans[static_cast<std::size_t>(i)].value, i);
            EXPECT_EQ(fg.row, f.layout.colorRow());
            EXPECT_EQ(bg.row, f.layout.padRow());
            EXPECT_EQ(fg.width(), width);
            EXPECT_EQ(f.screen.at(fg.row, fg.colStart).background, ANSIColorValue::ansi16(i));
            EXPECT_EQ(f.screen.at(bg.row, bg.colStart).background, ANSIColorValue::ansi16(i));
        }
        auto trimmed = [&](const Span& span) {
            std::string t = text(f.screen, span);
            t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
            return t;
        };
        EXPECT_EQ(trimmed(f.layout.fgSwatchSpans[4].span), "FG");
        EXPECT_EQ(trimmed(f.layout.bgSwatchSpans[9].span), "BG");
        EXPECT_EQ(trimmed(f.layout.bgSwatchSpans[2].span), "•");
        EXPECT_EQ(trimmed(f.layout.fgSwatchSpans[2].span), "") << "the foreground has no pool";
    }
}

TEST(ChromePanels, ModeButtonsLightTheChannelsMode) {
    AppState state;
    state.tools.fgCycle = true;
    state.tools.bgNull = true;
    const Frame_ f = compose(state);
    const std::vector<ColorMode> order{ColorMode::null, ColorMode::cycle, ColorMode::random};
    EXPECT_EQ(payloads(f.layout.fgModeSpans), order);
    EXPECT_EQ(payloads(f.layout.bgModeSpans), order);
    const char* glyphs[] = {"ø", "⟳", "⤨"};
    for (std::size_t i = 0; i < 3; ++i) {
        const Span& fg = f.layout.fgModeSpans[i].span;
        const Span& bg = f.layout.bgModeSpans[i].span;
        EXPECT_EQ(text(f.screen, fg), glyphs[i]);
        const bool fgLit = f.screen.at(fg.row, fg.colStart).background == ANSIColorValue::ansi16(7);
        const bool bgLit = f.screen.at(bg.row, bg.colStart).background == ANSIColorValue::ansi16(7);
        EXPECT_EQ(fgLit, i == 1) << glyphs[i];
        EXPECT_EQ(bgLit, i == 0) << glyphs[i];
    }
}

TEST(ChromePanels, ChipsShowTheActivePoolInOrder) {
    AppState state;
    const std::vector<ANSIColorValue> pool{ANSIColorValue::ansi16(3), ANSIColorValue::ansi256(77),
                                           ANSIColorValue::truecolor(1, 2, 3)};
    state.tools.fgCycle = true;
    state.tools.fgCyclePool = pool;
    state.tools.bgRandomPool = pool;  // not random: no chips
    const Frame_ f = compose(state);
    ASSERT_EQ(f.layout.fgChipSpans.size(), pool.size());
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const Span& chip = f.layout.fgChipSpans[i];
        EXPECT_EQ(chip.row, f.layout.colorRow());
        EXPECT_EQ(f.screen.at(chip.row, chip.colStart).background, pool[i]);
    }
    EXPECT_TRUE(f.layout.bgChipSpans.empty());
}

TEST(ChromePanels, LongPoolIsCutAtTheEdge) {
    AppState state;
    state.tools.bgCycle = true;
    state.tools.bgCyclePool = paletteBulkColors(paletteGroupCube);
    const Frame_ f = compose(state, 24, 80);
    ASSERT_FALSE(f.layout.bgChipSpans.empty());
    EXPECT_LT(f.layout.bgChipSpans.size(), state.tools.bgCyclePool.size());
    EXPECT_LT(f.layout.bgChipSpans.back().colEnd, 80);
    for (std::size_t i = 0; i < f.layout.bgChipSpans.size(); ++i) {
        const Span& chip = f.layout.bgChipSpans[i];
        EXPECT_EQ(f.screen.at(chip.row, chip.colStart).background, state.tools.bgCyclePool[i]);
    }
}

TEST(ChromePanels, StepPaletteSwapAndFadesControls) {
    AppState state;
    state.tools.fgCycleStep = 3;
    state.prompt = Prompt::forStepValue(PaletteChannel::bg);
    state.prompt->type("12");
    const Frame_ f = compose(state);
    ASSERT_TRUE(f.layout.fgStepSpan && f.layout.bgStepSpan);
    EXPECT_EQ(text(f.screen, *f.layout.fgStepSpan), "≈3");
    EXPECT_EQ(text(f.screen, *f.layout.bgStepSpan), "≈12▌");
    EXPECT_EQ(f.screen.at(f.layout.bgStepSpan->row, f.layout.bgStepSpan->colStart).background, chrome::entryBg);
    ASSERT_EQ(f.layout.paletteButtonSpans.size(), 2u);
    EXPECT_TRUE(f.layout.paletteButtonSpans[0].value);
    EXPECT_EQ(f.layout.paletteButtonSpans[0].span.row, f.layout.colorRow());
    EXPECT_FALSE(f.layout.paletteButtonSpans[1].value);
    EXPECT_EQ(f.layout.paletteButtonSpans[1].span.row, f.layout.padRow());
    EXPECT_EQ(text(f.screen, f.layout.paletteButtonSpans[1].span), "▦");
    ASSERT_TRUE(f.layout.fgbgReverseSpan && f.layout.fadesButtonSpan);
    EXPECT_EQ(text(f.screen, *f.layout.fgbgReverseSpan), "⇄");
    EXPECT_EQ(text(f.screen, *f.layout.fadesButtonSpan), "≋");
}

TEST(ChromePanels, SidebarOptionRegionsByTool) {
    const std::pair<Tool, std::vector<const char*>> cases[] = {
        {Tool::paint, {"brushSpans", "toggleSpans", "charButtonSpan"}},
        {Tool::pen, {"styleSpans", "charButtonSpan"}},
        {Tool::line, {"styleSpans", "stitchSpans", "lineWidthSpans", "charButtonSpan"}},
        {Tool::fill, {"fillModeSpans", "charButtonSpan"}},
        {Tool::spray, {"sprayRadiusSpans", "sprayDensitySpans", "charButtonSpan"}},
        {Tool::box, {"boxStyleSpans", "boxWidthSpans", "toggleSpans", "charButtonSpan"}},
        {Tool::oval, {"ovalModeSpans", "ovalWidthSpans", "toggleSpans", "charButtonSpan"}},
        {Tool::prism, {"brushSpans", "prismStepSpans", "toggleSpans"}},
        {Tool::text, {"textDirSpans", "textScaleSpans", "fontBrowseSpan"}},
        {Tool::select, {"selectActionSpans", "blinkSelectionSpan", "charButtonSpan"}},
        {Tool::pans, {"toggleSpans"}},
    };
    for (const auto& [tool, expected] : cases) {
        AppState state;
        state.tools.tool = tool;
        const Frame_ f = compose(state);
        const auto names = regionNames(f.layout);
        for (const char* name : expected) EXPECT_TRUE(names.contains(name)) << rawValue(tool) << " " << name;
        // Option rows stay inside the sidebar.
        for (const NamedSpan& region : namedRegions(f.layout)) {
            if (region.name == "charButtonSpan" || region.name == "brushSpans" || region.name == "styleSpans" ||
                region.name == "selectActionSpans" || region.name == "blinkSelectionSpan") {
                EXPECT_LE(region.span.colEnd, f.layout.sidebarWidth) << region.name;
            }
        }
    }
}

TEST(ChromePanels, ChipsRecordTheirPayloadAndMarkTheCurrentOne) {
    AppState state;
    state.tools.tool = Tool::text;
    state.tools.textDirection = TextDirection::down;
    state.tools.textScale = 2;
    const Frame_ f = compose(state);
    EXPECT_EQ(payloads(f.layout.textDirSpans), (std::vector<TextDirection>{TextDirection::right, TextDirection::left,
                                                                           TextDirection::down, TextDirection::up}));
    std::string labels;
    for (const auto& region : f.layout.textDirSpans) labels += text(f.screen, region.span);
    EXPECT_EQ(labels, "→←↓↑");
    ASSERT_EQ(f.layout.textScaleSpans.size(), 3u);
    EXPECT_EQ(text(f.screen, f.layout.textScaleSpans[1].span), "2×");
    for (const auto& region : f.layout.textScaleSpans) {
        const bool lit = f.screen.at(region.span.row, region.span.colStart).background == chrome::accent;
        EXPECT_EQ(lit, region.value == 2);
    }

    state.tools.tool = Tool::select;
    const Frame_ s = compose(state);
    EXPECT_EQ(payloads(s.layout.selectActionSpans), (std::vector<SelectAction>{SelectAction::copy, SelectAction::cut,
                                                                                SelectAction::fill, SelectAction::paste,
                                                                                SelectAction::text}));
    std::string selectLabels;
    for (const auto& region : s.layout.selectActionSpans) selectLabels += text(s.screen, region.span) + " ";
    ASSERT_TRUE(s.layout.blinkSelectionSpan);
    selectLabels += text(s.screen, *s.layout.blinkSelectionSpan);
    EXPECT_EQ(selectLabels, "Copy Cut Fill Paste Text Blink");
}

// Faces shown in the sidebar: their names and the index each row chooses, the current one lit.
struct FaceRows {
    std::vector<std::optional<int>> indices;
    std::vector<std::string> names;
    std::vector<bool> lit;
};

FaceRows faceRows(const Frame_& f) {
    FaceRows out;
    for (const auto& region : f.layout.faceSpans) {
        std::string name = text(f.screen, region.span);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        out.indices.push_back(region.value);
        out.names.push_back(name);
        out.lit.push_back(f.screen.at(region.span.row, region.span.colStart).background == chrome::currentToolBg);
    }
    return out;
}

TEST(ChromePanels, TextToolListsPlainAndEveryFaceWithTheCurrentOneLit) {
    AppState state;
    state.tools.tool = Tool::text;
    state.textFontIndex = 2;
    const Frame_ f = compose(state);
    const FaceRows rows = faceRows(f);
    EXPECT_EQ(rows.indices, (std::vector<std::optional<int>>{std::nullopt, 0, 1, 2, 3, 4}));
    EXPECT_EQ(rows.names, (std::vector<std::string>{"Plain", "Block", "Slim", "Mini", "Classic", "Lower"}));
    EXPECT_EQ(rows.lit, (std::vector<bool>{false, false, false, true, false, false}));
    for (std::size_t i = 0; i < f.layout.faceSpans.size(); ++i) {
        const Span& span = f.layout.faceSpans[i].span;
        EXPECT_EQ(span.colStart, 0);
        EXPECT_EQ(span.colEnd, f.layout.sidebarWidth);
        if (i > 0) {
            EXPECT_EQ(span.row, f.layout.faceSpans[i - 1].span.row + 1);
        }
    }
    ASSERT_TRUE(f.layout.fontBrowseSpan);
    EXPECT_GT(f.layout.fontBrowseSpan->row, f.layout.faceSpans.back().span.row);

    state.textFontIndex.reset();
    EXPECT_EQ(faceRows(compose(state)).lit, (std::vector<bool>{true, false, false, false, false, false}));
    state.tools.tool = Tool::paint;
    EXPECT_TRUE(compose(state).layout.faceSpans.empty());
}

TEST(ChromePanels, ALongFaceListShowsAWindowHoldingTheCurrentFace) {
    AppState state;
    state.tools.tool = Tool::text;
    for (int i = 0; i < 30; ++i) {
        BlockFont font;
        font.id = "imported_" + std::to_string(i);
        font.name = "Imported font number " + std::to_string(i);
        state.importedFonts.push_back(font);
    }
    const int builtIn = static_cast<int>(BlockFont::builtIn().size());
    for (const int current : {0, builtIn + 17, builtIn + 29}) {
        SCOPED_TRACE(current);
        state.textFontIndex = current;
        const Frame_ f = compose(state);
        const FaceRows rows = faceRows(f);
        ASSERT_GE(rows.indices.size(), 3u);
        EXPECT_LT(rows.indices.size(), 36u);
        ASSERT_EQ(std::count(rows.lit.begin(), rows.lit.end(), true), 1);
        const auto litAt = std::find(rows.lit.begin(), rows.lit.end(), true) - rows.lit.begin();
        EXPECT_EQ(rows.indices[static_cast<std::size_t>(litAt)], std::optional<int>(current));
        // Consecutive faces, and long names cut to the sidebar with "…".
        for (std::size_t i = 1; i < rows.indices.size(); ++i)
            EXPECT_EQ(rows.indices[i].value_or(-1), rows.indices[i - 1].value_or(-1) + 1);
        for (const auto& region : f.layout.faceSpans) EXPECT_LE(region.span.colEnd, f.layout.sidebarWidth);
        if (current == builtIn + 17) {
            EXPECT_TRUE(rows.names[static_cast<std::size_t>(litAt)].ends_with("…"));
        }
    }
    // The last face sits at the foot of the window.
    EXPECT_EQ(faceRows(compose(state)).indices.back(), std::optional<int>(builtIn + 29));
}

TEST(ChromePanels, CharacterButtonShowsThePenOrItsMode) {
    AppState state;
    state.tools.penChar = "▒";
    EXPECT_EQ(text(compose(state).screen, *compose(state).layout.charButtonSpan), "Char ▒");
    state.tools.charRandom = true;
    const Frame_ f = compose(state);
    EXPECT_EQ(text(f.screen, *f.layout.charButtonSpan), "Char ⤨");
}

TEST(ChromePanels, FloatingToolPanelForSpray) {
    AppState state;
    state.tools.tool = Tool::spray;
    state.toolPanelOpen = true;
    state.tools.sprayDensity = 12;
    const Frame_ f = compose(state);
    ASSERT_TRUE(f.layout.toolPanelFrame);
    const Frame& frame = *f.layout.toolPanelFrame;
    EXPECT_EQ(frame.left, f.layout.sidebarWidth);
    EXPECT_NE(rowText(f.screen, frame.top).find("Spray"), std::string::npos);

    std::vector<std::pair<std::string, int>> steps;
    for (const auto& region : f.layout.stepperSpans) {
        steps.emplace_back(controlName(region.value.id), region.value.delta);
        EXPECT_TRUE(frame.contains(region.span.colStart, region.span.row));
    }
    EXPECT_EQ(steps, (std::vector<std::pair<std::string, int>>{{"sprayRadius", -1},
                                                                {"sprayRadius", 1},
                                                                {"sprayDensity", -1},
                                                                {"sprayDensity", 1},
                                                                {"sprayVary", -1},
                                                                {"sprayVary", 1}}));
    const int densityRow = f.layout.stepperSpans[2].span.row;
    const std::string line = rowText(f.screen, densityRow);
    EXPECT_NE(line.find("Density"), std::string::npos);
    EXPECT_NE(line.find("12"), std::string::npos);
    EXPECT_EQ(text(f.screen, f.layout.stepperSpans[2].span), "− ");
    EXPECT_EQ(text(f.screen, f.layout.stepperSpans[3].span), " +");

    std::vector<std::string> toggles;
    for (const auto& region : f.layout.toggleSpans)
        if (frame.contains(region.span.colStart, region.span.row)) toggles.push_back(controlName(region.value));
    EXPECT_EQ(toggles, (std::vector<std::string>{"sprayBG", "velSpray"}));
}

TEST(ChromePanels, NoPanelForAToolWithoutItems) {
    AppState state;
    state.toolPanelOpen = true;
    const Frame_ f = compose(state);
    EXPECT_FALSE(f.layout.toolPanelFrame);
    EXPECT_TRUE(f.layout.stepperSpans.empty());
}

TEST(ChromePanels, SmallClassPanelReplacesTheToolList) {
    AppState state;
    state.tools.tool = Tool::box;
    state.toolPanelOpen = true;
    state.tools.shapeFill.enabled = true;
    state.tools.shapeFill.bgMode = FillChannelMode::random;
    state.tools.shapeFill.bgPool = {ANSIColorValue::ansi16(6)};
    const Frame_ f = compose(state, 24, 80);
    ASSERT_EQ(f.layout.sizeClass, Layout::SizeClass::small);
    ASSERT_EQ(f.layout.toolSpans.size(), 1u);
    EXPECT_FALSE(f.layout.toolPanelFrame);
    ASSERT_FALSE(f.layout.toggleSpans.empty());
    EXPECT_EQ(f.layout.toggleSpans[0].value, ToggleId::of(ToggleSetting::ownFill));
    EXPECT_EQ(text(f.screen, {f.layout.toggleSpans[0].span.row, 0, 2}), "● ");
    ASSERT_TRUE(f.layout.fillCharSpan);
    EXPECT_EQ(payloads(f.layout.fillCharModeSpans),
              (std::vector<FillChannelMode>{FillChannelMode::null, FillChannelMode::cycle, FillChannelMode::random}));
    ASSERT_EQ(f.layout.fillColorModeSpans.size(), 6u);
    EXPECT_TRUE(f.layout.fillColorModeSpans[0].value.fg);
    EXPECT_FALSE(f.layout.fillColorModeSpans[5].value.fg);
    ASSERT_EQ(f.layout.fillSwatchSpans.size(), 32u);
    for (const auto& region : f.layout.fillSwatchSpans) {
        EXPECT_LE(region.span.colEnd, f.layout.sidebarWidth);
        EXPECT_EQ(f.screen.at(region.span.row, region.span.colStart).background,
                  ANSIColorValue::ansi16(region.value.index));
    }
    const auto& bgSix = f.layout.fillSwatchSpans[16 + 6];
    EXPECT_FALSE(bgSix.value.fg);
    EXPECT_NE(text(f.screen, bgSix.span).find("•"), std::string::npos);
    const auto& fgWhite = f.layout.fillSwatchSpans[15];
    EXPECT_EQ(text(f.screen, fgWhite.span), "FG");
}

TEST(ChromePanels, FadesPanel) {
    AppState state;
    openOverlay(Overlay::fadesPanel, state);
    state.tools.charRandomGroups = {"Greek"};
    const Frame_ f = compose(state);
    ASSERT_TRUE(f.layout.fadesFrame);
    EXPECT_NE(rowText(f.screen, f.layout.fadesFrame->top).find(" Fades "), std::string::npos);
    std::set<std::string> steppers;
    for (const auto& region : f.layout.stepperSpans) steppers.insert(std::string(controlName(region.value.id)));
    EXPECT_EQ(steppers, (std::set<std::string>{"fadeFgStep", "fadeBgStep", "fadeChStep"}));
    std::map<std::string, std::string> toggles;
    for (const auto& region : f.layout.toggleSpans)
        if (f.layout.fadesFrame->contains(region.span.colStart, region.span.row))
            toggles[controlName(region.value)] = text(f.screen, region.span);
    ASSERT_TRUE(toggles.contains("fadeChWrap"));
    EXPECT_TRUE(toggles["fadeChWrap"].starts_with("● Char wrap  ")) << toggles["fadeChWrap"];
    EXPECT_TRUE(toggles["fadeColReset"].starts_with("○ Colors reset/stroke")) << toggles["fadeColReset"];
    EXPECT_TRUE(toggles["fadegrp.Greek"].starts_with("● Greek ")) << toggles["fadegrp.Greek"];
    EXPECT_TRUE(toggles["fadegrp.Math"].starts_with("○ Math ")) << toggles["fadegrp.Math"];
    EXPECT_EQ(toggles.size(), 4u + CP437Characters::groups().size());
}

TEST(ChromePanels, FadesPanelSplitsIntoTwoColumnsOnAShortScreen) {
    AppState state;
    openOverlay(Overlay::fadesPanel, state);
    const Frame_ f = compose(state, 24, 80);
    ASSERT_TRUE(f.layout.fadesFrame);
    const Frame& frame = *f.layout.fadesFrame;
    EXPECT_LE(frame.top + frame.height, f.layout.colorRow());
    std::set<std::string> ids;
    for (const auto& region : f.layout.toggleSpans)
        if (frame.contains(region.span.colStart, region.span.row)) ids.insert(controlName(region.value));
    for (const auto& region : f.layout.stepperSpans) {
        EXPECT_TRUE(frame.contains(region.span.colStart, region.span.row));
        ids.insert(std::string(controlName(region.value.id)));
    }
    EXPECT_EQ(ids.size(), 3u + 4u + CP437Characters::groups().size()) << "every row is reachable";
    EXPECT_TRUE(ids.contains("fadegrp.Punctuation"));
}

TEST(ChromePanels, PalettePickerGridGroupsAndSliders) {
    AppState state;
    openOverlay(Overlay::palettePicker, state);
    state.paletteTargetFg = false;
    state.tcDraft = {255, 0, 128, -128};
    const Frame_ f = compose(state);
    ASSERT_TRUE(f.layout.paletteFrame);
    EXPECT_NE(rowText(f.screen, f.layout.paletteFrame->top).find(" BG palette "), std::string::npos);

    ASSERT_EQ(f.layout.paletteSwatchSpans.size(), 256u);
    std::set<int> indices;
    for (const auto& region : f.layout.paletteSwatchSpans) {
        indices.insert(region.value);
        EXPECT_EQ(f.screen.at(region.span.row, region.span.colStart).background, ANSIColorValue::ansi256(region.value));
        EXPECT_TRUE(f.layout.paletteFrame->contains(region.span.colEnd - 1, region.span.row));
    }
    EXPECT_EQ(indices.size(), 256u);
    const auto groups = payloads(f.layout.paletteCubeGroupSpans);
    EXPECT_EQ(std::set<int>(groups.begin(), groups.end()), (std::set<int>{-3, -2, -1, 0, 1, 2, 3, 4, 5}));

    ASSERT_EQ(f.layout.paletteSliderSpans.size(), 4u);
    const PaletteChannel channels[] = {PaletteChannel::tcR, PaletteChannel::tcG, PaletteChannel::tcB,
                                       PaletteChannel::tcL};
    const int expectedEnds[][2] = {{0, 255}, {0, 255}, {0, 255}, {-128, 128}};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& slider = f.layout.paletteSliderSpans[i];
        EXPECT_EQ(slider.value.channel, channels[i]);
        EXPECT_EQ(slider.value.col0, slider.span.colStart);
        EXPECT_EQ(slider.value.width, slider.span.width());
        // The first and last cell of every bar reach the ends of the channel's range.
        EXPECT_EQ(paletteSliderValue(slider.value.channel, slider.span.colStart, slider.value.col0, slider.value.width),
                  expectedEnds[i][0]);
        EXPECT_EQ(paletteSliderValue(slider.value.channel, slider.span.colEnd - 1, slider.value.col0,
                                     slider.value.width),
                  expectedEnds[i][1]);
    }
    ASSERT_EQ(f.layout.paletteValueSpans.size(), 4u);
    const char* values[] = {" 255", "   0", " 128", "-128"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(f.layout.paletteValueSpans[i].value, channels[i]);
        EXPECT_EQ(text(f.screen, f.layout.paletteValueSpans[i].span), values[i]);
    }
}

TEST(ChromePanels, CharacterPickerListsTheSetInOrder) {
    AppState state;
    openOverlay(Overlay::charPicker, state);
    state.charsetIndex = 16;  // a whole Unicode block
    const CharacterGroup& set = Charsets::sets()[16];
    const Frame_ f = compose(state);
    ASSERT_EQ(f.layout.charPickerSpans.size(), set.chars.size());
    for (std::size_t i = 0; i < set.chars.size(); ++i) {
        const auto& region = f.layout.charPickerSpans[i];
        EXPECT_EQ(region.value, set.chars[i]);
        EXPECT_EQ(f.screen.at(region.span.row, region.span.colStart).character.str(), set.chars[i]);
    }
    ASSERT_TRUE(f.layout.charsetButtonSpan);
    EXPECT_NE(text(f.screen, *f.layout.charsetButtonSpan).find(set.name), std::string::npos);
    EXPECT_EQ(payloads(f.layout.charModeSpans), (std::vector<CharMode>{CharMode::null, CharMode::cycle, CharMode::random}));
    ASSERT_TRUE(f.layout.codepointFieldSpan);
    EXPECT_EQ(text(f.screen, *f.layout.codepointFieldSpan), "U+____");
    EXPECT_TRUE(f.layout.charsetOptionSpans.empty());
}

TEST(ChromePanels, CharacterPickerMarksTheTargetAndTheCodePointEntry) {
    AppState state;
    openOverlay(Overlay::charPicker, state);
    state.charPickerTarget = CharTarget::fill;
    state.tools.shapeFill.character = "▓";
    state.prompt = Prompt(PromptKind::codepoint, "25");
    const Frame_ f = compose(state);
    EXPECT_EQ(text(f.screen, *f.layout.codepointFieldSpan), "U+25▌");
    int lit = 0;
    for (const auto& region : f.layout.charPickerSpans) {
        if (f.screen.at(region.span.row, region.span.colStart).background == chrome::accent) {
            ++lit;
            EXPECT_EQ(region.value, "▓");
        }
    }
    EXPECT_EQ(lit, 1);
    EXPECT_NE(rowText(f.screen, f.layout.contentTop()).find("Fill character"), std::string::npos);
}

TEST(ChromePanels, CharacterSetMenuListsEverySet) {
    AppState state;
    openOverlay(Overlay::charPicker, state);
    state.charsetMenuOpen = true;
    for (const auto& [rows, cols] : {std::pair{60, 180}, std::pair{24, 80}}) {
        const Frame_ f = compose(state, rows, cols);
        const auto& sets = Charsets::sets();
        ASSERT_EQ(f.layout.charsetOptionSpans.size(), sets.size());
        for (std::size_t i = 0; i < sets.size(); ++i) {
            const auto& region = f.layout.charsetOptionSpans[i];
            EXPECT_EQ(region.value, static_cast<int>(i));
            if (region.span.colEnd <= cols) {
                EXPECT_NE(text(f.screen, region.span).find(sets[i].name.substr(0, 5)), std::string::npos) << i;
            }
        }
    }
}

}  // namespace layout_panels_test
}  // namespace glyphloom
