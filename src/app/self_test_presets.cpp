#include "app/self_test_presets.hpp"

#include <set>
#include <string>
#include <nlohmann/json.hpp>

#include "app/self_check.hpp"
#include "core/format/preset.hpp"
#include "core/format/preset_bank.hpp"
#include "tui/actions/preset_actions.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/tool_settings.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

namespace glyphloom {
namespace {

using nlohmann::json;

// Every field set, none to its simplest value, so a field lost or mixed up in either
// direction shows as a difference.
TUIPreset everyFieldSet() {
    TUIPreset p;
    p.name = "Everything";
    p.character = "▓";
    p.foreground = ANSIColorValue::truecolor(1, 2, 3);
    p.background = ANSIColorValue::ansi256(200);
    p.tool = "aqi.medium";
    p.penLineStyle = LineStyle::rounded;
    p.foregroundCycle = true;
    p.fgCycleColors = std::vector{ANSIColorValue::ansi16(1), ANSIColorValue::ansi256(17)};
    p.fgCycleStep = 3;
    p.foregroundRandom = false;
    p.fgRandomColors = std::vector{ANSIColorValue::truecolor(9, 8, 7)};
    p.backgroundCycle = true;
    p.bgCycleColors = std::vector{ANSIColorValue::ansi16(4)};
    p.bgCycleStep = 2;
    p.backgroundRandom = true;
    p.bgRandomColors = std::vector<ANSIColorValue>{};
    p.characterCycle = true;
    p.charCycleSequence = "░▒▓█";
    p.charCycleStep = 5;
    p.characterRandom = true;
    p.charRandomGroups = std::vector<std::string>{"Blocks", "Shades"};
    p.charCycleChars = std::vector<std::string>{"a", "é"};
    p.charRandomChars = std::vector<std::string>{"*"};
    p.brushSize = BrushSize::cells(4);
    p.paintSimulatedPressureControlsSize = true;
    p.colorCycleResetPerStroke = true;
    p.charCycleForward = false;
    p.charCycleWrap = false;
    p.charCycleResetPerStroke = false;
    p.lineDrawStyle = LineStyle::double_;
    p.lineStitchMode = LineStitchMode::slash;
    p.lineThickness = BrushSize::half();
    p.lineThicknessCells = 6;
    p.boxFilled = true;
    p.boxOutline = false;
    p.boxPenLine = false;
    p.boxThickness = 2;
    p.boxStyle = BoxStyle::mixedV;
    p.ovalFilled = true;
    p.ovalOutline = false;
    p.ovalDrawMode = OvalDrawMode::lines(BoxStyle::mixedH);
    p.ovalThickness = 3;
    p.sprayRadius = 7;
    p.sprayDensity = 11;
    p.sprayTargetBG = true;
    p.simulatedPressureControlsSpray = true;
    p.sprayVariance = 0.25;
    p.sprayVariancePct = 40;
    p.gradientFill = true;
    p.gradientDirection = GradientDirection::radial;
    ShapeFillStyle fill;
    fill.enabled = true;
    fill.charMode = FillChannelMode::random;
    fill.character = "#";
    fill.charPool = {"x", "y"};
    fill.fgMode = FillChannelMode::cycle;
    fill.fg = ANSIColorValue::ansi16(9);
    fill.fgPool = {ANSIColorValue::ansi16(2)};
    fill.bgMode = FillChannelMode::null;
    fill.bg = ANSIColorValue::ansi256(33);
    fill.bgPool = {ANSIColorValue::truecolor(4, 5, 6)};
    p.shapeFillTUI = fill;
    p.symmetryMode = SymmetryMode::both;
    p.brushRounded = true;
    p.dodgeBurnStrength = 0.5;
    p.dodgeBurnTargetFG = false;
    p.dodgeBurnTargetBG = true;
    p.simulatedPressureControlsDodgeBurn = true;
    p.prismAngle = 22.5;
    p.prismTargetFG = false;
    p.prismTargetBG = true;
    p.simulatedPressureControlsPrism = true;
    p.scatterVariance = 0.75;
    p.scatterTargetFG = false;
    p.scatterTargetBG = true;
    p.simulatedPressureControlsScatter = true;
    p.fontScale = 2;
    p.textTypeDirection = TextDirection::up;
    return p;
}

std::optional<TUIPreset> slot(const std::optional<PresetBank>& bank, std::size_t i) {
    if (!bank || i >= bank->size()) return std::nullopt;
    return (*bank)[i];
}

}  // namespace

bool runPresetRoundTripSelfTest(std::FILE* out) {
    std::fprintf(out, "preset round-trip self-test:\n");
    Checker c(out);

    const TUIPreset full = everyFieldSet();
    const json encoded = toJSON(full);
    c.check(encoded.size() == 67, "a preset with every field set writes 67 keys");
    c.check(presetFromJSON(encoded) == full, "every field survives encode and decode");
    c.check(presetFromJSON(json::parse(encoded.dump())) == full, "every field survives the JSON text form");

    TUIPreset small;
    small.tool = "pencil.tip";
    small.character = "A";
    const json smallJSON = toJSON(small);
    c.check(smallJSON.size() == 2 && smallJSON.contains("tool") && smallJSON.contains("character"),
            "a preset of tool and character writes exactly those two keys");
    c.check(toJSON(TUIPreset{}) == json::object(), "an empty preset writes an empty object");

    const auto twoPresets = decodeBankSalvaging(R"([{"boxStyle":"zigzag"},{"tool":"Spray"}])");
    c.check(slot(twoPresets, 0) && slot(twoPresets, 0)->boxStyle == BoxStyle::single,
            "an unknown box style reads as single");
    c.check(slot(twoPresets, 1) && slot(twoPresets, 1)->tool == "Spray", "a tool text is kept as written");
    c.check(toolForPresetID("Spray") == Tool::paint, "a tool's display name applies as the paint tool");

    const auto mixed = decodeBankSalvaging(R"([null, 12345, {"tool":"Paint"}])");
    c.check(mixed && mixed->size() == 3 && !(*mixed)[0] && !(*mixed)[1] && (*mixed)[2] &&
                (*mixed)[2]->tool == "Paint",
            "null and a number become empty slots beside a good preset");

    const auto wrongType = decodeBankSalvaging(R"([{"name":"a"},{"fgCycleStep":"3"},{"name":"c"}])");
    c.check(wrongType && wrongType->size() == 3 && (*wrongType)[0] && !(*wrongType)[1] && (*wrongType)[2],
            "a wrongly typed key empties only its own slot");
    c.check(!presetFromJSON(json::parse(R"({"boxStyle": 3})")), "a number where a style name belongs fails");
    c.check(!decodeBankSalvaging(R"({"tool":"eye"})"), "a bank that is not an array fails");
    c.check(!decodeBankSalvaging("[{"), "a bank that is not JSON fails");

    const auto brush = [](const char* text) { return brushSizeFromJSON(json::parse(text)); };
    c.check(brush(R"({"type":"cells"})") == BrushSize::cells(1), "a cells brush without n is one cell");
    c.check(brush(R"({"type":"huge"})") == BrushSize::quarter(), "an unknown brush type is a quarter");
    c.check(brush(R"({"type":"half"})") == BrushSize::half(), "a half brush reads back");

    const auto oval = [](const char* text) { return ovalDrawModeFromJSON(json::parse(text)); };
    c.check(oval(R"({"type":"lines","style":"double"})") == OvalDrawMode::lines(BoxStyle::double_),
            "an oval of double lines reads back");
    c.check(oval(R"({"type":"dots"})") == OvalDrawMode::character(), "an unknown oval mode is character");

    c.check(toolForPresetID("magnifyingglass") == Tool::pans && toolForPresetID("eye") == Tool::pans,
            "both inspect identifiers read as the inspect tool");
    c.check(presetIDForTool(Tool::pans) == "eye", "the inspect tool writes eye");
    bool everyTool = true;
    std::set<std::string> ids;
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        (void)name;
        ids.insert(presetIDForTool(tool));
        everyTool = everyTool && toolForPresetID(presetIDForTool(tool)) == tool;
    }
    c.check(everyTool && ids.size() == 17, "every tool's identifier is distinct and reads back as that tool");

    PresetBank bank(16);
    bank[0] = full;
    bank[5] = small;
    c.check(decodeBankSalvaging(toJSON(bank).dump()) == bank, "a bank with empty slots survives its JSON text");

    // Capturing the settings a built-in slot gives, applying that capture to a fresh editor and
    // capturing again must come back unchanged: nothing is lost or altered on the way.
    const auto builtin = builtinPresetBank();
    c.check(builtin && builtin->size() == presetSlotCount, "the built-in bank decodes to sixteen slots");
    int filled = 0;
    bool stable = builtin.has_value();
    for (std::size_t i = 0; builtin && i < builtin->size(); ++i) {
        if (!(*builtin)[i]) continue;
        ++filled;
        AppState first;
        first.presets = *builtin;
        applyPreset(static_cast<int>(i), first);
        const TUIPreset captured = makeCurrentPreset(first);
        AppState second;
        applyPreset(captured, second);
        stable = stable && makeCurrentPreset(second) == captured;
    }
    c.check(filled == 12, "the built-in bank fills twelve slots");
    c.check(stable, "capture, apply and capture again agree for every built-in slot");

    // Every setting presets carry, as the table of tool settings declares them: each is
    // written under keys of its own and comes back through the bank's text unchanged.
    AppState rich;
    applyPreset(full, rich);
    PresetBank richBank(1);
    richBank[0] = makeCurrentPreset(rich);
    const auto richText = encodeBank(richBank);
    const auto reread = richText ? decodeBankStrictly(*richText) : std::nullopt;
    AppState back;
    if (reread && reread->front()) applyPreset(*reread->front(), back);
    std::set<std::string> keys;
    std::string lost, shared;
    for (const ToolSetting& setting : toolSettings()) {
        if (!setting.stored) continue;
        std::string want, got;
        setting.addToKey(rich.tools, want);
        setting.addToKey(back.tools, got);
        if (want != got) lost += " " + std::string(setting.name);
        TUIPreset alone;
        setting.capture(rich.tools, alone);
        const json written = toJSON(alone);
        for (const auto& item : written.items())
            if (!keys.insert(item.key()).second) shared += " " + item.key();
    }
    c.check(reread.has_value() && lost.empty(), ("every stored tool setting survives the bank's text" + lost).c_str());
    c.check(shared.empty() && keys.size() >= 60, ("every stored tool setting has preset keys of its own" + shared).c_str());

    return c.finish();
}

}  // namespace glyphloom
