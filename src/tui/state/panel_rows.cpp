#include "tui/state/panel_rows.hpp"

#include "core/fonts/fkey_banks.hpp"
#include "tui/state/tool_settings.hpp"

namespace glyphloom {
namespace {

constexpr MixStepper mixSteppers[] = {
    {StepperId::tcR, PaletteChannel::tcR, [](AppState& s) -> int& { return s.tcDraft.r; }, {0, 255}},
    {StepperId::tcG, PaletteChannel::tcG, [](AppState& s) -> int& { return s.tcDraft.g; }, {0, 255}},
    {StepperId::tcB, PaletteChannel::tcB, [](AppState& s) -> int& { return s.tcDraft.b; }, {0, 255}},
    {StepperId::tcL, PaletteChannel::tcL, [](AppState& s) -> int& { return s.tcDraft.l; }, {-128, 128}},
};

// Every toggle, and every stepper but the mix channels, has its row in the settings table.
const ToolSetting& settingRow(StepperId id) { return *settingFor(id); }
const ToolSetting& settingRow(ToggleSetting id) { return *settingFor(id); }

PanelItem itemFor(const ToolSetting& row, const AppState& state) {
    if (row.stepper) return PanelItem::stepper(std::string(row.label), *row.stepper, stepperValue(*row.stepper, state));
    const ToggleId id = ToggleId::of(*row.toggle);
    return PanelItem::toggle(std::string(row.label), id, toggleValue(id, state));
}

}  // namespace

const MixStepper* mixStepper(StepperId id) {
    for (const MixStepper& mix : mixSteppers)
        if (mix.id == id) return &mix;
    return nullptr;
}

const CharacterGroup* randomCharGroup(int index) {
    const auto& groups = CP437Characters::groups();
    if (index < 0 || index >= static_cast<int>(groups.size())) return nullptr;
    return &groups[static_cast<std::size_t>(index)];
}

bool toolHasPanelItems(Tool tool) {
    if (tool == Tool::text) return true;
    for (const ToolSetting& row : toolSettings())
        if (row.panel == SettingPanel::tool && row.panelTools.contains(tool)) return true;
    return false;
}

std::vector<PanelItem> panelItems(const AppState& state) {
    std::vector<PanelItem> items;
    for (const ToolSetting& row : toolSettings()) {
        if (row.panel != SettingPanel::tool || !row.panelTools.contains(state.tools.tool)) continue;
        items.push_back(itemFor(row, state));
        // The shape fill's own rows follow its switch while it is on.
        if (row.toggle == ToggleSetting::ownFill && state.tools.shapeFill.enabled) {
            items.push_back(PanelItem::fillChar());
            items.push_back(PanelItem::fillColorModes(true));
            items.push_back(PanelItem::fillSwatches(true));
            items.push_back(PanelItem::fillColorModes(false));
            items.push_back(PanelItem::fillSwatches(false));
        }
    }
    if (state.tools.tool == Tool::text) {
        items.push_back(PanelItem::text("F1–F10 bank"));
        const auto& banks = FKeyBanks::banks();
        for (std::size_t i = 0; i < banks.size(); ++i) {
            const ToggleId id = ToggleId::glyphBank(static_cast<int>(i));
            items.push_back(PanelItem::toggle(banks[i].name, id, toggleValue(id, state)));
        }
    }
    return items;
}

int stepperValue(StepperId id, const AppState& state) {
    // The field accessors are shared with adjustStepper; reading does not change the state.
    AppState& readOnly = const_cast<AppState&>(state);
    if (const MixStepper* mix = mixStepper(id)) return mix->field(readOnly);
    return settingRow(id).number(readOnly.tools);
}

bool toggleValue(ToggleId id, const AppState& state) {
    switch (id.kind) {
        case ToggleId::Kind::setting:
            return settingRow(id.setting).flag(const_cast<ToolSettings&>(state.tools));  // the accessor only reads here
        case ToggleId::Kind::glyphBank: return FKeyBanks::normalized(state.fkeyBankIndex) == id.index;
        case ToggleId::Kind::charGroup: {
            const CharacterGroup* group = randomCharGroup(id.index);
            return group != nullptr && state.tools.charRandomGroups.contains(group->name);
        }
    }
    return false;
}

std::vector<PanelItem> fadesPanelItems(const AppState& state) {
    std::vector<PanelItem> items;
    for (const ToolSetting& row : toolSettings())
        if (row.panel == SettingPanel::fades) items.push_back(itemFor(row, state));
    const auto& groups = CP437Characters::groups();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const ToggleId id = ToggleId::charGroup(static_cast<int>(i));
        items.push_back(PanelItem::toggle(groups[i].name, id, toggleValue(id, state)));
    }
    return items;
}

ColorMode colorMode(const AppState& state, bool forFg) {
    if (forFg ? state.tools.fgCycle : state.tools.bgCycle) return ColorMode::cycle;
    if (forFg ? state.tools.fgRandom : state.tools.bgRandom) return ColorMode::random;
    if (forFg ? state.tools.fgNull : state.tools.bgNull) return ColorMode::null;
    return ColorMode::solid;
}

const std::vector<ANSIColorValue>* activePool(const AppState& state, bool forFg) {
    if (forFg ? state.tools.fgCycle : state.tools.bgCycle)
        return forFg ? &state.tools.fgCyclePool : &state.tools.bgCyclePool;
    if (forFg ? state.tools.fgRandom : state.tools.bgRandom)
        return forFg ? &state.tools.fgRandomPool : &state.tools.bgRandomPool;
    return nullptr;
}

std::optional<CharMode> pickerCharMode(const AppState& state) {
    if (state.charPickerTarget == CharTarget::fill) {
        switch (state.tools.shapeFill.charMode) {
            case FillChannelMode::null: return CharMode::null;
            case FillChannelMode::cycle: return CharMode::cycle;
            case FillChannelMode::random: return CharMode::random;
            case FillChannelMode::solid: return std::nullopt;
        }
        return std::nullopt;
    }
    if (state.tools.charCycle) return CharMode::cycle;
    if (state.tools.charRandom) return CharMode::random;
    if (state.tools.charNull) return CharMode::null;
    return std::nullopt;
}

const std::vector<std::string>* pickerSequence(const AppState& state) {
    const auto mode = pickerCharMode(state);
    if (state.charPickerTarget == CharTarget::fill)
        return (mode == CharMode::cycle || mode == CharMode::random) ? &state.tools.shapeFill.charPool : nullptr;
    if (mode == CharMode::cycle) return &state.tools.charCyclePool;
    if (mode == CharMode::random) return &state.tools.charRandomPool;
    return nullptr;
}

}  // namespace glyphloom
