#include "tui/actions/preset_actions.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

#include "core/format/preset_bank.hpp"
#include "core/text/cp437_characters.hpp"
#include "tui/input/dispatch.hpp"
#include "tui/layout/chrome.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

namespace glyphloom {
namespace preset_actions_test {

namespace fs = std::filesystem;
using nlohmann::json;

ANSIColorValue c16(int n) { return ANSIColorValue::ansi16(n); }

TUIPreset presetFrom(const std::string& text) {
    auto preset = presetFromJSON(json::parse(text));
    EXPECT_TRUE(preset) << text;
    return preset.value_or(TUIPreset{});
}

TUIPreset named(const std::string& name, const std::string& character = "x") {
    TUIPreset p;
    p.name = name;
    p.character = character;
    return p;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Hands out the queued numbers in order, each limited to the asked range.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<int> values) : values_(std::move(values)) {}
    int uniformInt(int lo, int hi) override {
        const int v = values_.empty() ? lo : values_.front();
        if (!values_.empty()) values_.pop_front();
        return std::clamp(v, lo, hi);
    }
    double uniformDouble() override { return 0; }

private:
    std::deque<int> values_;
};

// Every test gets its own settings folder and working directory, so the bank file and exports
// never touch the real ones.
class Presets : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("glyphloom-presets-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "work");
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        oldCwd_ = fs::current_path();
        fs::current_path(root_ / "work");
        state = std::make_unique<AppState>();
        state->doc = Document::blank(4, 10);
        state->presets = *builtinPresetBank();
    }
    void TearDown() override {
        fs::current_path(oldCwd_);
        if (oldConfig_)
            ::setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(root_);
    }
    fs::path bankFile() const { return root_ / "config" / "glyphloom" / "presets.json"; }
    PresetBank storedBank() const { return loadPresets(bankFile().string()); }
    std::string note() const { return state->statusNote.value_or(""); }

    fs::path root_;
    fs::path oldCwd_;
    std::optional<std::string> oldConfig_;
    std::unique_ptr<AppState> state;
};

TEST_F(Presets, SlotElevenSetsTheGradientFillAndSwitchesEveryFadeOff) {
    AppState& s = *state;
    s.tools.brush = BrushSize::cells(3);
    s.tools.fgCycle = s.tools.bgRandom = s.tools.charCycle = s.tools.charRandom = true;
    s.tools.fgCyclePool = {c16(1)};
    s.tools.charRandomPool = {"a"};
    s.tools.shapeFill.enabled = true;
    applyPreset(11, s);
    EXPECT_EQ(s.selectedPreset, 11);
    EXPECT_EQ(s.tools.tool, Tool::fill);
    EXPECT_EQ(s.tools.penChar, "█");
    EXPECT_EQ(s.tools.fg, c16(14));
    EXPECT_EQ(s.tools.penBg, c16(4));
    EXPECT_EQ(s.tools.fillMode, FillMode::gradient(GradientDirection::vertical));
    EXPECT_FALSE(s.tools.fgCycle || s.tools.bgCycle || s.tools.fgRandom || s.tools.bgRandom || s.tools.charCycle ||
                 s.tools.charRandom);
    EXPECT_TRUE(s.tools.fgCyclePool.empty() && s.tools.bgCyclePool.empty() && s.tools.fgRandomPool.empty() &&
                s.tools.bgRandomPool.empty());
    EXPECT_TRUE(s.tools.charCyclePool.empty() && s.tools.charRandomPool.empty());
    EXPECT_EQ(s.tools.shapeFill, ShapeFillStyle{}) << "a preset without a shape fill brings the default one";
    EXPECT_EQ(s.tools.brush, BrushSize::cells(3)) << "slot 11 has no brush size";
    for (int index : {12, 16, -1}) {
        applyPreset(index, s);
        EXPECT_EQ(s.selectedPreset, 11) << "empty or missing slot " << index;
    }
}

TEST_F(Presets, BlinkingTextLowersBrightClassicBackgrounds) {
    struct Case {
        ANSIColorValue bg;
        bool blinking;
        ANSIColorValue expected;
    };
    const std::vector<Case> cases = {
        {c16(12), true, c16(4)},   {c16(8), true, c16(0)},
        {c16(12), false, c16(12)}, {c16(7), true, c16(7)},
        {ANSIColorValue::ansi256(12), true, ANSIColorValue::ansi256(12)},
    };
    for (const auto& c : cases) {
        AppState& s = *state;
        s.doc.blinkingText = c.blinking;
        TUIPreset p;
        p.background = c.bg;
        applyPreset(p, s);
        EXPECT_EQ(s.tools.penBg, c.expected) << c.bg.label() << (c.blinking ? " blinking" : "");
    }
}

// Number conversions and limits: each preset text, then the editor field it lands in.
TEST_F(Presets, NumbersAreConvertedAndKeptInRange) {
    struct Case {
        const char* preset;
        std::function<int(const AppState&)> field;
        int expected;
    };
    const auto spray = [](const AppState& s) { return s.tools.sprayVariance; };
    const auto prism = [](const AppState& s) { return s.tools.prismSteps; };
    const auto line = [](const AppState& s) { return s.tools.lineThickness; };
    const auto dodge = [](const AppState& s) { return s.tools.dodgeBurnStrength; };
    const auto scatter = [](const AppState& s) { return s.tools.scatterVariance; };
    const std::vector<Case> cases = {
        {R"({"sprayVariance":0.125,"sprayVariancePct":90})", spray, 13},
        {R"({"sprayVariancePct":150})", spray, 100},
        {R"({"sprayVariancePct":-4})", spray, 0},
        {R"({"sprayVariance":2.5})", spray, 100},
        {R"({"sprayVariance":1e300})", spray, 100},
        {R"({"prismAngle":200})", prism, 3},
        {R"({"prismAngle":20})", prism, 1},
        {R"({"prismAngle":100})", prism, 2},
        {R"({"prismAngle":90})", prism, 2},
        {R"({"prismAngle":5000})", prism, 3},
        {R"({"prismAngle":-90})", prism, 1},
        {R"({"brushSize":{"type":"cells","n":25}})", [](const AppState& s) { return s.tools.brush.n; }, 10},
        {R"({"brushSize":{"type":"cells","n":-3}})", [](const AppState& s) { return s.tools.brush.n; }, 1},
        // The line width's range is the panel's: a width of 6 set there survives a preset.
        {R"({"lineThickness":{"type":"half"},"lineThicknessCells":9})", line, 8},
        {R"({"lineThicknessCells":6})", line, 6},
        {R"({"lineThickness":{"type":"cells","n":3},"lineThicknessCells":1})", line, 3},
        {R"({"lineThicknessCells":0})", line, 1},
        {R"({"boxThickness":9})", [](const AppState& s) { return s.tools.boxOptions.thickness; }, 4},
        {R"({"ovalThickness":0})", [](const AppState& s) { return s.tools.ovalOptions.thickness; }, 1},
        {R"({"ovalThickness":3})", [](const AppState& s) { return s.tools.ovalOptions.thickness; }, 3},
        {R"({"sprayRadius":99})", [](const AppState& s) { return s.tools.sprayRadius; }, 8},
        {R"({"sprayDensity":0})", [](const AppState& s) { return s.tools.sprayDensity; }, 1},
        {R"({"dodgeBurnStrength":0.004})", dodge, 1},
        {R"({"dodgeBurnStrength":0.555})", dodge, 56},
        {R"({"dodgeBurnStrength":3})", dodge, 100},
        {R"({"scatterVariance":0.125})", scatter, 13},
        {R"({"scatterVariance":-1})", scatter, 0},
        {R"({"fontScale":7})", [](const AppState& s) { return s.tools.textScale; }, 3},
        {R"({"fgCycleStep":0})", [](const AppState& s) { return s.tools.fgCycleStep; }, 1},
        {R"({"bgCycleStep":-5})", [](const AppState& s) { return s.tools.bgCycleStep; }, 1},
        {R"({"charCycleStep":4})", [](const AppState& s) { return s.tools.charCycleStep; }, 4},
    };
    for (const auto& c : cases) {
        AppState s;
        s.tools.sprayVariance = 50;
        s.tools.prismSteps = 2;
        s.tools.lineThickness = 2;
        applyPreset(presetFrom(c.preset), s);
        EXPECT_EQ(c.field(s), c.expected) << c.preset;
    }
}

TEST_F(Presets, AbsentFieldsKeepTheEditorsSettingsButFadesAlwaysFollowThePreset) {
    AppState& s = *state;
    s.tools.brush = BrushSize::half();
    s.tools.penChar = "@";
    s.tools.fg = c16(3);
    s.tools.sprayVariance = 40;
    s.tools.lineThickness = 3;
    s.tools.fillMode = FillMode::gradient(GradientDirection::radial);
    s.tools.bgCycle = true;
    s.tools.bgCyclePool = {c16(2)};
    s.tools.bgCycleStep = 4;
    applyPreset(presetFrom(R"({"tool":"oval"})"), s);
    EXPECT_EQ(s.tools.tool, Tool::oval);
    EXPECT_EQ(s.tools.brush, BrushSize::half());
    EXPECT_EQ(s.tools.penChar, "@");
    EXPECT_EQ(s.tools.fg, c16(3));
    EXPECT_EQ(s.tools.sprayVariance, 40);
    EXPECT_EQ(s.tools.lineThickness, 3);
    EXPECT_EQ(s.tools.fillMode, FillMode::gradient(GradientDirection::radial));
    EXPECT_FALSE(s.tools.bgCycle);
    EXPECT_TRUE(s.tools.bgCyclePool.empty());
    EXPECT_EQ(s.tools.bgCycleStep, 1);

    applyPreset(presetFrom(R"({"gradientFill":true})"), s);
    EXPECT_EQ(s.tools.fillMode, FillMode::gradient(GradientDirection::vertical));
    applyPreset(presetFrom(R"({"gradientFill":false,"gradientDirection":"radial"})"), s);
    EXPECT_EQ(s.tools.fillMode, FillMode::solid());
    applyPreset(presetFrom(R"({"tool":"magnifyingglass"})"), s);
    EXPECT_EQ(s.tools.tool, Tool::pans);
    applyPreset(presetFrom(R"({"tool":"Spray"})"), s);
    EXPECT_EQ(s.tools.tool, Tool::paint);
}

TEST_F(Presets, CharacterPoolsPreferTheExplicitLists) {
    AppState& s = *state;
    applyPreset(presetFrom(R"({"charCycleSequence":"aé🙂","characterCycle":true,"character":"é"})"), s);
    EXPECT_EQ(s.tools.charCyclePool, (std::vector<std::string>{"a", "é", "🙂"}));
    EXPECT_TRUE(s.tools.charCycle);
    EXPECT_EQ(s.cycles.chars.index, 0) << "the cycle starts over from its first character";

    applyPreset(presetFrom(R"({"charCycleSequence":"abc","charCycleChars":["x","y"]})"), s);
    EXPECT_EQ(s.tools.charCyclePool, (std::vector<std::string>{"x", "y"}));
    EXPECT_FALSE(s.tools.charCycle);

    applyPreset(presetFrom(R"({"charRandomGroups":["Shade / Geo","Blocks"],"characterRandom":true})"), s);
    EXPECT_EQ(s.tools.charRandomPool, CP437Characters::charactersOfGroups({"Blocks", "Shade / Geo"}));
    EXPECT_EQ(s.tools.charRandomPool.front(), "█") << "groups in picker order, not list order";
    EXPECT_EQ(s.tools.charRandomGroups, (std::set<std::string>{"Blocks", "Shade / Geo"}));
    EXPECT_TRUE(s.tools.charRandom);

    applyPreset(presetFrom(R"({"charRandomGroups":["Blocks"],"charRandomChars":["q"]})"), s);
    EXPECT_EQ(s.tools.charRandomPool, std::vector<std::string>{"q"});
    applyPreset(TUIPreset{}, s);
    EXPECT_TRUE(s.tools.charRandomPool.empty() && s.tools.charCyclePool.empty() && s.tools.charRandomGroups.empty());
}

TEST_F(Presets, CaptureThenApplyReproducesTheSettings) {
    AppState& s = *state;
    s.tools.tool = Tool::prism;
    s.tools.penChar = "▒";
    s.tools.fg = ANSIColorValue::truecolor(10, 20, 30);
    s.tools.penBg = ANSIColorValue::ansi256(200);
    s.tools.brush = BrushSize::cells(7);
    s.tools.sprayVariance = 37;
    s.tools.prismSteps = 2;
    s.tools.dodgeBurnStrength = 18;
    s.tools.scatterVariance = 3;
    s.tools.lineThickness = 4;
    s.tools.ovalOptions.thickness = 2;
    s.tools.fillMode = FillMode::gradient(GradientDirection::radial);
    s.tools.charCycle = true;
    s.tools.charCyclePool = {"a", "e\u0301"};
    s.tools.charRandomGroups = {"Greek"};
    s.tools.charRandomPool = {"α"};
    s.tools.fgCycle = true;
    s.tools.fgCyclePool = {c16(3), c16(4)};
    s.tools.fgCycleStep = 3;
    s.tools.shapeFill.enabled = true;
    s.tools.textDirection = TextDirection::down;
    s.tools.symmetryMode = SymmetryMode::both;

    const TUIPreset captured = makeCurrentPreset(s);
    EXPECT_FALSE(captured.name);
    EXPECT_EQ(captured.tool, "camera.filters");
    EXPECT_DOUBLE_EQ(*captured.sprayVariance, 0.37);
    EXPECT_EQ(captured.sprayVariancePct, 37);
    EXPECT_DOUBLE_EQ(*captured.prismAngle, 120);
    EXPECT_DOUBLE_EQ(*captured.dodgeBurnStrength, 0.18);
    EXPECT_DOUBLE_EQ(*captured.scatterVariance, 0.03);

    AppState fresh;
    applyPreset(captured, fresh);
    EXPECT_EQ(makeCurrentPreset(fresh), captured);
    EXPECT_EQ(fresh.tools.tool, Tool::prism);
    EXPECT_EQ(fresh.tools.brush, BrushSize::cells(7));
    EXPECT_EQ(fresh.tools.sprayVariance, 37);
    EXPECT_EQ(fresh.tools.dodgeBurnStrength, 18);
    EXPECT_EQ(fresh.tools.scatterVariance, 3);
    EXPECT_EQ(fresh.tools.ovalOptions.thickness, 2);
    EXPECT_EQ(fresh.tools.fillMode, FillMode::gradient(GradientDirection::radial));
    EXPECT_EQ(fresh.tools.charCyclePool, s.tools.charCyclePool);
    EXPECT_EQ(fresh.tools.charRandomPool, s.tools.charRandomPool);
    EXPECT_TRUE(fresh.tools.shapeFill.enabled);
}

TEST_F(Presets, SavingKeepsTheSlotsNameAndWritesTheBank) {
    AppState& s = *state;
    s.presets[3] = named("Mine");
    s.preResetPresets = PresetBank(16);
    s.preview.presetHoverIndex = 3;
    s.tools.penChar = "Z";
    s.tools.tool = Tool::spray;
    savePresetAt(3, s);
    ASSERT_TRUE(s.presets[3]);
    EXPECT_EQ(s.presets[3]->name, "Mine");
    EXPECT_EQ(s.presets[3]->character, "Z");
    EXPECT_EQ(s.presets[3]->tool, "aqi.medium");
    EXPECT_EQ(s.selectedPreset, 3);
    EXPECT_FALSE(s.preResetPresets) << "a save ends the chance to undo a reset";
    EXPECT_FALSE(s.preview.presetHoverIndex);
    EXPECT_EQ(note(), "preset 4 saved");
    EXPECT_EQ(storedBank(), s.presets);

    savePresetAt(13, s);
    EXPECT_FALSE(s.presets[13]->name) << "an empty slot has no name to keep";
    EXPECT_EQ(note(), "preset E saved");
    savePresetAt(16, s);
    EXPECT_EQ(note(), "preset E saved") << "a slot beyond the bank does nothing";
}

TEST_F(Presets, AddFillsTheFirstEmptySlotUntilTheBankIsFull) {
    AppState& s = *state;
    s.presets[13] = named("thirteen");
    addPreset(s);
    EXPECT_TRUE(s.presets[12]);
    EXPECT_EQ(note(), "preset D saved");
    addPreset(s);
    addPreset(s);
    EXPECT_EQ(note(), "preset G saved");
    const PresetBank full = s.presets;
    addPreset(s);
    EXPECT_EQ(note(), "preset bank full");
    EXPECT_EQ(s.presets, full);
    EXPECT_EQ(s.presets[13]->name, "thirteen");
}

TEST_F(Presets, DeletingTakesTwoRightClicksInARowOnTheSameFilledSlot) {
    AppState& s = *state;
    Terminal terminal;
    Screen screen{[](std::string_view) {}, false};
    screen.resize(40, 160);
    Layout layout = Chrome::compose(s, screen);
    auto slotSpan = [&](int index) {
        for (const auto& r : layout.presetSpans)
            if (r.value == index) return r.span;
        ADD_FAILURE() << "slot " << index << " not drawn";
        return Span{};
    };
    auto click = [&](int index, int button) {
        const Span span = slotSpan(index);
        handle(InputEvent::mouseDown(span.colStart, span.row, button), s, layout, terminal, screen);
        handle(InputEvent::mouseUp(span.colStart, span.row), s, layout, terminal, screen);
        layout = Chrome::compose(s, screen);
    };
    s.selectedPreset = 2;
    click(2, 2);
    EXPECT_EQ(s.presetDeleteArmed, 2);
    EXPECT_EQ(note(), "right-click again to delete this preset");
    click(5, 2);  // another slot: re-arms, deletes nothing
    EXPECT_EQ(s.presetDeleteArmed, 5);
    click(2, 2);
    click(2, 0);  // any other click disarms
    click(2, 2);
    EXPECT_TRUE(s.presets[2] && s.presets[5]);
    EXPECT_FALSE(fs::exists(bankFile())) << "arming changes nothing";
    click(2, 2);
    EXPECT_FALSE(s.presets[2]);
    EXPECT_FALSE(s.selectedPreset) << "the selected slot is gone";
    EXPECT_EQ(note(), "preset deleted");
    EXPECT_EQ(storedBank(), s.presets);
    click(14, 2);  // empty: neither arms nor deletes
    EXPECT_FALSE(s.presetDeleteArmed);
    click(4, 0);
    EXPECT_EQ(s.selectedPreset, 4);
    EXPECT_EQ(s.tools.tool, Tool::box);
}

TEST_F(Presets, CycleModeSkipsEmptiedSlotsInThePool) {
    AppState& s = *state;
    s.presetPool = {0, 2, 4};
    s.presets[2].reset();
    togglePresetMode(true, s);
    EXPECT_EQ(s.presetPool, (std::set<int>{0, 2, 4})) << "a pool that is not empty is kept";
    std::vector<int> applied;
    for (int i = 0; i < 5; ++i) {
        advancePresetMode(s);
        applied.push_back(s.selectedPreset.value_or(-1));
    }
    EXPECT_EQ(applied, (std::vector<int>{0, 4, 0, 4, 0}));

    // Clicking a slot while a mode is on edits the pool instead of applying.
    clickPresetSlot(9, s);
    EXPECT_TRUE(s.presetPool.contains(9));
    EXPECT_EQ(note(), "preset pool: 4");
    EXPECT_EQ(s.selectedPreset, 0);
    clickPresetSlot(9, s);
    EXPECT_FALSE(s.presetPool.contains(9));
    clickPresetSlot(13, s);
    EXPECT_FALSE(s.presetPool.contains(13)) << "empty slots cannot join";
}

TEST_F(Presets, TurningAModeOnWithAnEmptyPoolTakesEveryFilledSlot) {
    AppState& s = *state;
    s.presetCycleIndex = 7;
    togglePresetMode(true, s);
    EXPECT_TRUE(s.presetCycle);
    EXPECT_EQ(s.presetCycleIndex, 0);
    EXPECT_EQ(s.presetPool, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    advancePresetMode(s);
    EXPECT_EQ(s.selectedPreset, 0) << "the cycle restarts at its first candidate";

    togglePresetMode(false, s);
    EXPECT_TRUE(s.presetRandom);
    EXPECT_FALSE(s.presetCycle);
    togglePresetMode(true, s);
    EXPECT_TRUE(s.presetCycle);
    EXPECT_FALSE(s.presetRandom);
    togglePresetMode(true, s);
    EXPECT_FALSE(s.presetCycle || s.presetRandom);
    s.selectedPreset.reset();
    advancePresetMode(s);
    EXPECT_FALSE(s.selectedPreset) << "no mode, no change";
}

TEST_F(Presets, RandomModeDrawsFromThePoolsFilledSlots) {
    AppState& s = *state;
    s.presetPool = {1, 3, 8, 14};  // 14 is empty
    s.presetRandom = true;
    s.presetCycle = true;  // random wins when both are on
    ScriptedRandom random({2, 0, 1});
    std::vector<int> applied;
    for (int i = 0; i < 3; ++i) {
        advancePresetMode(s, random);
        applied.push_back(s.selectedPreset.value_or(-1));
    }
    EXPECT_EQ(applied, (std::vector<int>{8, 1, 3}));
    EXPECT_EQ(s.presetCycleIndex, 0);

    s.presetPool = {14};
    s.selectedPreset.reset();
    advancePresetMode(s, random);
    EXPECT_FALSE(s.selectedPreset) << "no filled slot in the pool";
}

TEST_F(Presets, ResetCanBeUndoneUntilTheNextSave) {
    AppState& s = *state;
    PresetBank mine(16);
    mine[0] = named("only");
    s.presets = mine;
    s.selectedPreset = 0;

    resetPresetsToDefault(s);
    EXPECT_EQ(s.presets, *builtinPresetBank());
    EXPECT_FALSE(s.selectedPreset);
    EXPECT_EQ(note(), "reset to default presets (click ↺ again to undo)");
    EXPECT_EQ(storedBank(), *builtinPresetBank());

    resetPresetsToDefault(s);
    EXPECT_EQ(s.presets, mine);
    EXPECT_FALSE(s.preResetPresets);
    EXPECT_EQ(note(), "presets restored");
    EXPECT_EQ(storedBank(), mine);

    resetPresetsToDefault(s);
    savePresetAt(12, s);
    resetPresetsToDefault(s);
    EXPECT_EQ(s.presets, *builtinPresetBank()) << "after a save the second click resets again";
    resetPresetsToDefault(s);
    EXPECT_NE(s.presets, mine) << "the first bank is gone";
    EXPECT_TRUE(s.presets[12]);
}

TEST_F(Presets, ExportNamesTheFileAfterTheDocument) {
    struct Case {
        std::string filename;
        std::string file;
    };
    const std::vector<Case> cases = {
        {"Untitled", "presets.ansipresets"},
        {"", "presets.ansipresets"},
        {"art.ans", "art.ans.ansipresets"},
        {"../elsewhere/art.ans", "art.ans.ansipresets"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filename);
        AppState& s = *state;
        s.filename = c.filename;
        fs::remove(root_ / "work" / c.file);
        exportPresetBank(s);
        EXPECT_EQ(note(), "saved " + c.file);
        EXPECT_EQ(decodeBankSalvaging(readText(root_ / "work" / c.file)), s.presets);
    }
    EXPECT_FALSE(fs::exists(root_ / "elsewhere"));
    EXPECT_FALSE(fs::exists(bankFile())) << "exporting is not a change of the bank";

    fs::create_directories(root_ / "work" / "blocked.ansipresets" / "inside");
    state->filename = "blocked";
    exportPresetBank(*state);
    EXPECT_EQ(note(), "preset export failed");
}

TEST_F(Presets, ImportReplacesTheBankOrSaysWhyNot) {
    AppState& s = *state;
    s.browseDir = (root_ / "work").string();
    {
        std::ofstream(root_ / "work" / "three.ansipresets") << R"([null, 5, {"tool":"Paint"}])";
        std::ofstream(root_ / "work" / "broken.json") << R"({"tool":"Paint"})";
    }
    s.preResetPresets = PresetBank(16);
    s.selectedPreset = 4;
    importPresetFile("three.ansipresets", s);
    EXPECT_EQ(note(), "loaded presets from three.ansipresets");
    ASSERT_EQ(s.presets.size(), 16u);
    EXPECT_FALSE(s.presets[0] || s.presets[1]);
    ASSERT_TRUE(s.presets[2]);
    for (std::size_t i = 3; i < 16; ++i) EXPECT_FALSE(s.presets[i]) << i;
    EXPECT_FALSE(s.preResetPresets);
    EXPECT_FALSE(s.selectedPreset);
    EXPECT_EQ(storedBank(), s.presets);
    applyPreset(2, s);
    EXPECT_EQ(s.tools.tool, Tool::paint);

    const PresetBank before = s.presets;
    for (const std::string name : {"broken.json", "missing.json"}) {
        importPresetFile(name, s);
        EXPECT_EQ(note(), "couldn't read presets: " + name);
        EXPECT_EQ(s.presets, before);
    }
    const std::string absolute = (root_ / "work" / "three.ansipresets").string();
    s.browseDir = "/nowhere";
    importPresetFile(absolute, s);
    EXPECT_EQ(note(), "loaded presets from " + absolute);
}

}  // namespace preset_actions_test
}  // namespace glyphloom
