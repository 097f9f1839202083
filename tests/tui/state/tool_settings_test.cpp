#include "tui/state/tool_settings.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "core/format/preset.hpp"
#include "core/format/preset_bank.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/state/app_state.hpp"
#include "tui/tools/tool_preview.hpp"
#include "scoped_config_home.hpp"

namespace glyphloom {
namespace tool_settings_test {

// A bank as the editor wrote it before its settings were declared in one table: a slot saved
// with every setting away from its start value, an empty slot, and built-in slot 11 as
// applied and saved again. Users' presets.json files look like this; they must read the same
// and be written back byte for byte.
constexpr const char* bankWrittenBefore = R"json([{"background":{"n":200,"type":"ansi256"},"backgroundCycle":false,"backgroundRandom":true,"bgCycleColors":[{"n":2,"type":"ansi16"}],"bgCycleStep":2,"bgRandomColors":[{"n":1,"type":"ansi16"}],"boxFilled":true,"boxOutline":false,"boxPenLine":true,"boxStyle":"mixedV","boxThickness":2,"brushRounded":true,"brushSize":{"n":7,"type":"cells"},"charCycleChars":["a","é","▓"],"charCycleForward":false,"charCycleResetPerStroke":false,"charCycleStep":2,"charCycleWrap":false,"charRandomChars":["α","β"],"charRandomGroups":["Blocks","Greek"],"character":"▒","characterCycle":true,"characterRandom":false,"colorCycleResetPerStroke":true,"dodgeBurnStrength":0.29,"dodgeBurnTargetBG":true,"dodgeBurnTargetFG":false,"fgCycleColors":[{"n":3,"type":"ansi16"},{"n":40,"type":"ansi256"}],"fgCycleStep":3,"fgRandomColors":[{"n":9,"type":"ansi16"}],"fontScale":2,"foreground":{"b":30,"g":20,"r":10,"type":"truecolor"},"foregroundCycle":true,"foregroundRandom":false,"gradientDirection":"radial","gradientFill":true,"lineDrawStyle":"double","lineStitchMode":"track","lineThickness":{"n":3,"type":"cells"},"lineThicknessCells":3,"name":"Everything","ovalDrawMode":{"style":"double","type":"lines"},"ovalFilled":true,"ovalOutline":false,"ovalThickness":3,"paintSimulatedPressureControlsSize":true,"penLineStyle":"rounded","prismAngle":120.0,"prismTargetBG":true,"prismTargetFG":false,"scatterTargetBG":true,"scatterTargetFG":false,"scatterVariance":0.03,"shapeFillTUI":{"bg":{"n":33,"type":"ansi256"},"bgMode":"solid","bgPool":[],"char":"#","charMode":"cycle","charPool":["x","y"],"enabled":true,"fg":{"n":15,"type":"ansi16"},"fgMode":"random","fgPool":[{"n":5,"type":"ansi16"}]},"simulatedPressureControlsDodgeBurn":true,"simulatedPressureControlsPrism":true,"simulatedPressureControlsScatter":true,"simulatedPressureControlsSpray":true,"sprayDensity":13,"sprayRadius":6,"sprayTargetBG":true,"sprayVariance":0.37,"sprayVariancePct":37,"symmetryMode":"both","textTypeDirection":"up","tool":"aqi.medium"},
null,
{"background":{"n":4,"type":"ansi16"},"backgroundCycle":false,"backgroundRandom":false,"bgCycleColors":[],"bgCycleStep":1,"bgRandomColors":[],"boxFilled":false,"boxOutline":true,"boxPenLine":true,"boxStyle":"single","boxThickness":1,"brushRounded":false,"brushSize":{"n":1,"type":"cells"},"charCycleChars":[],"charCycleForward":true,"charCycleResetPerStroke":true,"charCycleStep":1,"charCycleWrap":true,"charRandomChars":[],"character":"█","characterCycle":false,"characterRandom":false,"colorCycleResetPerStroke":false,"dodgeBurnStrength":0.18,"dodgeBurnTargetBG":true,"dodgeBurnTargetFG":true,"fgCycleColors":[],"fgCycleStep":1,"fgRandomColors":[],"fontScale":1,"foreground":{"n":14,"type":"ansi16"},"foregroundCycle":false,"foregroundRandom":false,"gradientDirection":"vertical","gradientFill":true,"lineDrawStyle":"single","lineStitchMode":"stitch","lineThickness":{"n":1,"type":"cells"},"lineThicknessCells":1,"ovalDrawMode":{"type":"character"},"ovalFilled":false,"ovalOutline":true,"ovalThickness":1,"paintSimulatedPressureControlsSize":false,"penLineStyle":"single","prismAngle":60.0,"prismTargetBG":false,"prismTargetFG":true,"scatterTargetBG":false,"scatterTargetFG":true,"scatterVariance":0.25,"shapeFillTUI":{"bg":{"n":0,"type":"ansi16"},"bgMode":"solid","bgPool":[],"char":"█","charMode":"solid","charPool":[],"enabled":false,"fg":{"n":15,"type":"ansi16"},"fgMode":"solid","fgPool":[]},"simulatedPressureControlsDodgeBurn":false,"simulatedPressureControlsPrism":false,"simulatedPressureControlsScatter":false,"simulatedPressureControlsSpray":false,"sprayDensity":8,"sprayRadius":4,"sprayTargetBG":false,"sprayVariance":0.0,"sprayVariancePct":0,"symmetryMode":"none","textTypeDirection":"right","tool":"drop.fill"}])json";

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TUIPreset everythingSlot() {
    const auto bank = decodeBankStrictly(bankWrittenBefore);
    return bank && !bank->empty() && bank->front() ? *bank->front() : TUIPreset{};
}

// Every setting away from its start value: the full slot, with every on/off setting the
// other way round from a fresh editor.
AppState everySettingChanged() {
    AppState state;
    applyPreset(everythingSlot(), state);
    AppState fresh;
    for (const ToolSetting& row : toolSettings())
        if (row.flag) row.flag(state.tools) = !row.flag(fresh.tools);
    return state;
}

TEST(ToolSettings, APresetsFileWrittenBeforeReadsAndIsWrittenBackTheSame) {
    const testing_support::ScopedConfigHome config("settings-file");
    const std::string path = presetBankPath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bankWrittenBefore;

    AppState state;
    state.presets = loadPresets(path);
    ASSERT_TRUE(state.presets[0] && state.presets[2]);
    // Applying each slot and saving it again must carry every setting there and back.
    for (int slot : {0, 2}) {
        applyPreset(slot, state);
        savePresetAt(slot, state);
    }
    const std::string written = readText(path);
    const std::string expected = *encodeBank(padBank(*decodeBankStrictly(bankWrittenBefore)));
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(written.starts_with(std::string(bankWrittenBefore).substr(0, 40)));
}

// That each control has its row is checked when the table compiles; here, that the rows
// make sense together with the editor's start values.
TEST(ToolSettings, RowsAgreeWithThemselvesAndTheStartValues) {
    const AppState fresh;
    std::set<std::string_view> names;
    for (const ToolSetting& row : toolSettings()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second) << "named twice";
        EXPECT_TRUE(row.copy && row.addToKey);
        EXPECT_EQ(row.stored, row.apply != nullptr && row.capture != nullptr);
        EXPECT_EQ(row.panel == SettingPanel::none, row.label.empty());
        if (!row.number) continue;
        EXPECT_TRUE(row.stepRange.min >= row.range.min && row.stepRange.max <= row.range.max);
        const int start = row.number(const_cast<ToolSettings&>(fresh.tools));
        EXPECT_TRUE(start >= row.stepRange.min && start <= row.stepRange.max) << "starts out of reach";
    }
}

TEST(ToolSettings, EachStoredSettingHasPresetKeysOfItsOwn) {
    const AppState state = everySettingChanged();
    std::set<std::string> seen;
    for (const ToolSetting& row : toolSettings()) {
        if (!row.stored) continue;
        TUIPreset alone;
        row.capture(state.tools, alone);
        const nlohmann::json written = nlohmann::json::parse(*encodeBank({alone})).at(0);
        EXPECT_FALSE(written.empty()) << row.name << " writes nothing";
        // Two settings stored under one key would overwrite each other in the file.
        for (const auto& [key, value] : written.items()) EXPECT_TRUE(seen.insert(key).second) << key;
    }
    EXPECT_GE(seen.size(), 60u);
}

// Whatever number a preset file holds, every whole-number setting ends inside its range.
TEST(ToolSettings, PresetNumbersFarOutOfRangeLandOnTheEndsOfEachRange) {
    for (const int extreme : {1 << 30, -(1 << 30)}) {
        nlohmann::json preset = nlohmann::json::parse(*encodeBank({everythingSlot()})).at(0);
        const auto replaceNumbers = [extreme](auto& self, nlohmann::json& value) -> void {
            if (value.is_number()) value = extreme;
            else if (value.is_structured())
                for (auto& item : value) self(self, item);
        };
        replaceNumbers(replaceNumbers, preset);
        const auto decoded = decodeBankStrictly("[" + preset.dump() + "]");
        ASSERT_TRUE(decoded && decoded->front()) << preset.dump();
        AppState state;
        applyPreset(*decoded->front(), state);
        for (const ToolSetting& row : toolSettings()) {
            if (!row.number) continue;
            EXPECT_EQ(row.number(state.tools), row.range.clamp(extreme)) << row.name << " " << extreme;
        }
    }
}

TEST(ToolSettings, ThePreviewCopyCarriesEverySetting) {
    const AppState original = everySettingChanged();
    const AppState fresh;
    const AppState copy = scratchToolState(original);
    for (const ToolSetting& row : toolSettings()) {
        std::string want, got, before;
        row.addToKey(original.tools, want);
        row.addToKey(copy.tools, got);
        row.addToKey(fresh.tools, before);
        EXPECT_EQ(got, want) << row.name;
        EXPECT_NE(want, before) << row.name << " is not changed by this test";
    }
}

TEST(ToolSettings, StepperReachIsNarrowerThanWhatAPresetMayHold) {
    // The dodge strength steps within 2…50, yet a preset may bring any strength from 1 to 100.
    AppState state;
    state.tools.tool = Tool::dodge;
    applyPreset(*decodeBankStrictly(R"([{"dodgeBurnStrength":0.8}])")->at(0), state);
    EXPECT_EQ(stepperValue(StepperId::dbStrength, state), 80);
    adjustStepper(StepperId::dbStrength, +1, state);
    EXPECT_EQ(state.tools.dodgeBurnStrength, 50);
    adjustStepper(StepperId::dbStrength, -100, state);
    EXPECT_EQ(state.tools.dodgeBurnStrength, 2);
}

}  // namespace tool_settings_test
}  // namespace glyphloom
