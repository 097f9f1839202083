#include "tui/actions/panels.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/input/text_entry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <set>
#include <type_traits>
#include <string>
#include <vector>

#include "core/fonts/fkey_banks.hpp"
#include "core/text/cp437_characters.hpp"
#include "scoped_config_home.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace actions_panels_test {

ANSIColorValue c16(int n) { return ANSIColorValue::ansi16(n); }

// The fades panel's toggle for a character group, found by the group's name.
ToggleId groupToggle(const std::string& name) {
    const auto& groups = CP437Characters::groups();
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (groups[i].name == name) return ToggleId::charGroup(static_cast<int>(i));
    ADD_FAILURE() << "no group " << name;
    return ToggleId::charGroup(-1);
}

std::string itemId(const PanelItem& item) {
    switch (item.kind) {
        case PanelItem::Kind::label: return "label:" + item.label;
        case PanelItem::Kind::stepper: return std::string(controlName(item.stepperId));
        case PanelItem::Kind::toggle: return controlName(item.toggleId);
        default: return "";
    }
}

std::vector<std::string> ids(const std::vector<PanelItem>& items) {
    std::vector<std::string> out;
    for (const PanelItem& item : items) out.push_back(itemId(item));
    return out;
}

// Every stepper and plain toggle the panels show, whatever the tool: the ids come from the
// panels themselves, so a control added there is tested here without being listed twice.
template <class Id>
std::vector<Id> shownIds(PanelItem::Kind kind) {
    std::vector<Id> out;
    auto collect = [&](const std::vector<PanelItem>& items) {
        for (const PanelItem& item : items) {
            if (item.kind != kind) continue;
            Id id;
            if constexpr (std::is_same_v<Id, StepperId>) id = item.stepperId;
            else id = item.toggleId;
            if constexpr (std::is_same_v<Id, ToggleId>) {
                if (id.kind == ToggleId::Kind::glyphBank) continue;
            }
            if (std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
        }
    };
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        AppState state;
        state.tools.tool = tool;
        collect(panelItems(state));
    }
    collect(fadesPanelItems(AppState()));
    return out;
}

std::vector<int> allStepperValues(const AppState& state, const std::vector<StepperId>& ids) {
    std::vector<int> values;
    for (StepperId id : ids) values.push_back(stepperValue(id, state));
    return values;
}

TEST(Panels, EveryShownStepperClampsAtBothEndsAndMovesAlone) {
    const std::vector<StepperId> steppers = shownIds<StepperId>(PanelItem::Kind::stepper);
    ASSERT_GE(steppers.size(), 10u);
    for (std::size_t i = 0; i < steppers.size(); ++i) {
        const StepperId id = steppers[i];
        SCOPED_TRACE(controlName(id));
        AppState state;
        adjustStepper(id, INT_MIN, state);  // must not overflow on the way to the bottom
        const int low = stepperValue(id, state);
        adjustStepper(id, -1, state);
        EXPECT_EQ(stepperValue(id, state), low);
        adjustStepper(id, INT_MAX, state);
        const int high = stepperValue(id, state);
        EXPECT_GT(high, low);
        adjustStepper(id, +1, state);
        EXPECT_EQ(stepperValue(id, state), high);
        adjustStepper(id, -1, state);
        EXPECT_EQ(stepperValue(id, state), high - 1);

        // Only this stepper moved.
        std::vector<int> expected = allStepperValues(AppState(), steppers);
        expected[i] = high - 1;
        if (controlName(id).starts_with("tc")) continue;  // the colour sliders share one draft colour
        EXPECT_EQ(allStepperValues(state, steppers), expected);
    }
}

TEST(Panels, SteppersAgreeWithTheRangesUsersRelyOn) {
    // Lightness is signed; colour channels are bytes; a cycle repeat typed in or stepped to
    // has the same range.
    const struct {
        StepperId id;
        int min;
        int max;
    } cases[] = {{StepperId::tcL, -128, 128},
                 {StepperId::tcR, 0, 255},
                 {StepperId::tcB, 0, 255},
                 {StepperId::fadeFgStep, 1, 20},
                 {StepperId::fadeBgStep, 1, 20}};
    for (const auto& c : cases) {
        AppState state;
        adjustStepper(c.id, INT_MIN, state);
        EXPECT_EQ(stepperValue(c.id, state), c.min) << controlName(c.id);
        adjustStepper(c.id, INT_MAX, state);
        EXPECT_EQ(stepperValue(c.id, state), c.max) << controlName(c.id);
    }
    for (const char* typed : {"0", "7", "99"}) {
        AppState byTyping;
        startStepEntry(PaletteChannel::fg, byTyping);
        for (const char* ch = typed; *ch; ++ch) textEntryKey(static_cast<std::uint8_t>(*ch), byTyping);
        commitStepEntry(byTyping);
        AppState byStepping;
        adjustStepper(StepperId::fadeFgStep, std::stoi(typed) - stepperValue(StepperId::fadeFgStep, byStepping),
                      byStepping);
        EXPECT_EQ(byTyping.tools.fgCycleStep, stepperValue(StepperId::fadeFgStep, byStepping)) << typed;
    }
}

TEST(Panels, EveryStepperHasItsOwnReadableName) {
    // The names are what the layout dump prints and what a reader greps for.
    std::set<std::string> names;
    for (int i = 0; i <= static_cast<int>(StepperId::tcL); ++i) {
        const std::string name(controlName(static_cast<StepperId>(i)));
        EXPECT_FALSE(name.empty()) << i;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(StepperId::tcL) + 1);
    EXPECT_EQ(controlName(StepperId::sprayRadius), "sprayRadius");
    EXPECT_EQ(controlName(ToggleId::of(ToggleSetting::velDB)), "velDB");
    EXPECT_EQ(controlName(ToggleId::glyphBank(2)), "bank2");
    EXPECT_EQ(controlName(ToggleId::charGroup(0)), "fadegrp." + CP437Characters::groups()[0].name);
}

TEST(Panels, DraftSteppersApplyTheMixedColour) {
    AppState state;
    state.paletteTargetFg = true;
    state.tools.fgCycle = true;
    state.tcDraft = {10, 20, 30, 0};
    adjustStepper(StepperId::tcL, 5, state);
    EXPECT_EQ(state.tools.fg, ANSIColorValue::truecolor(15, 25, 35));
    EXPECT_FALSE(state.tools.fgCycle);
}

TEST(Panels, EveryShownToggleFlipsAloneAndBack) {
    const std::vector<ToggleId> toggles = shownIds<ToggleId>(PanelItem::Kind::toggle);
    ASSERT_GE(toggles.size(), 10u);
    const auto shown = [&toggles](const AppState& state) {
        std::vector<bool> values;
        for (ToggleId id : toggles) values.push_back(toggleValue(id, state));
        return values;
    };
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        SCOPED_TRACE(controlName(toggles[i]));
        AppState state;
        const std::vector<bool> before = shown(state);
        toggleTapped(toggles[i], state);
        std::vector<bool> expected = before;
        expected[i] = !expected[i];
        EXPECT_EQ(shown(state), expected);
        toggleTapped(toggles[i], state);
        EXPECT_EQ(shown(state), before);
    }
}

TEST(Panels, TogglesReachTheToolsThatReadThem) {
    // A few toggles checked through what they change elsewhere, not through their own table.
    AppState state;
    state.tools.tool = Tool::oval;
    const std::size_t plain = panelItems(state).size();
    toggleTapped(ToggleId::of(ToggleSetting::ownFill), state);
    EXPECT_GT(panelItems(state).size(), plain);  // the fill rows appear
    const bool wrap = state.tools.charCycleWrap;
    toggleTapped(ToggleId::of(ToggleSetting::fadeChWrap), state);
    EXPECT_NE(state.tools.charCycleWrap, wrap);
    const bool forward = state.tools.charCycleForward;
    toggleTapped(ToggleId::of(ToggleSetting::fadeChFwd), state);
    EXPECT_NE(state.tools.charCycleForward, forward);
}

TEST(Panels, BankTogglesSelectTheGlyphBank) {
    const testing_support::ScopedConfigHome config("panels-bank");
    AppState state;
    toggleTapped(ToggleId::glyphBank(2), state);
    EXPECT_EQ(state.fkeyBankIndex, 2);
    EXPECT_EQ(state.statusNote.value_or(""), "bank: Doubles  ═ ║ ╔ ╗ ╚ ╝ ╠ ╣ ╦ ╩  (F1–F10)");
    EXPECT_TRUE(toggleValue(ToggleId::glyphBank(2), state));
    EXPECT_FALSE(toggleValue(ToggleId::glyphBank(0), state));
    for (int bad : {4, -1, 1000}) {
        toggleTapped(ToggleId::glyphBank(bad), state);
        EXPECT_EQ(state.fkeyBankIndex, 2) << bad;
        EXPECT_FALSE(toggleValue(ToggleId::glyphBank(bad), state)) << bad;
    }
}

TEST(Panels, PanelItemsByTool) {
    const std::pair<Tool, std::vector<std::string>> cases[] = {
        {Tool::box, {"ownFill"}},
        {Tool::select, {"ownFill"}},
        {Tool::oval, {"ownFill"}},
        {Tool::spray, {"sprayRadius", "sprayDensity", "sprayVary", "sprayBG", "velSpray"}},
        {Tool::line, {"lineWidth"}},
        {Tool::dodge, {"dbStrength", "velDB"}},
        {Tool::burn, {"dbStrength", "velDB"}},
        {Tool::prism, {"prismSteps", "velPrism"}},
        {Tool::scatter, {"scVariance", "velScatter", "round"}},
        {Tool::text, {"label:F1–F10 bank", "bank0", "bank1", "bank2", "bank3"}},
        {Tool::paint, {}},
        {Tool::pen, {}},
        {Tool::fill, {}},
        {Tool::pans, {}},
    };
    for (const auto& [tool, expected] : cases) {
        AppState state;
        state.tools.tool = tool;
        EXPECT_EQ(ids(panelItems(state)), expected) << rawValue(tool);
    }
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        AppState state;
        state.tools.tool = tool;
        EXPECT_EQ(toolHasPanelItems(tool), !panelItems(state).empty()) << name;
    }
}

TEST(Panels, PanelItemsCarryCurrentValues) {
    AppState state;
    state.tools.tool = Tool::scatter;
    state.tools.scatterVariance = 40;
    state.tools.velScatter = true;
    const auto items = panelItems(state);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], PanelItem::stepper("Variance", StepperId::scVariance, 40));
    EXPECT_EQ(items[1], PanelItem::toggle("Vel → variance", ToggleId::of(ToggleSetting::velScatter), true));
    EXPECT_EQ(items[2], PanelItem::toggle("Round brush", ToggleId::of(ToggleSetting::round), false));

    state.tools.tool = Tool::text;
    state.fkeyBankIndex = 3;
    const auto text = panelItems(state);
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[4], PanelItem::toggle("Dings", ToggleId::glyphBank(3), true));
    EXPECT_FALSE(text[1].on);
}

TEST(Panels, OwnFillAddsTheFillRows) {
    AppState state;
    state.tools.tool = Tool::oval;
    state.tools.shapeFill.enabled = true;
    const std::vector<PanelItem> expected = {
        PanelItem::toggle("Own fill", ToggleId::of(ToggleSetting::ownFill), true), PanelItem::fillChar(),
        PanelItem::fillColorModes(true),                PanelItem::fillSwatches(true),
        PanelItem::fillColorModes(false),               PanelItem::fillSwatches(false),
    };
    EXPECT_EQ(panelItems(state), expected);
}

TEST(Panels, ChipTappedByChannelMode) {
    struct Case {
        const char* name;
        bool forFg;
        ColorMode mode;
        const char* firstNote;   // after adding, nullptr when none
        const char* secondNote;  // after tapping the same colour again
    };
    const Case cases[] = {
        {"fg cycle", true, ColorMode::cycle, "fg cycle: 1 colors", "fg cycle: 0 colors"},
        {"bg cycle", false, ColorMode::cycle, "bg cycle: 1 colors", "bg cycle: 0 colors"},
        {"fg random", true, ColorMode::random, "fg random: 1 colors", "fg random: 0 colors"},
        {"bg random", false, ColorMode::random, "bg random: 1 colors", "bg random: 0 colors"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppState state;
        setColorMode(c.mode, c.forFg, state);
        const ANSIColorValue before = c.forFg ? state.tools.fg : state.tools.penBg;
        chipTapped(c16(4), c.forFg, state);
        const std::vector<ANSIColorValue>* pool = activePool(state, c.forFg);
        ASSERT_NE(pool, nullptr);
        EXPECT_EQ(*pool, std::vector<ANSIColorValue>{c16(4)});
        EXPECT_EQ(state.statusNote.value_or(""), c.firstNote);
        chipTapped(c16(4), c.forFg, state);
        EXPECT_TRUE(pool->empty());
        EXPECT_EQ(state.statusNote.value_or(""), c.secondNote);
        EXPECT_EQ(c.forFg ? state.tools.fg : state.tools.penBg, before);
    }
}

TEST(Panels, ChipTappedOnASolidChannelSetsItsColour) {
    AppState state;
    state.tools.fgNull = state.tools.bgNull = true;
    chipTapped(c16(9), true, state);
    EXPECT_EQ(state.tools.fg, c16(9));
    EXPECT_FALSE(state.tools.fgNull);
    EXPECT_TRUE(state.tools.bgNull);

    chipTapped(c16(12), false, state);
    EXPECT_EQ(state.tools.penBg, c16(12));
    EXPECT_FALSE(state.tools.bgNull);

    // Blinking text allows only the eight dim backgrounds.
    state.doc.blinkingText = true;
    chipTapped(c16(12), false, state);
    EXPECT_EQ(state.tools.penBg, c16(4));
    EXPECT_FALSE(state.statusNote.has_value());
}

struct Flags {
    bool null, cycle, random;
    friend bool operator==(Flags, Flags) = default;
};

TEST(Panels, SetColorModeLeavesExactlyOneFlag) {
    const std::pair<ColorMode, Flags> cases[] = {
        {ColorMode::null, {true, false, false}},
        {ColorMode::cycle, {false, true, false}},
        {ColorMode::random, {false, false, true}},
        {ColorMode::solid, {false, false, false}},
    };
    for (bool forFg : {true, false}) {
        for (const auto& [mode, expected] : cases) {
            AppState state;
            state.tools.fgNull = state.tools.fgCycle = state.tools.fgRandom = true;
            state.tools.bgNull = state.tools.bgCycle = state.tools.bgRandom = true;
            setColorMode(mode, forFg, state);
            const Flags changed = forFg ? Flags{state.tools.fgNull, state.tools.fgCycle, state.tools.fgRandom}
                                        : Flags{state.tools.bgNull, state.tools.bgCycle, state.tools.bgRandom};
            const Flags other = forFg ? Flags{state.tools.bgNull, state.tools.bgCycle, state.tools.bgRandom}
                                      : Flags{state.tools.fgNull, state.tools.fgCycle, state.tools.fgRandom};
            EXPECT_EQ(changed, expected) << forFg << " " << static_cast<int>(mode);
            EXPECT_EQ(other, (Flags{true, true, true})) << "the other channel is untouched";
            EXPECT_EQ(colorMode(state, forFg), mode);
        }
    }
}

TEST(Panels, ModeButtonsToggleBackToSolid) {
    AppState state;
    colorModeTapped(ColorMode::cycle, false, state);
    EXPECT_EQ(colorMode(state, false), ColorMode::cycle);
    colorModeTapped(ColorMode::random, false, state);
    EXPECT_EQ(colorMode(state, false), ColorMode::random);
    EXPECT_FALSE(state.tools.bgCycle);
    colorModeTapped(ColorMode::random, false, state);
    EXPECT_EQ(colorMode(state, false), ColorMode::solid);
}

TEST(Panels, SwapKeepsTheBackgroundWithinTheBlinkRule) {
    AppState state;
    state.tools.fg = c16(14);
    state.tools.penBg = c16(1);
    swapForegroundAndBackground(state);
    EXPECT_EQ(state.tools.fg, c16(1));
    EXPECT_EQ(state.tools.penBg, c16(14));
    state.doc.blinkingText = true;
    swapForegroundAndBackground(state);
    EXPECT_EQ(state.tools.fg, c16(14));
    EXPECT_EQ(state.tools.penBg, c16(1));
    state.tools.fg = c16(11);
    swapForegroundAndBackground(state);
    EXPECT_EQ(state.tools.penBg, c16(3));
}

TEST(Panels, FadeGroupsRebuildTheRandomPool) {
    AppState state;
    toggleRandomCharGroup("A \u2013 Z", state);
    EXPECT_EQ(state.tools.charRandomPool.size(), 26u);
    EXPECT_EQ(state.tools.charRandomPool.front(), "A");
    EXPECT_EQ(state.statusNote.value_or(""), "random pool: 26 glyphs");
    EXPECT_TRUE(toggleValue(groupToggle("A \u2013 Z"), state));

    // Overlapping groups contribute each glyph once; the panel's toggle reaches the same pool.
    toggleRandomCharGroup("ASCII Art", state);
    toggleTapped(groupToggle("Punctuation"), state);
    std::set<std::string> unique(state.tools.charRandomPool.begin(), state.tools.charRandomPool.end());
    EXPECT_EQ(unique.size(), state.tools.charRandomPool.size());
    EXPECT_EQ(state.statusNote.value_or(""),
              "random pool: " + std::to_string(state.tools.charRandomPool.size()) + " glyphs");

    toggleRandomCharGroup("A \u2013 Z", state);
    toggleRandomCharGroup("ASCII Art", state);
    toggleTapped(groupToggle("Punctuation"), state);
    EXPECT_FALSE(toggleValue(groupToggle("Punctuation"), state));
    EXPECT_TRUE(state.tools.charRandomGroups.empty());
    EXPECT_TRUE(state.tools.charRandomPool.empty());
    EXPECT_EQ(state.statusNote.value_or(""), "random pool: 0 glyphs");
}

TEST(Panels, UnknownFadeGroupIsIgnoredButAStaleOneCanBeRemoved) {
    AppState state;
    toggleRandomCharGroup("Nonsense", state);
    toggleTapped(ToggleId::charGroup(-1), state);
    toggleTapped(ToggleId::charGroup(static_cast<int>(CP437Characters::groups().size())), state);
    EXPECT_TRUE(state.tools.charRandomGroups.empty());
    EXPECT_FALSE(state.statusNote.has_value());
    EXPECT_FALSE(toggleValue(ToggleId::charGroup(-1), state));

    state.tools.charRandomGroups = {"Gone"};
    toggleRandomCharGroup("Gone", state);
    EXPECT_TRUE(state.tools.charRandomGroups.empty());
}

TEST(Panels, FadesPanelListsStepsSettingsAndGroups) {
    AppState state;
    state.tools.charRandomGroups = {"Blocks"};
    const auto items = fadesPanelItems(state);
    ASSERT_GE(items.size(), 8u);
    EXPECT_EQ(ids(std::vector<PanelItem>(items.begin(), items.begin() + 8)),
              (std::vector<std::string>{"fadeFgStep", "fadeBgStep", "fadeChStep", "fadeColReset", "fadeChReset",
                                        "fadeChFwd", "fadeChWrap", "fadegrp.Blocks"}));
    EXPECT_TRUE(items[7].on);
    EXPECT_FALSE(items[8].on);
    EXPECT_EQ(items[1].label, "BG step");
    EXPECT_EQ(items[3].label, "Colors reset/stroke");
}

TEST(Panels, ToggleFillPool) {
    std::vector<ANSIColorValue> pool{c16(1), c16(2), c16(3)};
    toggleFillPool(pool, c16(2));
    EXPECT_EQ(pool, (std::vector<ANSIColorValue>{c16(1), c16(3)}));
    toggleFillPool(pool, c16(2));
    EXPECT_EQ(pool, (std::vector<ANSIColorValue>{c16(1), c16(3), c16(2)}));
    toggleFillPool(pool, ANSIColorValue::ansi256(2));
    EXPECT_EQ(pool.size(), 4u) << "a 256-colour index is a different colour from the classic one";
}

TEST(Panels, FillSwatchesByChannelMode) {
    AppState state;
    fillSwatchTapped(true, 5, state);
    EXPECT_EQ(state.tools.shapeFill.fg, c16(5));

    fillColorModeTapped(false, FillChannelMode::cycle, state);
    fillSwatchTapped(false, 5, state);
    fillSwatchTapped(false, 6, state);
    EXPECT_EQ(state.tools.shapeFill.bgPool, (std::vector<ANSIColorValue>{c16(5), c16(6)}));
    EXPECT_EQ(state.tools.shapeFill.bg, c16(0));
    fillSwatchTapped(false, 5, state);
    EXPECT_EQ(state.tools.shapeFill.bgPool, (std::vector<ANSIColorValue>{c16(6)}));

    fillColorModeTapped(true, FillChannelMode::null, state);
    fillSwatchTapped(true, 3, state);
    EXPECT_EQ(state.tools.shapeFill.fg, c16(3));
    EXPECT_EQ(state.tools.shapeFill.fgMode, FillChannelMode::solid);

    fillSwatchTapped(true, 16, state);
    fillSwatchTapped(true, -1, state);
    EXPECT_EQ(state.tools.shapeFill.fg, c16(3));

    fillColorModeTapped(false, FillChannelMode::cycle, state);
    EXPECT_EQ(state.tools.shapeFill.bgMode, FillChannelMode::solid) << "a lit mode button goes back to solid";
}

TEST(Panels, ClosingThePickerRevertsAnEmptyFillCycle) {
    struct Case {
        CharTarget target;
        FillChannelMode mode;
        bool emptyPool;
        FillChannelMode expected;
        bool noted;
    };
    const Case cases[] = {
        {CharTarget::fill, FillChannelMode::cycle, true, FillChannelMode::solid, true},
        {CharTarget::fill, FillChannelMode::cycle, false, FillChannelMode::cycle, false},
        {CharTarget::fill, FillChannelMode::random, true, FillChannelMode::random, false},
        {CharTarget::pen, FillChannelMode::cycle, true, FillChannelMode::cycle, false},
    };
    for (const Case& c : cases) {
        AppState state;
        openOverlay(Overlay::charPicker, state);
        state.charsetMenuOpen = true;
        state.charPickerTarget = c.target;
        state.tools.shapeFill.charMode = c.mode;
        if (!c.emptyPool) state.tools.shapeFill.charPool = {"░"};
        closeCharPickerIfEmptyCycle(state);
        EXPECT_NE(state.overlay, Overlay::charPicker);
        EXPECT_FALSE(state.charsetMenuOpen);
        EXPECT_EQ(state.tools.shapeFill.charMode, c.expected);
        EXPECT_EQ(state.statusNote.value_or(""), c.noted ? "fill cycle needs a sequence" : "");
        EXPECT_EQ(state.charPickerTarget, CharTarget::pen);
    }
}

TEST(Panels, PickingCharactersForThePen) {
    AppState state;
    openOverlay(Overlay::charPicker, state);
    state.tools.charNull = true;
    charPicked("▒", state);
    EXPECT_EQ(state.tools.penChar, "▒");
    EXPECT_FALSE(state.tools.charNull);
    EXPECT_NE(state.overlay, Overlay::charPicker);

    openOverlay(Overlay::charPicker, state);
    charModeTapped(CharMode::cycle, state);
    EXPECT_TRUE(state.tools.charCycle);
    charPicked("a", state);
    charPicked("b", state);
    charPicked("a", state);
    EXPECT_EQ(state.tools.charCyclePool, (std::vector<std::string>{"a", "b", "a"}));
    EXPECT_EQ(state.overlay, Overlay::charPicker);
    removeLastPickedChar(state);
    EXPECT_EQ(state.tools.charCyclePool, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(state.tools.penChar, "▒");

    charModeTapped(CharMode::random, state);
    EXPECT_FALSE(state.tools.charCycle);
    charPicked("x", state);
    charPicked("x", state);
    EXPECT_TRUE(state.tools.charRandomPool.empty()) << "a random pool holds each glyph once";
    charModeTapped(CharMode::random, state);
    EXPECT_FALSE(pickerCharMode(state).has_value());
    removeLastPickedChar(state);
    EXPECT_EQ(state.tools.charCyclePool.size(), 2u) << "backspace in single mode touches no sequence";
}

TEST(Panels, PickingCharactersForTheFill) {
    AppState state;
    fillCharTapped(state);
    EXPECT_EQ(state.overlay, Overlay::charPicker);
    EXPECT_EQ(state.charPickerTarget, CharTarget::fill);
    charModeTapped(CharMode::cycle, state);
    EXPECT_EQ(state.tools.shapeFill.charMode, FillChannelMode::cycle);
    charPicked("░", state);
    EXPECT_EQ(state.tools.shapeFill.charPool, std::vector<std::string>{"░"});
    EXPECT_TRUE(state.tools.charCyclePool.empty());
    charModeTapped(CharMode::cycle, state);
    charPicked("▓", state);
    EXPECT_EQ(state.tools.shapeFill.character, "▓");
    EXPECT_EQ(state.tools.penChar, "█");
    EXPECT_NE(state.overlay, Overlay::charPicker);
}

TEST(Panels, OpeningAFieldReplacesTheOneOpen) {
    AppState state;
    openPrompt(Prompt::forSauceField(SauceEntry::of(SauceField::title), "old"), state);
    startCodepointEntry(state);
    ASSERT_TRUE(promptIs(state.prompt, PromptKind::codepoint));
    EXPECT_FALSE(state.prompt->sauceEntry().has_value());
    EXPECT_TRUE(state.prompt->text().empty());
    EXPECT_EQ(state.statusNote.value_or(""), "type a hex code point, Enter to place");

    const std::pair<PaletteChannel, const char*> prompts[] = {
        {PaletteChannel::tcR, "type a value 0–255, Enter to set"},
        {PaletteChannel::tcL, "type a value −128…128, Enter to set"},
        {PaletteChannel::fg, "type a repeat number, Enter to set"},
    };
    for (const auto& [channel, prompt] : prompts) {
        startStepEntry(channel, state);
        ASSERT_TRUE(state.prompt);
        EXPECT_EQ(state.prompt->stepChannel(), channel);
        EXPECT_EQ(state.statusNote.value_or(""), prompt);
    }
}

TEST(Panels, CharsetChoiceStaysInRange) {
    AppState state;
    state.charsetMenuOpen = true;
    charsetChosen(3, state);
    EXPECT_EQ(state.charsetIndex, 3);
    EXPECT_FALSE(state.charsetMenuOpen);
    state.charsetMenuOpen = true;
    charsetChosen(1000, state);
    charsetChosen(-1, state);
    EXPECT_EQ(state.charsetIndex, 3);
    EXPECT_TRUE(state.charsetMenuOpen);
}

}  // namespace actions_panels_test
}  // namespace glyphloom
